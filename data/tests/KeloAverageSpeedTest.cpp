#include "KeloAverageSpeed.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

// Times in minutes of the day, -1 for none.
struct TimedRun {
    int departure;
    int next;
    std::optional<float> km;
};

KeloTimeType Time(int minutes) {
    return minutes < 0 ? KeloTimeType() : KeloTimeType(minutes);
}

TEST(KeloAverageSpeed, CountsOnlyRunsWithBothTimesAndALink) {
    const struct {
        const char* name;
        std::vector<TimedRun> runs;
        float speed;
    } cases[] = {
        {"nothing", {}, 0},
        {"one hour, 60 km", {{480, 540, 60.0f}}, 60},
        {"over midnight", {{1420, 10, 20.0f}}, 40},
        {"a missing time counts nothing",
         {{480, 510, 15.0f}, {-1, 570, 90.0f}, {510, -1, 9.0f}},
         30},
        {"an unknown link counts nothing", {{480, 510, 15.0f}, {510, 630, {}}}, 30},
        {"no running time", {{480, 480, 5.0f}}, 0},
    };
    for (const auto& c : cases) {
        KeloAverageSpeedType speed;
        for (const TimedRun& run : c.runs)
            speed.AddRun(Time(run.departure), Time(run.next), run.km);
        EXPECT_FLOAT_EQ(speed.Speed(), c.speed) << c.name;
    }
}

} // namespace
