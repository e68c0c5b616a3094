// The commands of the timetable dialog's popup menu.
#include "TKeloTripTimeTableDialogForm.h"

#include "FormatShortTime.h"
#include "KeloErrorReport.h"
#include "KeloInvertMessageBoxes.h"
#include "KeloMessageBoxes.h"
#include "KeloQtText.h"
#include "KeloTimetableArithmetic.h"
#include "KeloTimetableCommands.h"
#include "TKeloSimpleStopDataSetViewForm.h"
#include "TKeloTripKeloMoveDialogForm.h"
#include "TKeloTripTimetableInfoForm.h"
#include "TKeloTripTimetableRateSpeedForm.h"
#include "TShortTimePicker.h"
#include "TZoStringStorage.h"

#include <QCheckBox>
#include <QTreeWidget>

#include <stdexcept>

namespace {

KeloTimeType Minutes(const QTime& time) {
    return KeloTimeType(time.hour(), time.minute());
}

QString NoTopologyText() {
    return U("Отсутствует топология");
}

} // namespace

void TKeloTripTimeTableDialogForm::ChangeInfoActionExecute() {
    const int k = SelectedRow();
    if (k < 0)
        return;
    KeloStopSchedulePtrClass entry = schedule->GetItem(k);
    const KeloTimeType arrival = entry->GetArrival();
    const KeloTimeType stay = entry->GetStay();
    QTime arrivalTime;
    QTime stayTime(0, 0);
    try {
        arrivalTime = KeloTimeToPickerTime(arrival);
        if (!stay.IsEmpty()) {
            stayTime = KeloTimeToPickerTime(stay);
        }
    } catch (const std::exception& error) {
        ShowExceptionError(error, this);
        return;
    }

    TKeloTripTimetableInfoForm form(this);
    form.setWindowTitle(Row(k)->text(NameColumn));
    form.SetEntry(arrivalTime, !stay.IsEmpty(), stayTime);
    if (form.exec() != QDialog::Accepted)
        return;

    QTreeWidgetItem* row = Row(k);
    entry->SetArrival(Minutes(form.TimeInShortTimePicker->GetTime()));
    row->setText(ArrivalColumn, FormatShortTime(form.TimeInShortTimePicker->GetTime()));
    if (form.WaitTimeEmptyCheckBox->isChecked()) {
        entry->SetStay(Minutes(form.TimeWaitShortTimePicker->GetTime()));
        row->setText(DepartureColumn, FormatShortTime(form.TimeOutShortTimePicker->GetTime()));
        row->setText(StayColumn, FormatShortTime(form.TimeWaitShortTimePicker->GetTime()));
    } else {
        entry->SetStay(KeloTimeType());
        row->setText(DepartureColumn, QString());
        row->setText(StayColumn, QString());
    }
    // Only this entry changes; the recalculation moves the ones after it.
    if (k > 0)
        FillRunColumns(k - 1);
    FillRunColumns(k);
}

void TKeloTripTimeTableDialogForm::UpdateBySpeedActionExecute() {
    const int k = SelectedRow();
    if (k < 0)
        return;
    TKeloTripTimetableRateSpeedForm form(this);
    form.setWindowTitle(form.windowTitle() + Row(k)->text(NameColumn));
    if (form.exec() != QDialog::Accepted)
        return;
    RecalculateFrom(k, form.Speed());
}

void TKeloTripTimeTableDialogForm::RecalculateFrom(int k, double speed) {
    KeloRecalculateAtSpeed(
        *schedule, *topology, k, speed, [this](std::int32_t j) { ShowLongRunWarning(j); },
        [this](std::int32_t j) {
            KeloStopSchedulePtrClass next = schedule->GetItem(j + 1);
            Row(j + 1)->setText(ArrivalColumn, KeloClockText(next->GetArrival()));
            if (!next->GetStay().IsEmpty())
                Row(j + 1)->setText(DepartureColumn, KeloClockText(KeloTimeOfDay(
                                                         next->GetArrival() + next->GetStay())));
            FillRunColumns(j);
        });
}

void TKeloTripTimeTableDialogForm::MoveActionExecute() {
    QTime start;
    if (!AskNewStart(ZoStringStorage->Line(MoveCaption), start))
        return;
    ShiftKeloSchedule(*schedule, Minutes(start).GetTotalMinutes());
    FillChainList();
}

void TKeloTripTimeTableDialogForm::InvertActionExecute() {
    QTime start;
    if (!AskNewStart(ZoStringStorage->Line(InvertCaption), start))
        return;
    KeloInvertMessageBoxesClass questions(this);
    if (InvertKeloSchedule(*schedule, *topology, questions))
        ShiftKeloSchedule(*schedule, Minutes(start).GetTotalMinutes());
    FillChainList();
}

bool TKeloTripTimeTableDialogForm::AskNewStart(const QString& caption, QTime& start) {
    try {
        start = KeloTimeToPickerTime(KeloFirstArrival(*schedule));
    } catch (const std::exception& error) {
        ShowExceptionError(error, this);
        return false;
    }
    return AskStartTime(caption, start);
}

void TKeloTripTimeTableDialogForm::DeleteStopActionExecute() {
    const int k = SelectedRow();
    if (k < 0)
        return;
    const std::int32_t count = schedule->GetCount();
    if (!KeloRemoveTimetableStop(*schedule, *topology, k)) {
        KeloShowError(NoTopologyText(), this);
        return;
    }
    FillChainList();
    SelectRow(std::min(k, count - 2));
}

void TKeloTripTimeTableDialogForm::InsertStopActionExecute() {
    const int k = SelectedRow();
    if (k < 0)
        return;
    const std::string code = ChooseStop();
    if (code.empty())
        return;
    if (!KeloCanInsertTimetableStop(*schedule, *topology, k, code)) {
        KeloShowError(NoTopologyText(), this);
        return;
    }
    if (!KeloInsertTimetableStop(*schedule, *topology, k, code))
        return;
    FillChainList();
    SelectRow(k);
    ChangeInfoActionExecute();
}

void TKeloTripTimeTableDialogForm::AppendStopActionExecute() {
    // No topology check: the planner may be building the timetable from its first stop.
    try {
        const std::string code = ChooseStop();
        if (code.empty())
            return;
        if (!KeloAppendTimetableStop(*schedule, code))
            return;
        FillChainList();
        SelectRow(ChainListView->topLevelItemCount() - 1);
        ChangeInfoActionExecute();
    } catch (const std::exception& error) {
        // Shown rather than swallowed: the planner must know the stop was not added.
        ShowExceptionError(error, this);
    }
}

std::string TKeloTripTimeTableDialogForm::ChooseStop() {
    TKeloSimpleStopDataSetViewForm choice(data, this);
    if (choice.exec() != QDialog::Accepted)
        return {};
    return choice.SelectedCode();
}

bool TKeloTripTimeTableDialogForm::AskStartTime(const QString& caption, QTime& start) {
    TKeloTripKeloMoveDialogForm dialog(this);
    dialog.setWindowTitle(caption);
    // The dialog works on this kelo itself; copies are made in the diagram window.
    dialog.KeloCopyCheckBox->hide();
    dialog.TimeStartPicker->SetTime(start);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    start = dialog.TimeStartPicker->GetTime();
    return true;
}
