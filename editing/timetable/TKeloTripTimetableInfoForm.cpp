#include "TKeloTripTimetableInfoForm.h"

#include "TShortTimePicker.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {

QString U(const char* text) { return QString::fromUtf8(text); }

QLabel* Label(const char* name, const char* text, int x, int y, QWidget* parent) {
    auto* label = new QLabel(U(text), parent);
    label->setObjectName(name);
    label->move(x, y);
    label->adjustSize();
    return label;
}

TShortTimePicker* Picker(const char* name, int x, int y, QWidget* parent) {
    auto* picker = new TShortTimePicker(parent);
    picker->setObjectName(name);
    picker->setGeometry(x, y, 41, 21);
    return picker;
}

// Sets a picker only when the value differs, so that the chain of change handlers ends.
void SetIfDiffers(TShortTimePicker* picker, const QTime& time) {
    if (picker->GetTime() != time)
        picker->SetTime(time);
}

} // namespace

TKeloTripTimetableInfoForm::TKeloTripTimetableInfoForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("KeloTripTimetableInfoForm"));
    setWindowTitle(U("Информация"));
    setFixedSize(365, 78);

    InTimeLabel = Label("InTimeLabel", "Прибытие", 8, 5, this);
    TimeInShortTimePicker = Picker("TimeInShortTimePicker", 64, 2, this);
    WaitTimeEmptyCheckBox = new QCheckBox(this);
    WaitTimeEmptyCheckBox->setObjectName(QStringLiteral("WaitTimeEmptyCheckBox"));
    WaitTimeEmptyCheckBox->move(111, 3);
    WaitTimeEmptyCheckBox->adjustSize();
    WaitTimeEmptyCheckBox->setChecked(true);
    TimeOutLabel = Label("TimeOutLabel", "Отправление", 128, 5, this);
    TimeOutShortTimePicker = Picker("TimeOutShortTimePicker", 200, 2, this);
    TimeWaitLabel = Label("TimeWaitLabel", "Стоянка", 272, 5, this);
    TimeWaitShortTimePicker = Picker("TimeWaitShortTimePicker", 320, 2, this);

    SaveButton = new QPushButton(U("Сохранить"), this);
    SaveButton->setObjectName(QStringLiteral("SaveButton"));
    SaveButton->setGeometry(206, 48, 75, 25);
    SaveButton->setDefault(true);
    connect(SaveButton, &QPushButton::clicked, this, &QDialog::accept);
    CancelButton = new QPushButton(U("Отмена"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setGeometry(286, 48, 75, 25);
    CancelButton->setAutoDefault(false);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    // Arrival, check box, departure, stay; then the buttons.
    setTabOrder(TimeInShortTimePicker, WaitTimeEmptyCheckBox);
    setTabOrder(WaitTimeEmptyCheckBox, TimeOutShortTimePicker);
    setTabOrder(TimeOutShortTimePicker, TimeWaitShortTimePicker);
    setTabOrder(TimeWaitShortTimePicker, SaveButton);
    setTabOrder(SaveButton, CancelButton);

    connect(TimeInShortTimePicker, &TShortTimePicker::OnTimeChange, this,
            &TKeloTripTimetableInfoForm::TimeInShortTimePickerTimeChange);
    connect(TimeOutShortTimePicker, &TShortTimePicker::OnTimeChange, this,
            &TKeloTripTimetableInfoForm::TimeOutShortTimePickerTimeChange);
    connect(TimeWaitShortTimePicker, &TShortTimePicker::OnTimeChange, this,
            &TKeloTripTimetableInfoForm::TimeWaitShortTimePickerTimeChange);
    // Toggled also when the caller sets the box, so the pickers always follow it.
    connect(WaitTimeEmptyCheckBox, &QCheckBox::toggled, this,
            &TKeloTripTimetableInfoForm::WaitTimeEmptyCheckBoxClick);

    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TKeloTripTimetableInfoForm::SetEntry(const QTime& arrival, bool hasStay, const QTime& stay) {
    WaitTimeEmptyCheckBox->setChecked(hasStay);
    if (!hasStay) {
        TimeWaitShortTimePicker->SetTime(QTime(0, 0));
        TimeOutShortTimePicker->SetTime(QTime(0, 0));
    }
    TimeInShortTimePicker->SetTime(arrival);
    if (hasStay) {
        TimeWaitShortTimePicker->SetTime(stay);
        SetIfDiffers(TimeOutShortTimePicker,
                     arrival.addSecs(QTime(0, 0).secsTo(TimeWaitShortTimePicker->GetTime())));
    }
}

void TKeloTripTimetableInfoForm::TimeInShortTimePickerTimeChange() {
    if (!WaitTimeEmptyCheckBox->isChecked())
        return;
    const QTime stay = TimeWaitShortTimePicker->GetTime();
    SetIfDiffers(TimeOutShortTimePicker,
                 TimeInShortTimePicker->GetTime().addSecs(QTime(0, 0).secsTo(stay)));
}

void TKeloTripTimetableInfoForm::TimeOutShortTimePickerTimeChange() {
    // A departure before the arrival is on the next day: the day wrap of addSecs gives
    // departure + (24:00 - arrival) then.
    const int seconds = TimeInShortTimePicker->GetTime().secsTo(TimeOutShortTimePicker->GetTime());
    SetIfDiffers(TimeWaitShortTimePicker, QTime(0, 0).addSecs(seconds));
}

void TKeloTripTimetableInfoForm::TimeWaitShortTimePickerTimeChange() {
    const QTime stay = TimeWaitShortTimePicker->GetTime();
    SetIfDiffers(TimeOutShortTimePicker,
                 TimeInShortTimePicker->GetTime().addSecs(QTime(0, 0).secsTo(stay)));
}

void TKeloTripTimetableInfoForm::WaitTimeEmptyCheckBoxClick() {
    const bool withStay = WaitTimeEmptyCheckBox->isChecked();
    TimeOutShortTimePicker->setEnabled(withStay);
    TimeWaitShortTimePicker->setEnabled(withStay);
    // A stay given again starts from the arrival, not from a departure left at 00:00.
    if (withStay)
        TimeWaitShortTimePickerTimeChange();
}
