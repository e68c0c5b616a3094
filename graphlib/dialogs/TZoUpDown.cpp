#include "TZoUpDown.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

TZoUpDown::TZoUpDown(QLineEdit* buddy, int minimum, int maximum, QWidget* parent)
    : QWidget(parent), buddy(buddy), minimum(minimum), maximum(maximum), position(minimum) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    upButton = new QToolButton(this);
    upButton->setArrowType(Qt::UpArrow);
    downButton = new QToolButton(this);
    downButton->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {upButton, downButton}) {
        button->setFixedSize(16, 11);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(button);
    }
    connect(upButton, &QToolButton::clicked, this, [this] { StepBy(1); });
    connect(downButton, &QToolButton::clicked, this, [this] { StepBy(-1); });
}

void TZoUpDown::SetPosition(int value) {
    position = std::clamp(value, minimum, maximum);
    buddy->setText(QString::number(position));
}

void TZoUpDown::StepBy(int steps) {
    // Steps start from what the edit shows when it holds a whole number.
    bool ok = false;
    const int shown = buddy->text().trimmed().toInt(&ok);
    SetPosition((ok ? std::clamp(shown, minimum, maximum) : position) + steps);
}
