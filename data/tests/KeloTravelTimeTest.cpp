#include "InMemoryKeloData.h"

#include <gtest/gtest.h>

namespace {

InMemoryDataSet TwoKelos() {
    InMemoryDataSet d;
    d.stops = {{"000001", "A"}, {"000002", "B"}, {"000003", "C"}};
    d.AddLinkBothWays("000001", "000002", 10);
    d.AddLinkBothWays("000002", "000003", 15);
    d.kelos.push_back({"N1", "night", "", {MakeRow("000001", "23:40", 10), MakeRow("000003", "00:10", -1)}});
    d.kelos.push_back({"D1", "day", "", {MakeRow("000001", "08:00", 0), MakeRow("000002", "08:30", 5),
                                         MakeRow("000003", "09:05", -1)}});
    d.kelos.push_back({"S1", "single", "", {MakeRow("000002", "10:00", 0)}});
    d.kelos.push_back({"E1", "no start", "", {MakeRow("000001", "", 0), MakeRow("000002", "10:00", -1)}});
    d.kelos.push_back({"E2", "no end", "", {MakeRow("000001", "09:00", 0), MakeRow("000002", "", -1)}});
    d.kelos.push_back({"NS", "empty first stay", "", {MakeRow("000001", "09:00", -1), MakeRow("000002", "09:20", -1)}});
    return d;
}

int Travel(KeloDataPtrClass& source, const char* number) {
    KeloKeloPtrClass kelo = source->FindKelo(number);
    const KeloTimeType t = kelo->GetTravelTime();
    EXPECT_FALSE(t.IsEmpty()) << number;
    return t.GetTotalMinutes();
}

} // namespace

TEST(KeloTravelTime, UsesFirstDepartureAndLastArrivalWithDayWrap) {
    KeloDataPtrClass source = MakeInMemorySource(TwoKelos());
    EXPECT_EQ(Travel(source, "N1"), 20);  // 23:50 departure to 00:10
    EXPECT_EQ(Travel(source, "D1"), 65);
    EXPECT_EQ(Travel(source, "NS"), 20); // empty stay counts as zero
}

TEST(KeloTravelTime, MissingTimesGiveZeroNotEmpty) {
    KeloDataPtrClass source = MakeInMemorySource(TwoKelos());
    EXPECT_EQ(Travel(source, "S1"), 0);
    EXPECT_EQ(Travel(source, "E1"), 0);
    EXPECT_EQ(Travel(source, "E2"), 0);
}
