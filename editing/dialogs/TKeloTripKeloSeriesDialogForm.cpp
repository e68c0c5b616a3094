#include "TKeloTripKeloSeriesDialogForm.h"

#include "KeloChartEditRules.h"
#include "KeloMessageBoxes.h"
#include "TShortTimePicker.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

int MinutesOf(const TShortTimePicker* picker) {
    const QTime time = picker->GetTime();
    return time.isValid() ? time.hour() * 60 + time.minute() : 0;
}

QTime TimeOf(int minutes) {
    const int m = KeloWrapIntoDay(minutes);
    return QTime(m / 60, m % 60);
}

} // namespace

TKeloTripKeloSeriesDialogForm::TKeloTripKeloSeriesDialogForm(QWidget* parent) : QDialog(parent) {
    setObjectName("TKeloTripKeloSeriesDialogForm");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setMinimumWidth(320); // room for the caption with the kelo number

    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout();
    intervalEdit = new QSpinBox(this);
    intervalEdit->setObjectName("IntervalEdit");
    intervalEdit->setRange(KeloSeriesMinInterval, KeloSeriesMaxInterval);
    form->addRow(QString::fromUtf8("Интервал, мин"), intervalEdit);
    firstPicker = new TShortTimePicker(this);
    firstPicker->setObjectName("FirstStartPicker");
    form->addRow(QString::fromUtf8("Первое отправление"), firstPicker);
    lastPicker = new TShortTimePicker(this);
    lastPicker->setObjectName("LastStartPicker");
    form->addRow(QString::fromUtf8("Последнее отправление"), lastPicker);
    countLabel = new QLabel(this);
    countLabel->setObjectName("CopyCountLabel");
    form->addRow(QString::fromUtf8("Копий"), countLabel);
    layout->addLayout(form);

    auto* buttons = new QHBoxLayout();
    buttons->addStretch();
    okButton = new QPushButton(QStringLiteral("Ok"), this);
    okButton->setObjectName("OkButton");
    okButton->setDefault(true);
    auto* cancelButton = new QPushButton(QString::fromUtf8("Отмена"), this);
    cancelButton->setObjectName("CancelButton");
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    layout->addLayout(buttons);

    connect(intervalEdit, &QSpinBox::valueChanged, this, &TKeloTripKeloSeriesDialogForm::ShowCount);
    connect(firstPicker, &TShortTimePicker::OnTimeChange, this,
            &TKeloTripKeloSeriesDialogForm::ShowCount);
    connect(lastPicker, &TShortTimePicker::OnTimeChange, this,
            &TKeloTripKeloSeriesDialogForm::ShowCount);
    connect(okButton, &QPushButton::clicked, this, &TKeloTripKeloSeriesDialogForm::OkButtonClick);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

KeloSeriesAnswerType TKeloTripKeloSeriesDialogForm::Current() const {
    return {intervalEdit->value(), MinutesOf(firstPicker), MinutesOf(lastPicker)};
}

void TKeloTripKeloSeriesDialogForm::ShowCount() {
    const KeloSeriesAnswerType now = Current();
    countLabel->setNum(KeloSeriesCount(now.firstMinutes, now.lastMinutes, now.intervalMinutes));
}

void TKeloTripKeloSeriesDialogForm::OkButtonClick() {
    const KeloSeriesAnswerType now = Current();
    const int count = KeloSeriesCount(now.firstMinutes, now.lastMinutes, now.intervalMinutes);
    if (count > KeloSeriesMaxCopies) {
        KeloShowError(QString::fromUtf8("Серия из %1 копий слишком велика: можно создать не "
                                        "больше %2 копий. Увеличьте интервал или сократите "
                                        "время серии.")
                          .arg(count)
                          .arg(KeloSeriesMaxCopies),
                      this);
        return;
    }
    accept();
}

std::optional<KeloSeriesAnswerType>
TKeloTripKeloSeriesDialogForm::Ask(const QString& number, const KeloSeriesAnswerType& proposal) {
    setWindowTitle(QString::fromUtf8("Серия рейсов № ") + number);
    intervalEdit->setValue(proposal.intervalMinutes);
    firstPicker->SetTime(TimeOf(proposal.firstMinutes));
    lastPicker->SetTime(TimeOf(proposal.lastMinutes));
    ShowCount();
    okButton->setFocus();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return Current();
}
