#include "TKeloTripKeloMoveDialogForm.h"

#include "TShortTimePicker.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

TKeloTripKeloMoveDialogForm::TKeloTripKeloMoveDialogForm(QWidget* parent) : QDialog(parent) {
    setObjectName("TKeloTripKeloMoveDialogForm");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(265, 95);

    TimeStartLabel = new QLabel(QString::fromUtf8("Перенести начало рейса на  "), this);
    TimeStartLabel->setObjectName("TimeStartLabel");
    TimeStartLabel->setGeometry(10, 14, 170, 21);
    TimeStartPicker = new TShortTimePicker(this);
    TimeStartPicker->setObjectName("TimeStartPicker");
    TimeStartPicker->setGeometry(185, 12, 70, 23);
    KeloCopyCheckBox = new QCheckBox(QString::fromUtf8("Создать копию"), this);
    KeloCopyCheckBox->setObjectName("KeloCopyCheckBox");
    KeloCopyCheckBox->setGeometry(10, 60, 110, 21);
    OkButton = new QPushButton(QStringLiteral("Ok"), this);
    OkButton->setObjectName("OkButton");
    OkButton->setGeometry(125, 58, 63, 25);
    OkButton->setDefault(true);
    CancelButton = new QPushButton(QString::fromUtf8("Отмена"), this);
    CancelButton->setObjectName("CancelButton");
    CancelButton->setGeometry(193, 58, 63, 25);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

int TKeloTripKeloMoveDialogForm::StartMinutes() const {
    const QTime time = TimeStartPicker->GetTime();
    return time.isValid() ? time.hour() * 60 + time.minute() : 0;
}
