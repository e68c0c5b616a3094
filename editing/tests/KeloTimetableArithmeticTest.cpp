#include "KeloTimetableArithmetic.h"
#include "EditingTestSupport.h"

#include <gtest/gtest.h>

using Rows = std::vector<InMemoryDataSet::Row>;
using Texts = std::vector<std::string>;

TEST(ShiftKeloSchedule, MovesEveryArrivalAndWrapsIntoTheDay) {
    struct Case {
        const char* name;
        Rows rows;
        std::int32_t start;
        Texts expected;
    };
    const Case cases[] = {
        {"back over midnight",
         {MakeRow("000001", "23:50", 5), MakeRow("000002", "23:55", 3),
          MakeRow("000003", "00:10", -1)},
         20,
         {"A 00:20/5", "B 00:25/3", "C 00:40/-"}},
        {"forward over midnight",
         {MakeRow("000001", "00:10", 0), MakeRow("000002", "00:15", 2),
          MakeRow("000003", "00:40", -1)},
         1420,
         {"A 23:40/0", "B 23:45/2", "C 00:10/-"}},
        {"empty arrivals stay empty",
         {MakeRow("000001", "08:00", 0), MakeRow("000002", "", 2), MakeRow("000003", "09:00", -1)},
         600,
         {"A 10:00/0", "B -/2", "C 11:00/-"}},
        {"plus the difference is exactly a day",
         {MakeRow("000001", "10:00", 0), MakeRow("000002", "10:20", -1)},
         1420,
         {"A 23:40/0", "B 00:00/-"}},
        {"minus the difference is exactly the arrival",
         {MakeRow("000001", "10:00", 0), MakeRow("000002", "09:00", -1)},
         60,
         {"A 01:00/0", "B 00:00/-"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        KeloKeloSchedulePtrClass s = MakeLineSource(c.rows)->FindKelo("K")->GetSchedule();
        EXPECT_TRUE(ShiftKeloSchedule(*s, c.start));
        EXPECT_EQ(Times(*s), c.expected);
    }
}

TEST(ShiftKeloSchedule, RefusesWithoutFirstArrivalAndWritesNothingForTheSameStart) {
    InMemoryKeloDataClass* spy = nullptr;
    InMemoryDataSet d;
    d.stops = {{"000001", "A"}, {"000002", "B"}};
    d.kelos.push_back({"K", "k", "", {MakeRow("000001", "", 0), MakeRow("000002", "08:00", -1)}});
    d.kelos.push_back(
        {"L", "l", "", {MakeRow("000001", "07:00", 0), MakeRow("000002", "08:00", -1)}});
    d.kelos.push_back({"E", "e", "", {}});
    KeloDataPtrClass source = MakeInMemorySource(d, &spy);
    EXPECT_FALSE(ShiftKeloSchedule(*source->FindKelo("K")->GetSchedule(), 600));
    EXPECT_FALSE(ShiftKeloSchedule(*source->FindKelo("E")->GetSchedule(), 600));
    EXPECT_TRUE(ShiftKeloSchedule(*source->FindKelo("L")->GetSchedule(), 420));
    EXPECT_EQ(spy->Calls("SetArrival"), 0);
}

TEST(KeloFirstArrival, IsTheFirstEntrysArrivalOrEmpty) {
    auto first = [](const Rows& rows) {
        KeloDataPtrClass source = MakeLineSource(rows);
        return KeloFirstArrival(*source->FindKelo("K")->GetSchedule());
    };
    EXPECT_EQ(first({MakeRow("000001", "23:50", 5), MakeRow("000002", "00:10", -1)}).Format(),
              "23:50");
    EXPECT_TRUE(first({MakeRow("000001", "", 0), MakeRow("000002", "08:00", -1)}).IsEmpty());
    EXPECT_TRUE(first({}).IsEmpty());
}

TEST(MeasureKeloRun, SpeedAndDistanceOfOneRun) {
    struct Case {
        const char* name;
        KeloTimeType arrival, stay, next;
        float km;
        std::int32_t minutes;
        double speed;
    };
    const KeloTimeType none;
    const Case cases[] = {
        {"plain", {8, 0}, KeloTimeType(10), {8, 40}, 30, 30, 60},
        {"empty stay", {8, 0}, none, {8, 30}, 30, 30, 60},
        {"over midnight", {23, 50}, KeloTimeType(0), {0, 20}, 45, 30, 90},
        {"next arrival missing", {8, 0}, KeloTimeType(5), none, 30, 0, 0},
        {"zero minutes", {8, 0}, KeloTimeType(0), {8, 0}, 12, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const KeloRunType run = MeasureKeloRun(c.arrival, c.stay, c.next, c.km);
        EXPECT_EQ(run.minutes, c.minutes);
        EXPECT_DOUBLE_EQ(run.speed, c.speed);
        EXPECT_FLOAT_EQ(run.distance, c.km);
    }
    KeloDataPtrClass source =
        MakeLineSource({MakeRow("000001", "08:00", 2), MakeRow("000002", "08:12", -1)});
    const KeloRunType run =
        MeasureKeloRun(*source->FindKelo("K")->GetSchedule(), 0, *source->GetTopology());
    EXPECT_EQ(run.minutes, 10);
    EXPECT_DOUBLE_EQ(run.speed, 60);
}

TEST(InvertKeloSchedule, ReversesStopsKeepingStaysAndRunningTimes) {
    struct Case {
        const char* name;
        Rows rows;
        Texts expected;
    };
    const Case cases[] = {
        {"worked example A-B-C",
         {MakeRow("000001", "08:00", 5), MakeRow("000002", "08:40", 2),
          MakeRow("000003", "09:30", -1)},
         {"C 08:00/0", "B 08:48/2", "A 09:25/-"}},
        {"zero-length leg: a day long only when T + dA is 0",
         {MakeRow("000001", "10:00", 0), MakeRow("000002", "10:00", -1)},
         {"B 10:00/0", "A 10:00/-"}},
        {"zero-length leg at midnight: a day later is 00:00 again",
         {MakeRow("000001", "00:00", 0), MakeRow("000002", "00:00", -1)},
         {"B 00:00/0", "A 00:00/-"}},
        {"across midnight with non-zero legs",
         {MakeRow("000001", "23:30", 5), MakeRow("000002", "00:10", 2),
          MakeRow("000003", "00:50", -1)},
         {"C 23:30/0", "B 00:08/2", "A 00:45/-"}},
        {"a stay longer than a day gives no negative arrival",
         {MakeRow("000001", "08:00", 0), MakeRow("000002", "09:00", 3000),
          MakeRow("000003", "10:00", -1)},
         {"C 08:00/0", "B 07:00/3000", "A 10:00/-"}},
        {"one entry", {MakeRow("000002", "07:00", 4)}, {"B 07:00/-"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        KeloDataPtrClass source = MakeLineSource(c.rows);
        KeloKeloSchedulePtrClass s = source->FindKelo("K")->GetSchedule();
        ScriptedQuestions questions;
        EXPECT_TRUE(InvertKeloSchedule(*s, *source->GetTopology(), questions));
        EXPECT_EQ(Times(*s), c.expected);
        EXPECT_TRUE(questions.asked.empty());
    }
}

TEST(InvertKeloSchedule, RefusesUnknownReverseLegsAndMissingArrivalsWithoutChange) {
    struct Case {
        const char* name;
        Rows rows;
        bool answerYes;
        Texts asked;
        bool legsKnown;
    };
    const Rows oneWay = {MakeRow("000002", "08:00", 0), MakeRow("000003", "08:20", 0),
                         MakeRow("000004", "08:30", -1)};
    const Case cases[] = {
        {"unknown leg, No", oneWay, false, {"add data?"}, false},
        {"unknown leg, Yes", oneWay, true, {"add data?", "maintenance"}, false},
        {"no arrival",
         {MakeRow("000001", "08:00", 0), MakeRow("000002", "", 0), MakeRow("000003", "09:00", -1)},
         false,
         {"no arrival B"},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        KeloDataPtrClass source = MakeLineSource(c.rows);
        KeloKeloSchedulePtrClass s = source->FindKelo("K")->GetSchedule();
        const Texts before = Times(*s);
        ScriptedQuestions questions;
        questions.answerYes = c.answerYes;
        EXPECT_FALSE(InvertKeloSchedule(*s, *source->GetTopology(), questions));
        EXPECT_EQ(Times(*s), before);
        EXPECT_EQ(questions.asked, c.asked);
        EXPECT_EQ(CanInvertKelo(*s, *source->GetTopology()), c.legsKnown);
    }
}
