#pragma once

#include <QDialog>

#include <optional>

class QCheckBox;
class QLabel;
class QPushButton;
class TShortTimePicker;

/// What the planner answered: the start in minutes since midnight, and whether a copy is
/// to be made.
struct KeloStartTimeAnswerType {
    int startMinutes = 0;
    bool copy = false;
};

/// Asks for the new start time of a kelo, and whether to work on a copy of it. The command
/// that opens it sets its caption.
class TKeloTripKeloMoveDialogForm : public QDialog {
    Q_OBJECT
public:
    explicit TKeloTripKeloMoveDialogForm(QWidget* parent = nullptr);

    // Minutes since midnight of the picked time.
    int StartMinutes() const;
    // Shows the dialog with that caption and start, the copy box offered or hidden and
    // unticked; nothing when the planner cancels.
    std::optional<KeloStartTimeAnswerType> Ask(const QString& caption, bool offerCopy,
                                               const QTime& start);

    QLabel* TimeStartLabel = nullptr;
    TShortTimePicker* TimeStartPicker = nullptr;
    QCheckBox* KeloCopyCheckBox = nullptr;
    QPushButton* OkButton = nullptr;
    QPushButton* CancelButton = nullptr;
};
