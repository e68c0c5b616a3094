#include "ModalAnswer.h"
#include "TKeloTripTimetableInfoForm.h"
#include "TKeloTripTimetableRateSpeedForm.h"
#include "TShortTimePicker.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using kelo_test::MessageBoxAnswer;

namespace {

QTime T(const char* text) {
    return QTime::fromString(QString::fromLatin1(text), "hh:mm");
}

// The entry window as the timetable dialog fills it: arrival, box, stay.
struct EntryWindow {
    TKeloTripTimetableInfoForm form;
    EntryWindow(const char* arrival, const char* stay) {
        form.SetEntry(T(arrival), stay != nullptr, stay != nullptr ? T(stay) : QTime(0, 0));
        form.show();
    }
    QString Out() const { return form.TimeOutShortTimePicker->displayText(); }
    QString Wait() const { return form.TimeWaitShortTimePicker->displayText(); }
};

} // namespace

TEST(TimetableEntryForm, CascadeKeepsTheThreeTimesConsistent) {
    enum Picker { In, Out, Wait };
    struct Case {
        const char* arrival;
        Picker changed;
        const char* value;
        const char* out;
        const char* wait;
    };
    const Case cases[] = {
        {"10:50", Out, "11:05", "11:05", "00:15"},
        {"23:50", Out, "00:10", "00:10", "00:20"}, // departure on the next day
        {"08:00", Wait, "00:07", "08:07", "00:07"},
        {"23:30", Wait, "01:00", "00:30", "01:00"},
        {"08:00", In, "09:00", "09:05", "00:05"},
    };
    for (const Case& c : cases) {
        EntryWindow window(c.arrival, "00:05");
        TShortTimePicker* pickers[] = {window.form.TimeInShortTimePicker,
                                       window.form.TimeOutShortTimePicker,
                                       window.form.TimeWaitShortTimePicker};
        pickers[c.changed]->SetTime(T(c.value));
        EXPECT_EQ(window.Out(), c.out) << c.arrival << " " << c.value;
        EXPECT_EQ(window.Wait(), c.wait) << c.arrival << " " << c.value;
    }
}

TEST(TimetableEntryForm, StayThenArrivalMovesTheDeparture) {
    EntryWindow window("08:00", "00:00");
    window.form.TimeWaitShortTimePicker->SetTime(T("00:07"));
    EXPECT_EQ(window.Out(), "08:07");
    // Typed by the planner, not set by program.
    QLineEdit* arrival = window.form.TimeInShortTimePicker;
    arrival->setFocus();
    arrival->setCursorPosition(0);
    QTest::keyClicks(arrival, "0900");
    EXPECT_EQ(arrival->displayText(), "09:00");
    EXPECT_EQ(window.Out(), "09:07");
    EXPECT_EQ(window.Wait(), "00:07");
}

TEST(TimetableEntryForm, WithoutStayTheOtherPickersAreDisabledAndLeftAlone) {
    EntryWindow window("08:00", nullptr);
    EXPECT_FALSE(window.form.TimeOutShortTimePicker->isEnabled());
    EXPECT_FALSE(window.form.TimeWaitShortTimePicker->isEnabled());
    window.form.TimeInShortTimePicker->SetTime(T("09:30"));
    EXPECT_EQ(window.Out(), "00:00");
    EXPECT_EQ(window.Wait(), "00:00");
    window.form.WaitTimeEmptyCheckBox->setChecked(true);
    EXPECT_TRUE(window.form.TimeOutShortTimePicker->isEnabled());
    EXPECT_TRUE(window.form.TimeWaitShortTimePicker->isEnabled());
    EXPECT_EQ(window.Out(), "09:30"); // departs after a stay of 00:00, not at midnight
}

TEST(TimetableEntryForm, LayoutAndTabOrder) {
    // At a small font the designed places hold; at the default font nothing covers a caption.
    const QFont appFont = QApplication::font();
    QFont small = appFont;
    small.setPixelSize(8);
    QApplication::setFont(small);
    {
        TKeloTripTimetableInfoForm designed;
        EXPECT_EQ(designed.size(), QSize(365, 78));
        EXPECT_EQ(designed.TimeOutShortTimePicker->geometry(), QRect(200, 2, 41, 21));
        EXPECT_EQ(designed.SaveButton->pos(), QPoint(206, 48));
    }
    QApplication::setFont(appFont);
    TKeloTripTimetableInfoForm form;
    const QList<QWidget*> row = {form.InTimeLabel,
                                 form.TimeInShortTimePicker,
                                 form.WaitTimeEmptyCheckBox,
                                 form.TimeOutLabel,
                                 form.TimeOutShortTimePicker,
                                 form.TimeWaitLabel,
                                 form.TimeWaitShortTimePicker};
    for (int i = 1; i < row.size(); ++i)
        EXPECT_GT(row[i]->x(), row[i - 1]->geometry().right()) << i;
    EXPECT_LE(form.TimeWaitShortTimePicker->geometry().right(), form.width());
    EXPECT_TRUE(form.WaitTimeEmptyCheckBox->isChecked());
    QList<QWidget*> tabOrder;
    QWidget* w = form.TimeInShortTimePicker;
    do {
        if (w->focusPolicy() & Qt::TabFocus)
            tabOrder << w;
        w = w->nextInFocusChain();
    } while (w != form.TimeInShortTimePicker);
    EXPECT_EQ(tabOrder.mid(0, 4),
              QList<QWidget*>({form.TimeInShortTimePicker, form.WaitTimeEmptyCheckBox,
                               form.TimeOutShortTimePicker, form.TimeWaitShortTimePicker}));
}

TEST(RateSpeedForm, ValidationMessagesAndBounds) {
    struct Case {
        const char* text;
        bool accepted;
        const char* message;
    };
    const Case cases[] = {
        {"", false, "Введите значение расчетной скорости"},
        {"6o", false, "Неккоректное значение расчетной скорости"},
        {"19.9", false, "Значение расчетной скорости не может быть меньше 20"},
        {"19,99", false, "Значение расчетной скорости не может быть меньше 20"},
        {"131", false, "Значение расчетной скорости не может быть больше  130"},
        {"1,000", false, "Значение расчетной скорости не может быть меньше 20"},
        {"20", true, ""},
        {"130", true, ""},
        {"60,5", true, ""},
        {"60.5", true, ""},
    };
    for (const QLocale& locale : {QLocale(QLocale::Russian, QLocale::Russia), QLocale::c()}) {
        QLocale::setDefault(locale);
        for (const Case& c : cases) {
            TKeloTripTimetableRateSpeedForm form;
            EXPECT_EQ(form.RateSpeedComboBox->currentText(), "60");
            form.show();
            form.RateSpeedComboBox->setCurrentText(QString::fromUtf8(c.text));
            MessageBoxAnswer answer(QMessageBox::Ok);
            form.SaveButton->click();
            EXPECT_EQ(form.result() == QDialog::Accepted, c.accepted) << c.text;
            EXPECT_EQ(form.isVisible(), !c.accepted) << c.text;
            ASSERT_EQ(answer.Count(), c.accepted ? 0 : 1) << c.text;
            if (!c.accepted) {
                EXPECT_EQ(answer.Last().text, QString::fromUtf8(c.message));
                EXPECT_EQ(answer.Last().icon, QMessageBox::Critical);
                EXPECT_EQ(answer.Last().title, "Kelo");
            }
        }
    }
    QLocale::setDefault(QLocale::c());
    double speed = 0;
    ASSERT_TRUE(TKeloTripTimetableRateSpeedForm::ReadSpeed("60,5", speed));
    EXPECT_DOUBLE_EQ(speed, 60.5);
}

TEST(RateSpeedForm, CancelNeedsNoValidSpeed) {
    TKeloTripTimetableRateSpeedForm form;
    form.show();
    form.RateSpeedComboBox->setCurrentText("x");
    MessageBoxAnswer answer(QMessageBox::Ok);
    form.CancelButton->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(answer.Count(), 0);
    QStringList items;
    for (int i = 0; i < form.RateSpeedComboBox->count(); ++i)
        items << form.RateSpeedComboBox->itemText(i);
    EXPECT_EQ(items, QStringList({"60", "70", "80"}));
}
