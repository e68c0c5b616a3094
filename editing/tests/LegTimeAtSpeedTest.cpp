#include "LegTimeAtSpeed.h"
#include "InMemoryKeloData.h"

#include <gtest/gtest.h>

TEST(LegTimeAtSpeed, SinglePrecisionHoursRoundedUpToMinutes) {
    struct Case {
        float km;
        double speed;
        std::int32_t minutes;
        bool longerThanDay;
    };
    const Case cases[] = {
        {10, 60, 11, false}, {20, 60, 21, false},
        {30, 60, 30, false}, {40, 60, 41, false},
        {45, 80, 34, false}, {500, 20, 60, true}, // 25 h, kept modulo 24
        {0, 60, 0, false},   {59.5f, 60, 60, false},
        {1200, 50, 0, true}, {55.5f, 33.3, 101, false}, // the speed in single precision too
    };
    for (const Case& c : cases) {
        InMemoryDataSet d;
        d.stops = {{"000001", "A"}, {"000002", "B"}};
        d.links.push_back({"000001", "000002", c.km});
        KeloTopologyPtrClass topology = MakeInMemorySource(d)->GetTopology();
        const KeloLegTimeType leg = LegTimeAtSpeed(*topology, "000001", "000002", c.speed);
        EXPECT_TRUE(leg.linked) << c.km;
        EXPECT_EQ(leg.duration.GetTotalMinutes(), c.minutes) << c.km << " km at " << c.speed;
        EXPECT_EQ(leg.longerThanDay, c.longerThanDay) << c.km;
        // The reverse run is unknown: no time at all.
        const KeloLegTimeType back = LegTimeAtSpeed(*topology, "000002", "000001", c.speed);
        EXPECT_FALSE(back.linked);
        EXPECT_TRUE(back.duration.IsEmpty());
    }
}
