// The diagram window's kelo commands: move, invert, copy and delete, and the bookkeeping of
// the index-based window state when kelos come and go.

#include "TKeloTripDiagramForm.h"

#include "KeloCopy.h"
#include "KeloErrorReport.h"
#include "KeloInversion.h"
#include "KeloInvertMessageBoxes.h"
#include "KeloMessageBoxes.h"
#include "KeloQtText.h"
#include "KeloTimetableArithmetic.h"
#include "TKeloTripKeloCopyDialogForm.h"
#include "TKeloTripKeloMoveDialogForm.h"
#include "TShortTimePicker.h"
#include "TZoStringStorage.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>

#include <stdexcept>

namespace {

constexpr int KeloIndexRole = Qt::UserRole;

// A kelo without stops has no start to move, invert or copy from: the planner is told how
// to give it a timetable instead of meeting an internal error. True when refused.
bool RefuseWithoutStops(KeloKeloPtrClass kelo, QWidget* parent) {
    if (kelo->GetSchedule()->GetCount() > 0)
        return false;
    KeloShowError(QString::fromUtf8("У рейса №%1 нет остановок. Сначала задайте его расписание: "
                                    "дважды щёлкните по списку расписания.")
                      .arg(KeloToQString(kelo->GetNumber())),
                  parent);
    return true;
}

} // namespace

int TKeloTripDiagramForm::SelectedRowKelo() const {
    QTreeWidgetItem* row = keloListView->currentItem();
    if (row == nullptr || !row->isSelected())
        return -1;
    const QVariant data = row->data(0, KeloIndexRole);
    if (!data.isValid())
        return -1;
    const int index = data.toInt();
    return index >= 0 && index < diagram->GetEditBuffer()->GetKeloSet()->GetCount() ? index : -1;
}

void TKeloTripDiagramForm::AddKeloEntry(int index, KeloKeloPtrClass kelo) {
    auto& views = diagram->KeloViews();
    while (int(views.size()) <= index)
        diagram->AppendKeloView();
    views[std::size_t(index)].visible = true;
    keloListRebuilding = true;
    AddKeloListItem(index, kelo);
    keloListRebuilding = false;
    SortKeloList();
}

void TKeloTripDiagramForm::RemoveKeloEntry(int index) {
    diagram->RemoveKeloView(index);
    keloListRebuilding = true;
    if (QTreeWidgetItem* row = FindKeloListItem(index))
        delete row;
    for (int i = 0; i < keloListView->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = keloListView->topLevelItem(i);
        const int kelo = row->data(0, KeloIndexRole).toInt();
        if (kelo > index)
            row->setData(0, KeloIndexRole, kelo - 1);
    }
    keloListRebuilding = false;
    int& selected = State().selectedKelo;
    if (selected == index)
        selected = -1;
    else if (selected > index)
        --selected;
}

// After a command: the changed kelo selected everywhere and, when shown, brought into view.
void TKeloTripDiagramForm::ShowChangedKelo(int index) {
    State().selectedKelo = index;
    ApplyKeloSelection();
    const auto& views = diagram->KeloViews();
    if (index >= 0 && index < int(views.size()) && views[std::size_t(index)].visible)
        diagram->ScrollToKelo(index);
}

void TKeloTripDiagramForm::RefreshKeloRow(int index) {
    QTreeWidgetItem* row = FindKeloListItem(index);
    KeloKeloSetPtrClass kelos = diagram->GetEditBuffer()->GetKeloSet();
    if (row == nullptr || index >= kelos->GetCount())
        return;
    KeloKeloPtrClass kelo = kelos->GetItem(index);
    keloListRebuilding = true;
    FillKeloListTexts(row, kelo);
    // Only this row can be out of order: move it to its place instead of sorting them all.
    const bool wasCurrent = keloListView->currentItem() == row;
    keloListView->takeTopLevelItem(keloListView->indexOfTopLevelItem(row));
    const int rows = keloListView->topLevelItemCount();
    int place = 0;
    while (place < rows && KeloListViewCompare(keloListView->topLevelItem(place), row) <= 0)
        ++place;
    keloListView->insertTopLevelItem(place, row);
    if (wasCurrent)
        keloListView->setCurrentItem(row);
    keloListRebuilding = false;
}

TKeloTripKeloMoveDialogForm&
TKeloTripDiagramForm::StartTimeDialog(const QString& caption, bool offerCopy, const QTime& start) {
    if (startTimeDialog == nullptr)
        startTimeDialog = new TKeloTripKeloMoveDialogForm(this);
    startTimeDialog->setWindowTitle(caption);
    startTimeDialog->TimeStartPicker->SetTime(start);
    startTimeDialog->KeloCopyCheckBox->setChecked(false);
    startTimeDialog->KeloCopyCheckBox->setVisible(offerCopy);
    startTimeDialog->OkButton->setFocus();
    return *startTimeDialog;
}

KeloKeloPtrClass TKeloTripDiagramForm::CreateKeloCopy(int index, const std::string& number,
                                                      const std::string& name) {
    KeloDataPtrClass buffer = diagram->GetEditBuffer();
    KeloKeloPtrClass source = buffer->GetKeloSet()->GetItem(index);
    KeloKeloPtrClass copy = buffer->CreateKelo(number);
    copy->SetName(name);
    CopyKeloContent(*copy, *source);
    return copy;
}

KeloKeloPtrClass TKeloTripDiagramForm::AskCopyNumberAndName(int index, bool inverted) {
    KeloKeloSetPtrClass kelos = diagram->GetEditBuffer()->GetKeloSet();
    const std::optional<KeloCopyProposalType> proposal = ProposeCopyNumber(*kelos, index);
    if (!proposal)
        return {};
    TKeloTripKeloCopyDialogForm dialog(this);
    dialog.TripIdEdit->setText(KeloToQString(proposal->number));
    dialog.TripNameEdit->setText(KeloToQString(KeloCopyName(*proposal, inverted)));
    dialog.SetNumberTaken(
        [kelos](const std::string& number) mutable { return FindKeloIndex(*kelos, number) >= 0; });
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return CreateKeloCopy(index, dialog.Number(), dialog.Name());
}

int TKeloTripDiagramForm::AskStartAndTarget(int selected, int caption, bool inverted,
                                            int& startMinutes) {
    KeloKeloSetPtrClass kelos = diagram->GetEditBuffer()->GetKeloSet();
    if (RefuseWithoutStops(kelos->GetItem(selected), this))
        return -1;
    TKeloTripKeloMoveDialogForm& dialog = StartTimeDialog(
        stringStorage->Line(caption), true,
        KeloTimeToPickerTime(KeloFirstArrival(*kelos->GetItem(selected)->GetSchedule())));
    if (dialog.exec() != QDialog::Accepted)
        return -1;
    startMinutes = dialog.StartMinutes();
    if (!dialog.KeloCopyCheckBox->isChecked())
        return selected;
    KeloKeloPtrClass copy = AskCopyNumberAndName(selected, inverted);
    if (copy.IsNull())
        return -1;
    const int x = FindKeloIndex(*kelos, copy->GetNumber());
    AddKeloEntry(x, copy);
    return x;
}

void TKeloTripDiagramForm::KeloMoveActionExecute() {
    const int selected = SelectedRowKelo();
    if (selected < 0)
        return;
    try {
        int start = 0;
        const int x = AskStartAndTarget(selected, 0, false, start);
        if (x < 0)
            return;
        State().selectedKelo = x;
        ShiftKeloSchedule(*diagram->GetEditBuffer()->GetKeloSet()->GetItem(x)->GetSchedule(),
                          start);
        RefreshKeloRow(x);
        ShowChangedKelo(x);
    } catch (const std::exception& error) {
        ShowExceptionError(error, this);
    }
}

void TKeloTripDiagramForm::KeloInvertActionExecute() {
    const int selected = SelectedRowKelo();
    if (selected < 0)
        return;
    try {
        KeloDataPtrClass buffer = diagram->GetEditBuffer();
        KeloTopologyPtrClass topology = buffer->GetTopology();
        KeloInvertMessageBoxesClass questions(this);
        if (!CheckKeloInvertible(*buffer->GetKeloSet()->GetItem(selected)->GetSchedule(), *topology,
                                 questions))
            return;
        int start = 0;
        const int x = AskStartAndTarget(selected, 1, true, start);
        if (x < 0)
            return;
        State().selectedKelo = x;
        KeloKeloSchedulePtrClass schedule = buffer->GetKeloSet()->GetItem(x)->GetSchedule();
        if (InvertKeloSchedule(*schedule, *topology, questions))
            ShiftKeloSchedule(*schedule, start);
        RefreshKeloRow(x);
        ShowChangedKelo(x);
    } catch (const std::exception& error) {
        ShowExceptionError(error, this);
    }
}

void TKeloTripDiagramForm::KeloCopyActionExecute() {
    const int selected = SelectedRowKelo();
    if (selected < 0)
        return;
    try {
        KeloKeloSetPtrClass kelos = diagram->GetEditBuffer()->GetKeloSet();
        if (RefuseWithoutStops(kelos->GetItem(selected), this))
            return;
        TKeloTripKeloMoveDialogForm& dialog = StartTimeDialog(
            stringStorage->Line(2), false,
            KeloTimeToPickerTime(KeloFirstArrival(*kelos->GetItem(selected)->GetSchedule())));
        if (dialog.exec() != QDialog::Accepted)
            return;
        KeloKeloPtrClass copy = AskCopyNumberAndName(selected, false);
        if (copy.IsNull())
            return;
        const int x = FindKeloIndex(*kelos, copy->GetNumber());
        ShiftKeloSchedule(*copy->GetSchedule(), dialog.StartMinutes());
        AddKeloEntry(x, copy);
        ShowChangedKelo(x);
    } catch (const std::exception& error) {
        ShowExceptionError(error, this);
    }
}

void TKeloTripDiagramForm::KeloDeleteActionExecute() {
    const int selected = SelectedRowKelo();
    if (selected < 0)
        return;
    QMessageBox ask(QMessageBox::Question, KeloApplicationTitle(), stringStorage->Line(7),
                    QMessageBox::Yes | QMessageBox::No, this);
    ask.setDefaultButton(QMessageBox::No);
    if (ask.exec() != QMessageBox::Yes)
        return;

    // The row displayed above takes over the selection, or the one below for the first row.
    QTreeWidgetItem* row = FindKeloListItem(selected);
    const int position = keloListView->indexOfTopLevelItem(row);
    QTreeWidgetItem* neighbour =
        keloListView->topLevelItem(position > 0 ? position - 1 : position + 1);

    KeloDataPtrClass buffer = diagram->GetEditBuffer();
    const std::string number = buffer->GetKeloSet()->GetItem(selected)->GetNumber();
    buffer->DeleteKelo(number);
    RemoveKeloEntry(selected);
    State().selectedKelo = neighbour != nullptr ? neighbour->data(0, KeloIndexRole).toInt() : -1;
    ApplyKeloSelection();
}
