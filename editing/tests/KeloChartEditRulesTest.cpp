#include "KeloChartEditRules.h"

#include <gtest/gtest.h>

namespace {

// Pixels per hour of a 100 km line at 60 km/h and 75 degrees, at zoom 1.
constexpr double Hour = 285.0444;

} // namespace

TEST(KeloDragMinutes, WholeMinutesOfADragAtEachZoom) {
    struct Case {
        double zoom;
        std::int32_t pixels, minutes, drawnAt;
    };
    // clang-format off
    const Case cases[] = {
        {1,    100,  21,  100}, {1,   -100, -21, -100}, {1,      4,   0,    0},
        {1,      5,   1,    5}, {0.25, 100,  84,  100}, {0.5,  -37, -15,  -36},
        {2,    100,  10,   95}, {5,    100,   4,   95}, {5,     23,   0,    0},
        {5,     24,   1,   24},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.zoom << " x " << c.pixels);
        EXPECT_EQ(KeloDragMinutes(c.pixels, Hour * c.zoom), c.minutes);
        EXPECT_EQ(KeloDragPixels(c.minutes, Hour * c.zoom), c.drawnAt);
    }
    EXPECT_EQ(KeloDragMinutes(100, 0), 0);
    EXPECT_EQ(KeloDragPixels(30, -1), 0);
}

TEST(KeloDragHint, NewStartWrappedAndSignedDifference) {
    struct Case {
        std::int32_t start, minutes;
        const char* hint;
    };
    const Case cases[] = {{385, 15, "06:40 (+00:15)"},
                          {10, -20, "23:50 (-00:20)"},
                          {1430, 75, "01:05 (+01:15)"},
                          {600, 0, "10:00 (+00:00)"},
                          {0, -1500, "23:00 (-25:00)"}};
    for (const Case& c : cases)
        EXPECT_EQ(KeloDragHint(c.start, c.minutes), c.hint);
    EXPECT_EQ(KeloWrapIntoDay(-1441), 1439);
}

TEST(KeloNudge, StepsAndWhenTheyJoin) {
    const std::vector<std::int32_t> steps = {
        KeloNudgeMinutes(true, false), KeloNudgeMinutes(false, false), KeloNudgeMinutes(true, true),
        KeloNudgeMinutes(false, true)};
    EXPECT_EQ(steps, (std::vector<std::int32_t>{1, -1, 10, -10}));
    EXPECT_TRUE(KeloNudgeJoins("02П", "02П"));
    EXPECT_FALSE(KeloNudgeJoins("02П", "03П"));
    EXPECT_FALSE(KeloNudgeJoins("", ""));
}

TEST(KeloSeries, StartTimesFromFirstToLast) {
    struct Case {
        const char* name;
        std::int32_t first, last, interval, count;
        std::vector<std::int32_t> starts;
    };
    const Case cases[] = {
        {"over midnight", 23 * 60, 60, 30, 5, {1380, 1410, 0, 30, 60}},
        {"interval does not divide the span", 360, 400, 15, 3, {360, 375, 390}},
        {"first is last", 500, 500, 60, 1, {500}},
        {"all day at the longest interval", 0, 1439, 720, 2, {0, 720}},
        {"one minute short of a day", 1, 0, 720, 2, {1, 721}},
        {"interval 0", 0, 60, 0, 0, {}},
        {"interval 721", 0, 60, 721, 0, {}},
        {"time beyond the day", 0, 1440, 60, 0, {}},
        {"more than 500", 0, 1439, 2, 720, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(KeloSeriesCount(c.first, c.last, c.interval), c.count);
        EXPECT_EQ(KeloSeriesStarts(c.first, c.last, c.interval), c.starts);
    }
    EXPECT_EQ(KeloSeriesCount(360, 1320, 30), 33);
    EXPECT_EQ(KeloSeriesStarts(0, 1439, 3).size(), 480u);
}
