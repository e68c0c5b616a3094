#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class TShortTimePicker;

/// Arrival, departure and stay at one stop, kept consistent while the planner edits any of
/// them: departure = arrival + stay, with the departure allowed to fall on the next day.
/// Without the check box there is no stay, and departure and stay are disabled.
class TKeloTripTimetableInfoForm : public QDialog {
    Q_OBJECT
public:
    explicit TKeloTripTimetableInfoForm(QWidget* owner = nullptr);

    // Fills the window for one entry: with a stay, departure = arrival + stay; without one,
    // departure and stay stay at 00:00, disabled. The box is set first so that the
    // arrival's change does not move the departure of an entry that has none.
    void SetEntry(const QTime& arrival, bool hasStay, const QTime& stay);

    QLabel* InTimeLabel = nullptr;
    TShortTimePicker* TimeInShortTimePicker = nullptr;
    QCheckBox* WaitTimeEmptyCheckBox = nullptr;
    QLabel* TimeOutLabel = nullptr;
    TShortTimePicker* TimeOutShortTimePicker = nullptr;
    QLabel* TimeWaitLabel = nullptr;
    TShortTimePicker* TimeWaitShortTimePicker = nullptr;
    QPushButton* SaveButton = nullptr;
    QPushButton* CancelButton = nullptr;

private:
    void FitToFont();
    void TimeInShortTimePickerTimeChange();
    void TimeOutShortTimePickerTimeChange();
    void TimeWaitShortTimePickerTimeChange();
    void WaitTimeEmptyCheckBoxClick();
};
