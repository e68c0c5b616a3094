#include "TShortTimePicker.h"
#include "FormatShortTime.h"
#include "ModalAnswer.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A shown picker with a text put in place without change handling, as if it had been
// typed before, and the caret where a test wants it.
struct Field {
    TShortTimePicker picker;
    Field() { picker.show(); }
    void Place(const QString& text, int caret) {
        picker.blockSignals(true);
        picker.setText(text);
        picker.blockSignals(false);
        picker.setCursorPosition(caret);
    }
    QString Text() const { return picker.displayText(); }
    int Caret() const { return picker.cursorPosition(); }
};

} // namespace

TEST(ShortTimeRule, OutOfRangePartKeepsTheDigitJustTyped) {
    struct Case {
        const char* text;
        int caret;
        const char* expected;
        int expectedCaret;
    };
    const Case cases[] = {
        {"29:00", 2, "09:00", 1},
        {"72:00", 1, "07:00", 0},
        {"12:75", 4, "12:07", 3},
        {"12:69", 5, "12:09", 4},
    };
    for (const Case& c : cases) {
        const ShortTimeCheckType r = TShortTimePicker::NormaliseShortTime(c.text, c.caret);
        EXPECT_EQ(r.text, QString(c.expected)) << c.text;
        EXPECT_EQ(r.caret, c.expectedCaret) << c.text;
        EXPECT_TRUE(r.valid) << c.text;
    }
}

TEST(ShortTimeRule, CaretOutsideThePartGivesNoTime) {
    // Hours 29 with the caret in the minutes, minutes 75 with the caret in the hours.
    ShortTimeCheckType r = TShortTimePicker::NormaliseShortTime("29:00", 4);
    EXPECT_EQ(r.text, "29:00");
    EXPECT_FALSE(r.valid);
    r = TShortTimePicker::NormaliseShortTime("12:75", 0);
    EXPECT_EQ(r.text, "12:75");
    EXPECT_FALSE(r.valid);
    // The caret at 3 stands before the minutes, not behind one of them.
    r = TShortTimePicker::NormaliseShortTime("12:75", 3);
    EXPECT_FALSE(r.valid);
}

TEST(ShortTimeRule, BlanksReadAsZeroAndShortTextsAreLeftAlone) {
    ShortTimeCheckType r = TShortTimePicker::NormaliseShortTime("1 :3 ", 0);
    EXPECT_EQ(r.text, "10:30");
    EXPECT_EQ(r.time, QTime(10, 30));
    r = TShortTimePicker::NormaliseShortTime("12:3", 2);
    EXPECT_EQ(r.text, "12:3");
    EXPECT_FALSE(r.valid);
    // Boundaries of the day are times, not corrections.
    r = TShortTimePicker::NormaliseShortTime("23:59", 5);
    EXPECT_EQ(r.time, QTime(23, 59));
    r = TShortTimePicker::NormaliseShortTime("24:00", 2);
    EXPECT_EQ(r.text, "04:00");
}

TEST(ShortTimePicker, NewControlShowsMidnight) {
    TShortTimePicker picker;
    EXPECT_EQ(picker.displayText(), "00:00");
    EXPECT_EQ(picker.GetTime(), QTime(0, 0));
}

TEST(ShortTimePicker, SetTimeShowsTwoDigitPartsAndDropsSeconds) {
    TShortTimePicker picker;
    QSignalSpy changes(&picker, &TShortTimePicker::OnTimeChange);
    picker.SetTime(QTime(7, 5, 42));
    EXPECT_EQ(picker.displayText(), "07:05");
    EXPECT_EQ(picker.GetTime(), QTime(7, 5));
    EXPECT_EQ(changes.count(), 1);
    picker.SetTime(QTime(23, 59));
    EXPECT_EQ(picker.displayText(), "23:59");
    EXPECT_EQ(picker.GetTime(), QTime(23, 59));
}

TEST(ShortTimePicker, SetTimeByStringTakesOnlyTimesOfTheDay) {
    TShortTimePicker picker;
    picker.SetTimeByString("12:30");
    EXPECT_EQ(picker.GetTime(), QTime(12, 30));
    EXPECT_EQ(picker.displayText(), "12:30");

    QSignalSpy changes(&picker, &TShortTimePicker::OnTimeChange);
    for (const char* bad : {"25:00", "ab:cd", "12:6x", "12:60", "-1:00", "", "1"}) {
        picker.SetTimeByString(bad);
        EXPECT_EQ(picker.GetTime(), QTime(12, 30)) << bad;
        EXPECT_EQ(picker.displayText(), "12:30") << bad;
    }
    EXPECT_EQ(changes.count(), 0);
}

TEST(ShortTimePicker, CheckTimeAppliesTheRuleAtTheCaret) {
    // The masked edit never rests its caret on the colon (position 2); that case is reached
    // by typing only and is covered below.
    struct Case {
        const char* text;
        int caret;
        const char* expected;
        int expectedCaret;
        QTime time;
    };
    const Case cases[] = {
        {"72:00", 1, "07:00", 0, QTime(7, 0)},
        {"12:75", 4, "12:07", 3, QTime(12, 7)},
        {"12:69", 5, "12:09", 4, QTime(12, 9)},
    };
    for (const Case& c : cases) {
        Field f;
        f.Place(c.text, c.caret);
        EXPECT_TRUE(f.picker.CheckTime()) << c.text;
        EXPECT_EQ(f.Text(), QString(c.expected)) << c.text;
        EXPECT_EQ(f.Caret(), c.expectedCaret) << c.text;
        EXPECT_EQ(f.picker.GetTime(), c.time) << c.text;
    }
}

TEST(ShortTimePicker, TypingKeepsTheTextValid) {
    // The planner types over the digits; the field corrects each keystroke at once.
    Field f;
    f.picker.setCursorPosition(0);
    QTest::keyClicks(&f.picker, "29"); // 29:00 with the caret behind the 9
    EXPECT_EQ(f.Text(), "09:00");
    EXPECT_EQ(f.Caret(), 1);
    EXPECT_EQ(f.picker.GetTime(), QTime(9, 0));

    f.picker.SetTime(QTime(2, 0));
    f.picker.setCursorPosition(0);
    QTest::keyClick(&f.picker, '7'); // 72:00, caret 1
    EXPECT_EQ(f.Text(), "07:00");
    EXPECT_EQ(f.Caret(), 0);

    f.picker.SetTime(QTime(12, 5));
    f.picker.setCursorPosition(3);
    QTest::keyClick(&f.picker, '7'); // 12:75, caret 4
    EXPECT_EQ(f.Text(), "12:07");
    EXPECT_EQ(f.Caret(), 3);
    EXPECT_EQ(f.picker.GetTime(), QTime(12, 7));

    f.Place("12:60", 4);
    f.picker.insert("9"); // 12:69, caret 5
    EXPECT_EQ(f.Text(), "12:09");
    EXPECT_EQ(f.Caret(), 4);
    EXPECT_EQ(f.picker.GetTime(), QTime(12, 9));
}

TEST(ShortTimePicker, TypingAWholeTimeFromTheStart) {
    Field f;
    f.picker.setCursorPosition(0);
    QTest::keyClicks(&f.picker, "1957");
    EXPECT_EQ(f.Text(), "19:57");
    EXPECT_EQ(f.picker.GetTime(), QTime(19, 57));

    f.picker.SetTime(QTime(0, 0));
    f.picker.setCursorPosition(0);
    // 7 is corrected to 07 with the caret before the 0, so the 5 lands there.
    QTest::keyClicks(&f.picker, "2375");
    EXPECT_EQ(f.Text(), "23:57");
    EXPECT_EQ(f.picker.GetTime(), QTime(23, 57));
}

TEST(ShortTimePicker, EachEditIsReportedOnce) {
    Field f;
    QSignalSpy changes(&f.picker, &TShortTimePicker::OnTimeChange);
    f.picker.setCursorPosition(0);
    QTest::keyClick(&f.picker, '2');
    EXPECT_EQ(changes.count(), 1);
    QTest::keyClick(&f.picker, '9'); // corrected to 09:00
    EXPECT_EQ(changes.count(), 2);
    EXPECT_EQ(f.picker.GetTime(), QTime(9, 0));
}

TEST(ShortTimePicker, DeletedDigitsBecomeZeros) {
    Field f;
    f.picker.SetTime(QTime(12, 34));
    f.picker.setCursorPosition(5);
    QTest::keyClick(&f.picker, Qt::Key_Backspace);
    EXPECT_EQ(f.Text(), "12:30");
    EXPECT_EQ(f.picker.GetTime(), QTime(12, 30));
    QTest::keyClick(&f.picker, Qt::Key_Backspace);
    EXPECT_EQ(f.picker.GetTime(), QTime(12, 0));
    QTest::keyClick(&f.picker, Qt::Key_Backspace); // over the colon
    EXPECT_EQ(f.Text(), "10:00");
    EXPECT_EQ(f.picker.GetTime(), QTime(10, 0));
    f.picker.selectAll();
    QTest::keyClick(&f.picker, Qt::Key_Delete);
    EXPECT_EQ(f.Text(), "00:00");
    EXPECT_EQ(f.picker.GetTime(), QTime(0, 0));
}

TEST(ShortTimePicker, TextWithoutATimeKeepsThePreviousTime) {
    Field f;
    f.picker.SetTime(QTime(8, 15));
    QSignalSpy changes(&f.picker, &TShortTimePicker::OnTimeChange);
    f.Place("29:15", 4);
    EXPECT_FALSE(f.picker.CheckTime());
    EXPECT_EQ(f.picker.GetTime(), QTime(8, 15));
    EXPECT_EQ(f.Text(), "29:15");
    // Pasting a whole text: the minutes are corrected at the caret, the hours cannot be, and
    // that is reported once.
    kelo_test::MessageBoxAnswer ok;
    f.picker.setSelection(0, 5);
    f.picker.insert("2999");
    EXPECT_EQ(f.Text(), "29:09");
    EXPECT_EQ(f.picker.GetTime(), QTime(8, 15));
    EXPECT_EQ(changes.count(), 0);
    ASSERT_EQ(ok.Count(), 1);
    EXPECT_EQ(ok.Last().icon, QMessageBox::Critical);
    EXPECT_TRUE(ok.Last().text.contains("29:09")) << ok.Last().text.toStdString();
}

TEST(FormatShortTime, TwoDigitHoursAndMinutes) {
    EXPECT_EQ(FormatShortTime(QTime(7, 5)), "07:05");
    EXPECT_EQ(FormatShortTime(QTime(23, 59, 59)), "23:59");
    EXPECT_EQ(FormatShortTime(QTime(0, 0)), "00:00");
    EXPECT_EQ(FormatShortTime(QTime()), "00:00");
}

TEST(ShortTimePicker, FocusByClickOrTabSelectsAllSoTypedDigitsAreTheTime) {
    QWidget window;
    auto* before = new QLineEdit(&window);
    auto* picker = new TShortTimePicker(&window);
    picker->move(0, 40);
    picker->SetTime(QTime(9, 0));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // A click into the hours, then a Tab from the field before.
    for (int way = 0; way < 2; ++way) {
        SCOPED_TRACE(way);
        picker->SetTime(QTime(9, 0));
        before->setFocus();
        if (way == 0)
            QTest::mouseClick(picker, Qt::LeftButton, {}, QPoint(4, picker->height() / 2));
        else
            QTest::keyClick(before, Qt::Key_Tab);
        ASSERT_TRUE(picker->hasFocus());
        EXPECT_EQ(picker->selectionStart(), 0);
        EXPECT_EQ(picker->selectionLength(), 5);
        QTest::keyClicks(picker, "2359");
        EXPECT_EQ(picker->GetTime(), QTime(23, 59));
    }
}
