// The demonstration source answered through the data interfaces.

#include "KeloDemoDataClass.h"
#include "KeloDemoTestSupport.h"

#include <gtest/gtest.h>

#include <set>

namespace {

constexpr std::int32_t Empty = 2147483647;

std::vector<std::string> OfferedNumbers(KeloDataPtrClass source) {
    std::vector<std::string> numbers;
    KeloKeloSetPtrClass kelos = source->GetKeloSet();
    for (std::int32_t i = 0; i < kelos->GetCount(); ++i)
        numbers.push_back(kelos->GetItem(i)->GetNumber());
    return numbers;
}

KeloKeloPtrClass BuiltInKelo(const char* utf8Number) {
    KeloKeloPtrClass kelo = MakeBuiltInSource()->FindKelo(Cp(utf8Number));
    EXPECT_FALSE(kelo.IsNull()) << utf8Number;
    return kelo;
}

TEST(KeloDemoDataClassTest, EmptySelectionOffersEveryKeloInTableOrder) {
    const std::vector<std::string> numbers = OfferedNumbers(MakeBuiltInSource());
    const KeloDemoRootType& root = KeloDemoBuiltInRoot();
    ASSERT_EQ(numbers.size(), 176u);
    for (std::int32_t i = 0; i < root.keloCount; ++i) {
        EXPECT_EQ(numbers[i], root.kelos[i].number);
    }
}

TEST(KeloDemoDataClassTest, StopSetIsTheWholeTableWhateverTheSelection) {
    const KeloDemoRootType& root = KeloDemoBuiltInRoot();
    for (const std::vector<std::string>& selection :
         {std::vector<std::string>{}, LineOf(root, Cp("02П")),
          std::vector<std::string>{"999999"}}) {
        KeloStopSetPtrClass stopSet = MakeBuiltInSource(selection)->GetStopSet();
        ASSERT_EQ(stopSet->GetCount(), 441);
        for (std::int32_t i = 0; i < stopSet->GetCount(); ++i) {
            KeloStopPtrClass stop = stopSet->GetItem(i);
            EXPECT_EQ(stop->GetCode(), root.stops[i].code);
            EXPECT_EQ(stop->GetName(), root.stops[i].name);
        }
    }
}

TEST(KeloDemoDataClassTest, LookUpsByKeyFindRecordsOrGiveEmptyHandles) {
    KeloDataPtrClass source = MakeBuiltInSource();
    KeloStopPtrClass stop = source->FindStop("050101");
    ASSERT_FALSE(stop.IsNull());
    EXPECT_EQ(stop->GetName(), Cp("ВОРОНОВИЦА+"));
    EXPECT_TRUE(source->FindStop("999999").IsNull());
    EXPECT_TRUE(source->FindStop("05010").IsNull()) << "a prefix is not a match";

    KeloBusPtrClass bus = source->FindBus(Cp("ИК-260М"));
    ASSERT_FALSE(bus.IsNull());
    EXPECT_EQ(bus->GetModel(), Cp("ИК-260М"));
    EXPECT_EQ(bus->GetCategory(), Cp("МГК"));
    EXPECT_EQ(bus->GetCapacity(), 0);
    EXPECT_TRUE(source->FindBus(Cp("ИКАРУС")).IsNull());
    EXPECT_TRUE(source->FindBus(Cp("ик-260м")).IsNull()) << "keys are case-sensitive";

    EXPECT_TRUE(source->FindKelo("999").IsNull());
    KeloKeloPtrClass kelo = source->FindKelo(Cp("02П"));
    ASSERT_FALSE(kelo.IsNull());
    EXPECT_EQ(kelo->GetName(), Cp("ВИННИЦА 1 - ВОЛОВОДОВКА#"));
    KeloBusPtrClass keloBus = kelo->GetBus();
    ASSERT_FALSE(keloBus.IsNull());
    EXPECT_EQ(keloBus->GetModel(), Cp("ПАЗ-672"));
    EXPECT_EQ(keloBus->GetCategory(), Cp("ЖСТ"));
}

TEST(KeloDemoDataClassTest, TopologyAnswersOrderedPairsFromTheLinkTable) {
    KeloTopologyPtrClass topology = MakeBuiltInSource()->GetTopology();
    EXPECT_TRUE(topology->HasLink("050100", "050101"));
    EXPECT_TRUE(topology->HasLink("050101", "050100"));
    EXPECT_EQ(topology->GetDistance("050100", "050101"), 24.0f);
    EXPECT_EQ(topology->GetDistance("050101", "050100"), 24.0f);
    EXPECT_EQ(topology->GetDistance("050100", "050157"), 10.2f);
    EXPECT_FALSE(topology->HasLink("050100", "430100"));
    EXPECT_EQ(topology->GetDistance("050100", "430100"), 0.0f);
    EXPECT_FALSE(topology->HasLink("050100", "050100"));
}

TEST(KeloDemoDataClassTest, WorkedExampleOf02P) {
    KeloKeloPtrClass kelo = BuiltInKelo("02П");
    EXPECT_NEAR(kelo->GetDistance(), 39.9f, 1e-4f);
    EXPECT_NEAR(kelo->GetAverageSpeed(), 41.28f, 0.005f);
    EXPECT_EQ(kelo->GetTravelTime(), KeloTimeType(65));
    KeloKeloSchedulePtrClass schedule = kelo->GetSchedule();
    ASSERT_EQ(schedule->GetCount(), 9);
    KeloStopSchedulePtrClass first = schedule->GetItem(0);
    EXPECT_EQ(first->GetStop()->GetName(), Cp("ВИННИЦА 1"));
    EXPECT_EQ(first->GetArrival().Format(), "08:00");
    EXPECT_TRUE(first->GetStay().IsZero());
    KeloStopSchedulePtrClass last = schedule->GetItem(8);
    EXPECT_EQ(last->GetStop()->GetCode(), "054947");
    EXPECT_EQ(last->GetArrival().Format(), "09:05");
    EXPECT_TRUE(last->GetStay().IsEmpty());
}

TEST(KeloDemoDataClassTest, WorkedExampleOf100OverMidnight) {
    KeloKeloPtrClass kelo = BuiltInKelo("100");
    EXPECT_EQ(kelo->GetTravelTime(), KeloTimeType(1208));
    EXPECT_NEAR(kelo->GetDistance(), 1046.0f, 1e-3f);
    EXPECT_NEAR(kelo->GetAverageSpeed(), 56.69f, 0.005f);
}

TEST(KeloDemoDataClassTest, SourceCannotBeChanged) {
    KeloDataPtrClass source = MakeBuiltInSource();
    KeloKeloPtrClass kelo = source->FindKelo(Cp("02П"));
    KeloKeloSchedulePtrClass schedule = kelo->GetSchedule();
    KeloStopSchedulePtrClass entry = schedule->GetItem(1);
    entry->SetArrival(KeloTimeType(600));
    entry->SetStay(KeloTimeType(9));
    EXPECT_EQ(entry->GetArrival(), KeloTimeType(494));
    EXPECT_EQ(schedule->GetItem(1)->GetStay(), KeloTimeType(1));

    kelo->SetName("X");
    kelo->SetBus(Cp("ИК-250"));
    EXPECT_EQ(kelo->GetName(), Cp("ВИННИЦА 1 - ВОЛОВОДОВКА#"));
    EXPECT_EQ(kelo->GetBus()->GetModel(), Cp("ПАЗ-672"));

    EXPECT_TRUE(schedule->AppendStop("050100").IsNull());
    EXPECT_TRUE(schedule->InsertStop(0, "050100").IsNull());
    schedule->RemoveStop(0);
    EXPECT_EQ(schedule->GetCount(), 9);
    EXPECT_EQ(schedule->GetItem(0)->GetStop()->GetCode(), "050100");

    EXPECT_TRUE(source->CreateKelo("999").IsNull());
    EXPECT_TRUE(source->FindKelo("999").IsNull());
    source->DeleteKelo(Cp("02П"));
    EXPECT_FALSE(source->FindKelo(Cp("02П")).IsNull());
    EXPECT_EQ(source->GetKeloSet()->GetCount(), 176);
}

TEST(KeloDemoDataClassTest, EntitiesAreNewObjectsThatOutliveTheirSource) {
    KeloKeloPtrClass kelo;
    KeloStopSetPtrClass stops;
    {
        KeloDataPtrClass source = MakeBuiltInSource();
        kelo = source->FindKelo("100");
        stops = source->GetStopSet();
        KeloKeloPtrClass again = source->FindKelo("100");
        EXPECT_NE(&*kelo, &*again);
        EXPECT_EQ(again->GetName(), kelo->GetName());
    }
    EXPECT_EQ(kelo->GetName(), Cp("КЕЛЬМЕНЦЫ - СИМФЕРОПОЛЬ"));
    EXPECT_EQ(kelo->GetSchedule()->GetItem(13)->GetStop()->GetCode(), "430100");
    EXPECT_EQ(stops->GetItem(0)->GetCode(), "050100");
}

// Every count and invariant of the data set, seen through the interfaces.
TEST(KeloDemoDataClassTest, WholeDataSetThroughTheInterfaces) {
    KeloDataPtrClass source = MakeBuiltInSource();
    KeloTopologyPtrClass topology = source->GetTopology();
    KeloKeloSetPtrClass kelos = source->GetKeloSet();
    int rows = 0, zeroFirst = 0;
    std::string previous;
    for (std::int32_t k = 0; k < kelos->GetCount(); ++k) {
        KeloKeloPtrClass kelo = kelos->GetItem(k);
        const std::string number = kelo->GetNumber();
        SCOPED_TRACE(Cp1251ToUtf8(number));
        if (k > 0) {
            EXPECT_TRUE(ByteLess(previous, number));
        }
        previous = number;
        EXPECT_FALSE(kelo->GetBus().IsNull());
        KeloKeloSchedulePtrClass schedule = kelo->GetSchedule();
        const std::int32_t count = schedule->GetCount();
        EXPECT_GE(count, 4);
        EXPECT_LE(count, 22);
        rows += count;
        float distance = 0;
        for (std::int32_t r = 0; r < count; ++r) {
            KeloStopSchedulePtrClass entry = schedule->GetItem(r);
            ASSERT_FALSE(entry.IsNull());
            EXPECT_EQ(entry->GetStay().IsEmpty(), r == count - 1);
            EXPECT_FALSE(entry->GetArrival().IsEmpty());
            if (r + 1 < count) {
                const std::string a = entry->GetStop()->GetCode();
                const std::string b = schedule->GetItem(r + 1)->GetStop()->GetCode();
                EXPECT_TRUE(topology->HasLink(a, b)) << a << "-" << b;
                EXPECT_EQ(topology->GetDistance(a, b), topology->GetDistance(b, a));
                distance += topology->GetDistance(a, b);
            }
        }
        if (schedule->GetItem(0)->GetStay().IsZero())
            ++zeroFirst;
        EXPECT_FLOAT_EQ(kelo->GetDistance(), distance);
        // Plausible timetables: a day at most, buses between 30 and 80 km/h.
        EXPECT_GT(kelo->GetTravelTime().GetTotalMinutes(), 0);
        EXPECT_LT(kelo->GetTravelTime().GetTotalMinutes(), 1440);
        EXPECT_GE(kelo->GetAverageSpeed(), 30.0f);
        EXPECT_LE(kelo->GetAverageSpeed(), 80.0f);
    }
    EXPECT_EQ(rows, 2139);
    EXPECT_EQ(zeroFirst, 172);

    KeloStopSetPtrClass stops = source->GetStopSet();
    int plain = 0, hash = 0, plus = 0;
    for (std::int32_t i = 0; i < stops->GetCount(); ++i) {
        const std::string name = stops->GetItem(i)->GetName();
        (name.back() == '#' ? hash : name.back() == '+' ? plus : plain)++;
        if (i > 0) {
            EXPECT_LT(stops->GetItem(i - 1)->GetCode(), stops->GetItem(i)->GetCode());
        }
    }
    EXPECT_EQ(plain, 185);
    EXPECT_EQ(hash, 184);
    EXPECT_EQ(plus, 72);
}

// ------------------------------------------------------------------ small hand-made tables

const KeloDemoBusRecordType SmallBuses[] = {{"BUS", "CAT", 40}, {"BUS", "SECOND", 1}};
const KeloDemoStopRecordType SmallStops[] = {{"000001", "A"}, {"000002", "B"}, {"000003", "C"}};
const KeloDemoLinkRecordType SmallLinks[] = {
    {"000001", "000002", 20.0f},
    {"000002", "000001", 20.0f},
    {"000002", "000003", 5.0f},
    {"000001", "000002", 99.0f}, // a second record for a pair: the first one counts
};
const KeloDemoRowRecordType SmallRows[] = {
    // "A-B-A": calls twice at A; 23:50 to 00:10 over midnight, 20 km.
    {"000001", 1430, 0},
    {"000002", 10, 5},
    {"000001", 40, Empty},
    // "gap": the pair B-C has a link, C-A has none; an empty arrival is skipped.
    {"000002", 600, 0},
    {"000003", 610, 0},
    {"000001", 700, 0},
    {"000002", Empty, Empty},
    // "lost": a stop code the stop table does not have, and a bus model nobody has.
    {"000009", 100, 0},
    {"000001", 130, Empty},
    // "one": a single row.
    {"000001", 300, Empty},
};
const KeloDemoKeloRecordType SmallKelos[] = {
    {"A-B-A", "A - A", "BUS", 0, 3},     {"gap", "B - B", "BUS", 3, 4},
    {"lost", "? - A", "NONE", 7, 2},     {"one", "A", "BUS", 9, 1},
    {"A-B-A", "duplicate", "BUS", 0, 1},
};
const KeloDemoRootType SmallRoot = {SmallBuses, 2,          SmallStops, 3,          SmallRows,
                                    10,         SmallKelos, 5,          SmallLinks, 4};

KeloDataPtrClass Small(std::vector<std::string> selection = {}) {
    return KeloDataPtrClass(new KeloDemoDataClass(SmallRoot, selection));
}

TEST(KeloDemoDataClassTest, SelectionOffersKelosWithTwoCallsAtSelectedStops) {
    // Two calls at one selected stop are enough.
    EXPECT_EQ(OfferedNumbers(Small({"000001"})), std::vector<std::string>{"A-B-A"});
    // One call only: not offered, but still found by number.
    EXPECT_EQ(OfferedNumbers(Small({"000003"})), std::vector<std::string>{});
    EXPECT_FALSE(Small({"000003"})->FindKelo("gap").IsNull());
    EXPECT_EQ(OfferedNumbers(Small({"000002", "000003"})), (std::vector<std::string>{"gap"}));
    EXPECT_EQ(OfferedNumbers(Small({"000001", "000009"})),
              (std::vector<std::string>{"A-B-A", "lost"}));
    // The selection is copied: changing the caller's list later changes nothing.
    std::vector<std::string> selection{"000002", "000003"};
    KeloDataPtrClass source = Small(selection);
    selection.clear();
    EXPECT_EQ(OfferedNumbers(source), (std::vector<std::string>{"gap"}));
}

TEST(KeloDemoDataClassTest, FirstRecordWinsForDuplicateKeys) {
    KeloDataPtrClass source = Small();
    EXPECT_EQ(source->FindKelo("A-B-A")->GetName(), "A - A");
    // Both entries of the number list resolve to the first record of that number.
    KeloKeloSetPtrClass kelos = source->GetKeloSet();
    ASSERT_EQ(kelos->GetCount(), 5);
    EXPECT_EQ(kelos->GetItem(4)->GetName(), "A - A");
    EXPECT_EQ(source->FindBus("BUS")->GetCategory(), "CAT");
    EXPECT_EQ(source->GetTopology()->GetDistance("000001", "000002"), 20.0f);
}

TEST(KeloDemoDataClassTest, SpeedAndDistanceOverMidnightAndWithGaps) {
    KeloDataPtrClass source = Small();
    KeloKeloPtrClass overMidnight = source->FindKelo("A-B-A");
    EXPECT_EQ(overMidnight->GetDistance(), 40.0f);
    // 20 km in 20 minutes, then 20 km in 25 minutes after a stay of 5.
    EXPECT_NEAR(overMidnight->GetAverageSpeed(), 40.0f / (45.0f / 60.0f), 1e-4f);
    EXPECT_EQ(overMidnight->GetTravelTime(), KeloTimeType(50));

    KeloKeloPtrClass gap = source->FindKelo("gap");
    // B-C 5 km in 10 minutes counts; C-A has no link (neither time nor distance); A-B has
    // no arrival at B.
    EXPECT_EQ(gap->GetDistance(), 25.0f);
    EXPECT_NEAR(gap->GetAverageSpeed(), 30.0f, 1e-4f);
    EXPECT_EQ(gap->GetTravelTime(), KeloTimeType(0));

    KeloKeloPtrClass one = source->FindKelo("one");
    EXPECT_EQ(one->GetDistance(), 0.0f);
    EXPECT_EQ(one->GetAverageSpeed(), 0.0f);
    EXPECT_TRUE(one->GetTravelTime().IsZero());

    // No linked pair at all: no running time, speed 0.
    KeloKeloPtrClass lost = source->FindKelo("lost");
    EXPECT_EQ(lost->GetDistance(), 0.0f);
    EXPECT_EQ(lost->GetAverageSpeed(), 0.0f);
}

TEST(KeloDemoDataClassTest, MissingStopsAndBusModelsGiveEmptyHandles) {
    KeloKeloPtrClass lost = Small()->FindKelo("lost");
    EXPECT_TRUE(lost->GetBus().IsNull());
    KeloKeloSchedulePtrClass schedule = lost->GetSchedule();
    ASSERT_EQ(schedule->GetCount(), 2);
    EXPECT_TRUE(schedule->GetItem(0).IsNull());
    ASSERT_FALSE(schedule->GetItem(1).IsNull());
    EXPECT_EQ(schedule->GetItem(1)->GetStop()->GetName(), "A");
}

} // namespace
