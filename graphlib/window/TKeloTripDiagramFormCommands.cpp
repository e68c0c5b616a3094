// The diagram window's kelo commands: move, invert, copy and delete, and the dialogs
// they ask.

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

#include "TKeloListOrderProxyModel.h"
#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>

#include <QTreeView>

#include <stdexcept>

namespace {

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

std::string TKeloTripDiagramForm::SelectedRowNumber() const {
    const QModelIndex row = keloListView->currentIndex();
    if (!row.isValid() || !keloListView->selectionModel()->isSelected(row.siblingAtColumn(0)))
        return {};
    return KeloNumberOfRow(row);
}

void TKeloTripDiagramForm::ScrollToShownKelo(const std::string& number) {
    if (holdChartScroll)
        return;
    if (ChartPosition(number) >= 0 && document->Entry(number).visible)
        diagram->ScrollToKelo(ChartPosition(number));
}

std::optional<KeloStartTimeAnswerType>
TKeloTripDiagramForm::AskStartTime(int caption, bool offerCopy, const std::string& selected) {
    KeloKeloPtrClass kelo = document->FindKelo(selected);
    if (RefuseWithoutStops(kelo, this))
        return std::nullopt;
    const QTime start = KeloTimeToPickerTime(KeloFirstArrival(*kelo->GetSchedule()));
    if (startTimeDialog == nullptr)
        startTimeDialog = new TKeloTripKeloMoveDialogForm(this);
    return startTimeDialog->Ask(stringStorage->Line(caption), offerCopy, start);
}

std::optional<KeloCopyRequestType>
TKeloTripDiagramForm::AskCopyNumberAndName(const std::string& number, bool inverted) {
    KeloKeloSetPtrClass kelos = diagram->GetEditBuffer()->GetKeloSet();
    const std::optional<KeloCopyProposalType> proposal =
        ProposeCopyNumber(*kelos, ChartPosition(number));
    if (!proposal)
        return std::nullopt;
    TKeloTripKeloCopyDialogForm dialog(this);
    const std::optional<KeloCopyAnswerType> answer = dialog.Ask(
        proposal->number, KeloCopyName(*proposal, inverted),
        [kelos](const std::string& taken) mutable { return FindKeloIndex(*kelos, taken) >= 0; });
    if (!answer)
        return std::nullopt;
    return KeloCopyRequestType{answer->number, answer->name};
}

bool TKeloTripDiagramForm::AskStartAndCopy(const std::string& selected, int caption, bool inverted,
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
    if (index >= 0 && std::size_t(index) < chartNumbers.size())
        return chartNumbers[std::size_t(index)];
    return diagram->GetEditBuffer()->GetKeloSet()->GetItem(index)->GetNumber();
}

void TKeloTripDiagramForm::KeloMoveActionExecute() {
    const std::string selected = SelectedRowNumber();
    if (selected.empty())
        return;
    try {
        int start = 0;
        std::optional<KeloCopyRequestType> copy;
        if (!AskStartAndCopy(selected, 0, false, start, copy))
            return;
        ApplyDocumentChange(document->MoveKelo(selected, start, copy));
    } catch (const std::exception& error) {
        ShowExceptionError(error, this);
    }
}

void TKeloTripDiagramForm::KeloInvertActionExecute() {
    const std::string selected = SelectedRowNumber();
    if (selected.empty())
        return;
    try {
        KeloDataPtrClass buffer = diagram->GetEditBuffer();
        KeloTopologyPtrClass topology = buffer->GetTopology();
        KeloInvertMessageBoxesClass questions(this);
        if (!CheckKeloInvertible(*document->FindKelo(selected)->GetSchedule(), *topology,
                                 questions))
            return;
        int start = 0;
        std::optional<KeloCopyRequestType> copy;
        if (!AskStartAndCopy(selected, 1, true, start, copy))
            return;
        ApplyDocumentChange(document->InvertKelo(selected, start, questions, copy));
    } catch (const std::exception& error) {
        ShowExceptionError(error, this);
    }
}

void TKeloTripDiagramForm::KeloCopyActionExecute() {
    const std::string selected = SelectedRowNumber();
    if (selected.empty())
        return;
    try {
        const std::optional<KeloStartTimeAnswerType> start = AskStartTime(2, false, selected);
        if (!start)
            return;
        const std::optional<KeloCopyRequestType> copy = AskCopyNumberAndName(selected, false);
        if (!copy)
            return;
        ApplyDocumentChange(document->CopyKelo(selected, *copy, start->startMinutes));
    } catch (const std::exception& error) {
        ShowExceptionError(error, this);
    }
}

void TKeloTripDiagramForm::KeloDeleteActionExecute() {
    const std::string selected = SelectedRowNumber();
    if (selected.empty())
        return;
    QMessageBox ask(QMessageBox::Question, KeloApplicationTitle(), stringStorage->Line(7),
                    QMessageBox::Yes | QMessageBox::No, this);
    ask.setDefaultButton(QMessageBox::No);
    if (ask.exec() != QMessageBox::Yes)
        return;

    // The row displayed above takes over the selection, or the one below for the first row.
    const int position = FindKeloListItem(selected).row();
    const QModelIndex neighbour =
        keloListProxy->index(position > 0 ? position - 1 : position + 1, 0);
    const std::string next = neighbour.isValid() ? KeloNumberOfRow(neighbour) : std::string();
    ApplyDocumentChange(document->DeleteKelo(selected, next));
}
