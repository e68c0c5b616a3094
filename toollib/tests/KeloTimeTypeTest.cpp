#include "KeloTimeType.h"

#include <gtest/gtest.h>

TEST(KeloTimeType, ConstructionAndParts) {
    EXPECT_TRUE(KeloTimeType().IsEmpty());
    EXPECT_EQ(KeloTimeType(24, 0).GetTotalMinutes(), 1440);
    KeloTimeType midnight(0, 0);
    EXPECT_TRUE(midnight.IsZero());
    EXPECT_FALSE(midnight.IsEmpty());
    EXPECT_EQ(KeloTimeType().GetTotalMinutes(), 2147483647);
    EXPECT_EQ(KeloTimeType(1, 75).GetTotalMinutes(), 135); // no normalisation
    EXPECT_EQ(KeloTimeType(-75).GetHours(), -1);
    EXPECT_EQ(KeloTimeType(-75).GetMinutes(), -15);
    KeloTimeType t(5);
    t.SetEmpty();
    EXPECT_TRUE(t.IsEmpty());
    t.SetZero();
    EXPECT_TRUE(t.IsZero());
}

TEST(KeloTimeType, Format) {
    EXPECT_EQ(KeloTimeType().Format(), "");
    EXPECT_EQ(KeloTimeType(0).Format(), "00:00");
    EXPECT_EQ(KeloTimeType(485).Format(), "08:05");
    EXPECT_EQ(KeloTimeType(1440).Format(), "24:00");
    EXPECT_EQ(KeloTimeType(1500).Format(), "25:00");
}

TEST(KeloTimeType, ArithmeticWithEmptyOperands) {
    const KeloTimeType empty;
    const KeloTimeType five(5);
    EXPECT_TRUE((empty + five).IsEmpty());
    EXPECT_TRUE((five + empty).IsEmpty());
    EXPECT_TRUE((five - empty).IsEmpty());
    EXPECT_EQ((five + five).GetTotalMinutes(), 10);
    EXPECT_EQ((five - KeloTimeType(7)).GetTotalMinutes(), -2);

    KeloTimeType a = five;
    a += empty;
    EXPECT_EQ(a.GetTotalMinutes(), 5);
    a -= empty;
    EXPECT_EQ(a.GetTotalMinutes(), 5);
    KeloTimeType b;
    b += five;
    EXPECT_TRUE(b.IsEmpty());
    a += KeloTimeType(3);
    EXPECT_EQ(a.GetTotalMinutes(), 8);
    a -= KeloTimeType(10);
    EXPECT_EQ(a.GetTotalMinutes(), -2);
}

TEST(KeloTimeType, OrderingPutsEmptyFirst) {
    const KeloTimeType empty;
    const KeloTimeType zero(0);
    EXPECT_TRUE(empty < zero);
    EXPECT_FALSE(zero < empty);
    EXPECT_FALSE(empty < empty);
    EXPECT_FALSE(empty > zero);
    EXPECT_TRUE(zero > empty);
    EXPECT_FALSE(empty > empty);
    EXPECT_TRUE(KeloTimeType(3) < KeloTimeType(4));
    EXPECT_TRUE(KeloTimeType(4) > KeloTimeType(3));
}

TEST(KeloTimeType, DayWrap) {
    EXPECT_EQ(DayWrapDuration(KeloTimeType(1430), KeloTimeType(10)).GetTotalMinutes(), 20);
    EXPECT_EQ(DayWrapDuration(KeloTimeType(480), KeloTimeType(545)).GetTotalMinutes(), 65);
    EXPECT_TRUE(DayWrapDuration(KeloTimeType(), KeloTimeType(10)).IsEmpty());
    EXPECT_EQ(KeloDeparture(KeloTimeType(480), KeloTimeType()).GetTotalMinutes(), 480);
    EXPECT_EQ(KeloDeparture(KeloTimeType(480), KeloTimeType(2)).GetTotalMinutes(), 482);
    EXPECT_TRUE(KeloDeparture(KeloTimeType(), KeloTimeType(2)).IsEmpty());
}

TEST(KeloTimeOfDay, TakesEveryTimeIntoTheDay) {
    const std::pair<std::int32_t, std::int32_t> cases[] = {
        {0, 0}, {1439, 1439}, {1440, 0}, {1450, 10}, {2890, 10}, {-20, 1420}, {-1440, 0},
    };
    for (const auto& [minutes, expected] : cases)
        EXPECT_EQ(KeloTimeOfDay(KeloTimeType(minutes)).GetTotalMinutes(), expected) << minutes;
    EXPECT_TRUE(KeloTimeOfDay(KeloTimeType()).IsEmpty());
}
