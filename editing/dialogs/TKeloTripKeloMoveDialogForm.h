#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class TShortTimePicker;

/// Asks for the new start time of a kelo, and whether to work on a copy of it. The command
/// that opens it sets its caption.
class TKeloTripKeloMoveDialogForm : public QDialog {
    Q_OBJECT
public:
    explicit TKeloTripKeloMoveDialogForm(QWidget* parent = nullptr);

    // Minutes since midnight of the picked time.
    int StartMinutes() const;

    QLabel* TimeStartLabel = nullptr;
    TShortTimePicker* TimeStartPicker = nullptr;
    QCheckBox* KeloCopyCheckBox = nullptr;
    QPushButton* OkButton = nullptr;
    QPushButton* CancelButton = nullptr;
};
