#include "KeloGtfsTime.h"

#include <gtest/gtest.h>

namespace {

TEST(KeloGtfsTimeTest, TimesPastMidnightAndMalformedOnes) {
    const std::vector<std::pair<const char*, std::optional<std::int32_t>>> cases = {
        {"08:05:30", 8 * 3600 + 5 * 60 + 30},
        {"8:05:30", 8 * 3600 + 5 * 60 + 30},
        {"25:10:00", 25 * 3600 + 600},
        {" 00:00:00", 0},
        {"25:61:00", std::nullopt},
        {"10:00:60", std::nullopt},
        {"10:00", std::nullopt},
        {"", std::nullopt},
        {"-1:00:00", std::nullopt},
        {"1a:00:00", std::nullopt},
        {"10:0:00", std::nullopt},
    };
    for (const auto& [text, seconds] : cases)
        EXPECT_EQ(ParseGtfsTime(text), seconds) << text;
}

TEST(KeloGtfsTimeTest, DatesRoundTripAndImpossibleOnesAreRefused) {
    for (const char* text : {"20260101", "20240229", "19991231", "20261231"}) {
        const auto day = ParseGtfsDate(text);
        ASSERT_TRUE(day) << text;
        EXPECT_EQ(FormatGtfsDate(*day), text);
    }
    for (const char* text : {"20260229", "20261301", "20260132", "2026011", "2026-01-01"})
        EXPECT_FALSE(ParseGtfsDate(text)) << text;
    EXPECT_EQ(GtfsWeekday(*ParseGtfsDate("20260105")), 0); // a Monday
    EXPECT_EQ(GtfsWeekday(*ParseGtfsDate("20260104")), 6);
    EXPECT_EQ(*ParseGtfsDate("20260301") - *ParseGtfsDate("20260228"), 1);
    // A feed's field may be padded; a date the user types may not.
    EXPECT_EQ(ParseGtfsDate(" 20260105 "), ParseGtfsDate("20260105"));
    for (const char* text : {" 20260105", "20260105 ", "20260231", "20261301", "2026010x"})
        EXPECT_FALSE(ParseServiceDate(text)) << text;
    EXPECT_EQ(ParseServiceDate("20240229"), ParseGtfsDate("20240229"));
}

} // namespace
