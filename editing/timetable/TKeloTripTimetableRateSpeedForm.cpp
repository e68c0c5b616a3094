#include "TKeloTripTimetableRateSpeedForm.h"

#include "KeloMessageBoxes.h"
#include "KeloNumberText.h"
#include "KeloQtText.h"
#include "TZoStringStorage.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

TKeloTripTimetableRateSpeedForm::TKeloTripTimetableRateSpeedForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("KeloTripTimetableRateSpeedForm"));
    setWindowTitle(U("Расчетные скорость от "));
    setFixedSize(329, 97);

    RateSpeedLabel = new QLabel(U("Расчетная скорость [км/ч]"), this);
    RateSpeedLabel->setObjectName(QStringLiteral("RateSpeedLabel"));
    RateSpeedLabel->setGeometry(8, 8, 313, 16);

    RateSpeedComboBox = new QComboBox(this);
    RateSpeedComboBox->setObjectName(QStringLiteral("RateSpeedComboBox"));
    RateSpeedComboBox->setGeometry(8, 27, 313, 22);
    RateSpeedComboBox->setEditable(true);
    // Sorted: a speed the planner types and confirms takes its place in order.
    RateSpeedComboBox->setInsertPolicy(QComboBox::InsertAlphabetically);
    RateSpeedComboBox->addItems({QStringLiteral("60"), QStringLiteral("70"), QStringLiteral("80")});
    RateSpeedComboBox->setCurrentText(QStringLiteral("60"));

    SaveButton = new QPushButton(U("Пересчитать"), this);
    SaveButton->setObjectName(QStringLiteral("SaveButton"));
    SaveButton->setGeometry(166, 64, 75, 25);
    SaveButton->setDefault(true);
    connect(SaveButton, &QPushButton::clicked, this, &QDialog::accept);
    CancelButton = new QPushButton(U("Отмена"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setGeometry(246, 64, 75, 25);
    CancelButton->setAutoDefault(false);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    // Buttons as wide as their captions need, kept at the right edge.
    for (QPushButton* button : {SaveButton, CancelButton})
        button->resize(std::max(75, button->sizeHint().width()), 25);
    CancelButton->move(width() - 8 - CancelButton->width(), 64);
    SaveButton->move(CancelButton->x() - 5 - SaveButton->width(), 64);

    ZoStringStorage = new TZoStringStorage(
        {U("Введите значение расчетной скорости"), U("Неккоректное значение расчетной скорости"),
         U("Значение расчетной скорости не может быть меньше "),
         U("Значение расчетной скорости не может быть больше  ")},
        this);
    ZoStringStorage->setObjectName(QStringLiteral("ZoStringStorage"));

    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

bool TKeloTripTimetableRateSpeedForm::ReadSpeed(const QString& text, double& speed) {
    // Either separator, whatever the locale; "1,5" is never 15 through a group separator.
    return ParseDecimal(text.trimmed().toStdString(), speed);
}

double TKeloTripTimetableRateSpeedForm::Speed() const {
    double speed = 0;
    return ReadSpeed(RateSpeedComboBox->currentText(), speed) ? speed : 0;
}

void TKeloTripTimetableRateSpeedForm::done(int result) {
    if (!FormCloseQuery(result))
        return;
    QDialog::done(result);
}

bool TKeloTripTimetableRateSpeedForm::FormCloseQuery(int result) {
    if (result != QDialog::Accepted)
        return true;
    const QString text = RateSpeedComboBox->currentText();
    QString refusal;
    double number = 0;
    if (text.isEmpty()) {
        refusal = ZoStringStorage->Line(0);
    } else if (!ReadSpeed(text, number)) {
        refusal = ZoStringStorage->Line(1);
    } else {
        // Compared in single precision, as the speed is held; both bounds are allowed.
        const float v = static_cast<float>(number);
        if (!(v >= MinSpeed))
            refusal = ZoStringStorage->Line(2) + QLocale().toString(MinSpeed);
        else if (v > MaxSpeed)
            refusal = ZoStringStorage->Line(3) + QLocale().toString(MaxSpeed);
    }
    if (refusal.isEmpty())
        return true;
    KeloShowError(refusal, this);
    RateSpeedComboBox->setFocus();
    return false;
}
