#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

/// A pair of arrow buttons that steps the whole number in a buddy edit between a minimum
/// and a maximum, without wrapping. The edit stays free text: what the planner types is
/// checked by the dialog, not here.
class TZoUpDown : public QWidget {
    Q_OBJECT
public:
    TZoUpDown(QLineEdit* buddy, int minimum, int maximum, QWidget* parent);

    void SetPosition(int value); // clamped; shown in the buddy
    int Position() const { return position; }
    void StepBy(int steps);

private:
    QLineEdit* buddy;
    QToolButton* upButton;
    QToolButton* downButton;
    int minimum;
    int maximum;
    int position;
};
