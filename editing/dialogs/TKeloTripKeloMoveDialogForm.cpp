#include "TKeloTripKeloMoveDialogForm.h"

#include "TShortTimePicker.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

TKeloTripKeloMoveDialogForm::TKeloTripKeloMoveDialogForm(QWidget* parent) : QDialog(parent) {
    setObjectName("TKeloTripKeloMoveDialogForm");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(265, 95);

    TimeStartLabel = new QLabel(QString::fromUtf8("Перенести начало рейса на  "), this);
    TimeStartLabel->setObjectName("TimeStartLabel");
    // The fixed client area is small: the label and the check box take the width their
    // texts need in the running font, the picker and the buttons what is left.
    TimeStartLabel->move(8, 15);
    TimeStartLabel->adjustSize();
    TimeStartPicker = new TShortTimePicker(this);
    TimeStartPicker->setObjectName("TimeStartPicker");
    const int pickerLeft = std::min(TimeStartLabel->x() + TimeStartLabel->width(), 200);
    TimeStartPicker->setGeometry(pickerLeft, 12, 257 - pickerLeft, 23);
    KeloCopyCheckBox = new QCheckBox(QString::fromUtf8("Создать копию"), this);
    KeloCopyCheckBox->setObjectName("KeloCopyCheckBox");
    KeloCopyCheckBox->move(8, 60);
    KeloCopyCheckBox->adjustSize();
    OkButton = new QPushButton(QStringLiteral("Ok"), this);
    OkButton->setObjectName("OkButton");
    OkButton->setDefault(true);
    CancelButton = new QPushButton(QString::fromUtf8("Отмена"), this);
    CancelButton->setObjectName("CancelButton");
    const int buttonWidth =
        std::max(58, CancelButton->fontMetrics().horizontalAdvance(CancelButton->text()) + 16);
    CancelButton->setGeometry(257 - buttonWidth, 58, buttonWidth, 25);
    OkButton->setGeometry(CancelButton->x() - 4 - buttonWidth, 58, buttonWidth, 25);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

int TKeloTripKeloMoveDialogForm::StartMinutes() const {
    const QTime time = TimeStartPicker->GetTime();
    return time.isValid() ? time.hour() * 60 + time.minute() : 0;
}

std::optional<KeloStartTimeAnswerType>
TKeloTripKeloMoveDialogForm::Ask(const QString& caption, bool offerCopy, const QTime& start) {
    setWindowTitle(caption);
    TimeStartPicker->SetTime(start);
    KeloCopyCheckBox->setChecked(false);
    KeloCopyCheckBox->setVisible(offerCopy);
    OkButton->setFocus();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return KeloStartTimeAnswerType{StartMinutes(), offerCopy && KeloCopyCheckBox->isChecked()};
}
