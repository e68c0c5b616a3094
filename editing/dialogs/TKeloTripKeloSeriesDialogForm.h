#pragma once

#include <QDialog>

#include <optional>

class QLabel;
class QPushButton;
class QSpinBox;
class TShortTimePicker;

/// A series as the planner asked for it: the interval and the first and last start, in
/// minutes of the day.
struct KeloSeriesAnswerType {
    int intervalMinutes = 60;
    int firstMinutes = 0;
    int lastMinutes = 0;

    friend bool operator==(const KeloSeriesAnswerType&, const KeloSeriesAnswerType&) = default;
};

/// Asks for a series of copies of one kelo: the interval in minutes and the first and last
/// start time, showing how many copies that makes. A series of too many copies is refused
/// with a message and the dialog stays open.
class TKeloTripKeloSeriesDialogForm : public QDialog {
    Q_OBJECT
public:
    explicit TKeloTripKeloSeriesDialogForm(QWidget* parent = nullptr);

    // Shows the dialog for the kelo `number` with `proposal` filled in; nothing on cancel.
    std::optional<KeloSeriesAnswerType> Ask(const QString& number,
                                            const KeloSeriesAnswerType& proposal);

private:
    KeloSeriesAnswerType Current() const;
    void ShowCount();
    void OkButtonClick();

    QSpinBox* intervalEdit = nullptr;
    TShortTimePicker* firstPicker = nullptr;
    TShortTimePicker* lastPicker = nullptr;
    QLabel* countLabel = nullptr;
    QPushButton* okButton = nullptr;
};
