#include "TKeloTripTimetableInfoForm.h"

#include "KeloQtText.h"
#include "TShortTimePicker.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace {

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

    FitToFont();

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

void TKeloTripTimetableInfoForm::FitToFont() {
    // The designed places suit a small dialog font; with a wider font each control moves right
    // just enough not to cover the text before it, and the window grows to match.
    const int pickerWidth =
        std::max(41, fontMetrics().horizontalAdvance(QStringLiteral("00:00")) + 12);
    int right = 0;
    auto place = [&right](QWidget* widget, int designedX, int gap) {
        widget->move(std::max(designedX, right + gap), widget->y());
        right = widget->geometry().right() + 1;
    };
    for (TShortTimePicker* picker :
         {TimeInShortTimePicker, TimeOutShortTimePicker, TimeWaitShortTimePicker})
        picker->resize(pickerWidth, picker->height());
    place(InTimeLabel, 8, 0);
    place(TimeInShortTimePicker, 64, 4);
    place(WaitTimeEmptyCheckBox, 111, 6);
    place(TimeOutLabel, 128, 2);
    place(TimeOutShortTimePicker, 200, 4);
    place(TimeWaitLabel, 272, 31);
    place(TimeWaitShortTimePicker, 320, 4);
    const int width = std::max(365, right + 4);
    setFixedSize(width, 78);
    CancelButton->move(width - 4 - CancelButton->width(), CancelButton->y());
    SaveButton->move(CancelButton->x() - 5 - SaveButton->width(), SaveButton->y());
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
