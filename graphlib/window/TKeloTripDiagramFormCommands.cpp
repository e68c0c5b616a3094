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

// After a command: the changed kelo selected everywhere and, when shown, brought into view.
void TKeloTripDiagramForm::ShowChangedKelo(int index) {
    State().selectedKelo = index;
    ApplyKeloSelection();
    ScrollToShownKelo(index);
}

void TKeloTripDiagramForm::ScrollToShownKelo(int index) {
    if (holdChartScroll)
        return;
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

std::optional<KeloStartTimeAnswerType>
TKeloTripDiagramForm::AskStartTime(int caption, bool offerCopy, int selected) {
    KeloKeloPtrClass kelo = diagram->GetEditBuffer()->GetKeloSet()->GetItem(selected);
    if (RefuseWithoutStops(kelo, this))
        return std::nullopt;
    const QTime start = KeloTimeToPickerTime(KeloFirstArrival(*kelo->GetSchedule()));
    if (startTimeDialog == nullptr)
        startTimeDialog = new TKeloTripKeloMoveDialogForm(this);
    return startTimeDialog->Ask(stringStorage->Line(caption), offerCopy, start);
}

std::optional<KeloCopyRequestType> TKeloTripDiagramForm::AskCopyNumberAndName(int index,
                                                                              bool inverted) {
    KeloKeloSetPtrClass kelos = diagram->GetEditBuffer()->GetKeloSet();
    const std::optional<KeloCopyProposalType> proposal = ProposeCopyNumber(*kelos, index);
    if (!proposal)
        return std::nullopt;
    TKeloTripKeloCopyDialogForm dialog(this);
    dialog.TripIdEdit->setText(KeloToQString(proposal->number));
    dialog.TripNameEdit->setText(KeloToQString(KeloCopyName(*proposal, inverted)));
    dialog.SetNumberTaken(
        [kelos](const std::string& number) mutable { return FindKeloIndex(*kelos, number) >= 0; });
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return KeloCopyRequestType{dialog.Number(), dialog.Name()};
}

bool TKeloTripDiagramForm::AskStartAndCopy(int selected, int caption, bool inverted,
                                           int& startMinutes,
                                           std::optional<KeloCopyRequestType>& copy) {
    const std::optional<KeloStartTimeAnswerType> answer = AskStartTime(caption, true, selected);
    if (!answer)
        return false;
    startMinutes = answer->startMinutes;
    if (!answer->copy)
        return true;
    copy = AskCopyNumberAndName(selected, inverted);
    return copy.has_value();
}

std::string TKeloTripDiagramForm::KeloNumberAt(int index) const {
    return diagram->GetEditBuffer()->GetKeloSet()->GetItem(index)->GetNumber();
}

void TKeloTripDiagramForm::KeloMoveActionExecute() {
    const int selected = SelectedRowKelo();
    if (selected < 0)
        return;
    try {
        int start = 0;
        std::optional<KeloCopyRequestType> copy;
        if (!AskStartAndCopy(selected, 0, false, start, copy))
            return;
        SyncDocument();
        ApplyDocumentChange(document->MoveKelo(KeloNumberAt(selected), start, copy));
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
        std::optional<KeloCopyRequestType> copy;
        if (!AskStartAndCopy(selected, 1, true, start, copy))
            return;
        SyncDocument();
        ApplyDocumentChange(document->InvertKelo(KeloNumberAt(selected), start, questions, copy));
    } catch (const std::exception& error) {
        ShowExceptionError(error, this);
    }
}

void TKeloTripDiagramForm::KeloCopyActionExecute() {
    const int selected = SelectedRowKelo();
    if (selected < 0)
        return;
    try {
        const std::optional<KeloStartTimeAnswerType> start = AskStartTime(2, false, selected);
        if (!start)
            return;
        const std::optional<KeloCopyRequestType> copy = AskCopyNumberAndName(selected, false);
        if (!copy)
            return;
        SyncDocument();
        ApplyDocumentChange(document->CopyKelo(KeloNumberAt(selected), *copy, start->startMinutes));
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
    const std::string next =
        neighbour != nullptr ? KeloNumberAt(neighbour->data(0, KeloIndexRole).toInt()) : "";
    SyncDocument();
    ApplyDocumentChange(document->DeleteKelo(KeloNumberAt(selected), next));
}
