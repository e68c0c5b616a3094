#include "InMemoryKeloData.h"

#include <gtest/gtest.h>

namespace {

InMemoryDataSet TwoKelos() {
    InMemoryDataSet d;
    d.stops = {{"000001", "A"}, {"000002", "B"}, {"000003", "C"}};
    d.AddLinkBothWays("000001", "000002", 10);
    d.AddLinkBothWays("000002", "000003", 15);
    d.kelos.push_back(
        {"N1", "night", "", {MakeRow("000001", "23:40", 10), MakeRow("000003", "00:10", -1)}});
    d.kelos.push_back({"D1",
                       "day",
                       "",
                       {MakeRow("000001", "08:00", 0), MakeRow("000002", "08:30", 5),
                        MakeRow("000003", "09:05", -1)}});
    d.kelos.push_back({"S1", "single", "", {MakeRow("000002", "10:00", 0)}});
    d.kelos.push_back(
        {"E1", "no start", "", {MakeRow("000001", "", 0), MakeRow("000002", "10:00", -1)}});
    d.kelos.push_back(
        {"E2", "no end", "", {MakeRow("000001", "09:00", 0), MakeRow("000002", "", -1)}});
    d.kelos.push_back({"NS",
                       "empty first stay",
                       "",
                       {MakeRow("000001", "09:00", -1), MakeRow("000002", "09:20", -1)}});
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
    EXPECT_EQ(Travel(source, "N1"), 20); // 23:50 departure to 00:10
    EXPECT_EQ(Travel(source, "D1"), 65);
    EXPECT_EQ(Travel(source, "NS"), 20); // empty stay counts as zero
}

TEST(KeloTravelTime, MissingTimesGiveZeroNotEmpty) {
    KeloDataPtrClass source = MakeInMemorySource(TwoKelos());
    EXPECT_EQ(Travel(source, "S1"), 0);
    EXPECT_EQ(Travel(source, "E1"), 0);
    EXPECT_EQ(Travel(source, "E2"), 0);
}

namespace {

// A timetable whose entries at the given positions name a stop the source does not have:
// such a source answers them with no entry at all.
class HoleySchedule : public KeloKeloScheduleClass {
public:
    HoleySchedule(KeloKeloSchedulePtrClass inner, std::int32_t hole) : inner(inner), hole(hole) {}
    std::int32_t GetCount() override { return inner->GetCount(); }
    KeloStopSchedulePtrClass GetItem(std::int32_t index) override {
        return index == hole ? KeloStopSchedulePtrClass() : inner->GetItem(index);
    }
    KeloStopSchedulePtrClass AppendStop(const std::string&) override { return {}; }
    KeloStopSchedulePtrClass InsertStop(std::int32_t, const std::string&) override { return {}; }
    void RemoveStop(std::int32_t) override {}

private:
    KeloKeloSchedulePtrClass inner;
    std::int32_t hole;
};

class HoleyKelo : public KeloKeloClass {
public:
    HoleyKelo(KeloKeloPtrClass inner, std::int32_t hole) : inner(inner), hole(hole) {}
    std::string GetNumber() override { return inner->GetNumber(); }
    std::string GetName() override { return inner->GetName(); }
    KeloKeloSchedulePtrClass GetSchedule() override {
        return KeloKeloSchedulePtrClass(new HoleySchedule(inner->GetSchedule(), hole));
    }
    KeloBusPtrClass GetBus() override { return inner->GetBus(); }
    float GetAverageSpeed() override { return 0; }
    float GetDistance() override { return 0; }
    void SetName(const std::string&) override {}
    void SetBus(const std::string&) override {}

private:
    KeloKeloPtrClass inner;
    std::int32_t hole;
};

} // namespace

TEST(KeloTravelTime, FirstOrLastEntryWithoutAStopGivesZero) {
    KeloDataPtrClass source = MakeInMemorySource(TwoKelos());
    for (const std::int32_t hole : {0, 2}) {
        HoleyKelo kelo(source->FindKelo("D1"), hole);
        const KeloTimeType t = kelo.GetTravelTime();
        EXPECT_FALSE(t.IsEmpty()) << hole;
        EXPECT_EQ(t.GetTotalMinutes(), 0) << hole;
    }
    HoleyKelo middle(source->FindKelo("D1"), 1);
    EXPECT_EQ(middle.GetTravelTime().GetTotalMinutes(), 65);
}
