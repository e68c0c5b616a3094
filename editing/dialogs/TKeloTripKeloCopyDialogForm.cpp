#include "TKeloTripKeloCopyDialogForm.h"

#include "KeloCopy.h"
#include "KeloMessageBoxes.h"
#include "KeloQtText.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TKeloTripKeloCopyDialogForm::TKeloTripKeloCopyDialogForm(QWidget* parent) : QDialog(parent) {
    setObjectName("TKeloTripKeloCopyDialogForm");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    // The caption begins with a Latin C, as it always has.
    setWindowTitle(QString::fromUtf8("Cоздание копии рейса "));
    setFixedSize(416, 110);

    TripIdLabel = new QLabel(QString::fromUtf8("Рейс"), this);
    TripIdLabel->setObjectName("TripIdLabel");
    TripIdLabel->setGeometry(10, 14, 60, 21);
    TripIdEdit = new QLineEdit(this);
    TripIdEdit->setObjectName("TripIdEdit");
    TripIdEdit->setGeometry(75, 12, 130, 23);
    TripNameLabel = new QLabel(QString::fromUtf8("Название"), this);
    TripNameLabel->setObjectName("TripNameLabel");
    TripNameLabel->setGeometry(10, 44, 60, 21);
    TripNameEdit = new QLineEdit(this);
    TripNameEdit->setObjectName("TripNameEdit");
    TripNameEdit->setGeometry(75, 42, 331, 23);
    OkButton = new QPushButton(QStringLiteral("Ok"), this);
    OkButton->setObjectName("OkButton");
    OkButton->setGeometry(262, 76, 70, 25);
    OkButton->setDefault(true);
    CancelButton = new QPushButton(QString::fromUtf8("Отмена"), this);
    CancelButton->setObjectName("CancelButton");
    CancelButton->setGeometry(336, 76, 70, 25);
    connect(OkButton, &QPushButton::clicked, this, &TKeloTripKeloCopyDialogForm::OkButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<KeloCopyAnswerType>
TKeloTripKeloCopyDialogForm::Ask(const std::string& proposedNumber, const std::string& proposedName,
                                 std::function<bool(const std::string&)> taken) {
    TripIdEdit->setText(KeloToQString(proposedNumber));
    TripNameEdit->setText(KeloToQString(proposedName));
    numberTaken = std::move(taken);
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return KeloCopyAnswerType{number, name};
}

void TKeloTripKeloCopyDialogForm::OkButtonClick() {
    std::string newNumber;
    std::string newName;
    QString rejected;
    const QString typed = TripIdEdit->text();
    if (!KeloFromQString(typed, newNumber, &rejected) ||
        !KeloFromQString(TripNameEdit->text(), newName, &rejected)) {
        KeloShowError(
            QString::fromUtf8("Символы «%1» не могут быть сохранены в данных рейса.").arg(rejected),
            this);
        return;
    }
    QString problem;
    switch (CheckTypedKeloNumber(newNumber)) {
    case KeloTypedNumberProblemType::Empty:
        problem = QString::fromUtf8("Введите номер рейса.");
        break;
    case KeloTypedNumberProblemType::OuterBlanks:
        problem = QString::fromUtf8("Номер рейса не может начинаться или заканчиваться "
                                    "пробелом. Уберите пробелы.");
        break;
    case KeloTypedNumberProblemType::ControlCharacter:
        problem = QString::fromUtf8("Номер рейса не может содержать управляющие символы.");
        break;
    case KeloTypedNumberProblemType::None:
        break;
    }
    if (problem.isEmpty() && HasControlBytes(newName))
        problem = QString::fromUtf8("Название рейса не может содержать управляющие символы.");
    if (!problem.isEmpty()) {
        KeloShowError(problem, this);
        TripIdEdit->setFocus();
        return;
    }
    // A copy under a number that is in use would merge into that kelo.
    if (numberTaken && numberTaken(newNumber)) {
        KeloShowError(
            QString::fromUtf8("Рейс №%1 уже существует. Введите другой номер.").arg(typed), this);
        TripIdEdit->setFocus();
        TripIdEdit->selectAll();
        return;
    }
    number = newNumber;
    name = newName;
    accept();
}
