#include "TripDiagramListOrder.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

using namespace TripDiagramListOrder;

TEST(TripDiagramListOrder, ClockTextsKeepEmptyLastBothWays) {
    EXPECT_LT(CompareClockTexts("08:00", "", false), 0);
    EXPECT_LT(CompareClockTexts("08:00", "", true), 0);
    EXPECT_GT(CompareClockTexts("", "08:00", false), 0);
    EXPECT_GT(CompareClockTexts("", "08:00", true), 0);
    EXPECT_EQ(CompareClockTexts("", "", true), 0);
    EXPECT_LT(CompareClockTexts("08:00", "09:15", false), 0);
    EXPECT_GT(CompareClockTexts("08:00", "09:15", true), 0);
    EXPECT_EQ(CompareClockTexts("08:00", "08:00", true), 0);
    EXPECT_GT(CompareClockTexts("24:05", "23:59", false), 0);
    EXPECT_EQ(CompareClockTexts("8 o'clock", "09:00", false), 0); // not a time: tie
}

TEST(TripDiagramListOrder, ClockTextParsing) {
    EXPECT_EQ(ClockTextMinutes("00:00"), 0);
    EXPECT_EQ(ClockTextMinutes("23:59"), 1439);
    EXPECT_EQ(ClockTextMinutes("9:05"), 545);
    EXPECT_EQ(ClockTextMinutes("12:60"), -1);
    EXPECT_EQ(ClockTextMinutes("12:5"), -1);
    EXPECT_EQ(ClockTextMinutes(""), -1);
    EXPECT_EQ(ClockTextMinutes("ab:cd"), -1);
}

TEST(TripDiagramListOrder, NumbersCompareAsNumbers) {
    EXPECT_LT(CompareNumberTexts("9.5", "10.0"), 0);
    EXPECT_GT(CompareNumberTexts("41,3", "41,2"), 0);
    EXPECT_EQ(CompareNumberTexts("41.3", "41,3"), 0);
    EXPECT_EQ(CompareNumberTexts("", "10.0"), 0);
    EXPECT_EQ(CompareNumberTexts("fast", "10.0"), 0);
}

TEST(TripDiagramListOrder, NumbersSortUnderARussianCLocale) {
    // The Qt application sets the C locale from the environment; under Russian the speed
    // texts read "41,3" and must still convert.
    const std::string old = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "ru_RU.UTF-8") == nullptr)
        GTEST_SKIP() << "ru_RU.UTF-8 is not generated on this system";
    EXPECT_LT(CompareNumberTexts("9,5", "41,3"), 0);
    EXPECT_GT(CompareNumberTexts("1234,5", "41,3"), 0);
    EXPECT_EQ(CompareNumberTexts("41,3", "41.3"), 0);
    std::setlocale(LC_NUMERIC, old.c_str());
}

// The one cell order of both kelo lists, per column kind and direction.
TEST(TripDiagramListOrder, CellsOrderByTheirColumnKind) {
    const struct {
        ColumnKind kind;
        const char* a;
        const char* b;
        bool descending;
        int sign;
    } cases[] = {
        {ColumnKind::Clock, "08:00", "", false, -1},
        {ColumnKind::Clock, "08:00", "", true, -1}, // empties stay last both ways
        {ColumnKind::Clock, "08:00", "09:00", true, 1},
        {ColumnKind::Text, "abc", "ABD", false, -1}, // Latin letters fold
        {ColumnKind::Text, "", "A", true, 1},        // texts flip, empties included
        {ColumnKind::Text, "\xC0", "Z", false, 1},   // Cyrillic bytes after Latin
        {ColumnKind::Number, "9,5", "10.0", false, -1},
        {ColumnKind::Number, "9,5", "10.0", true, 1},
        {ColumnKind::Number, "x", "10.0", true, 0},
    };
    for (const auto& c : cases) {
        const int result = CompareCells(c.kind, c.a, c.b, c.descending);
        EXPECT_EQ((result > 0) - (result < 0), c.sign)
            << int(c.kind) << " '" << c.a << "' '" << c.b << "' " << c.descending;
    }
}
