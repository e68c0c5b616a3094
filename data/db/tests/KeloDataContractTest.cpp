// The read contract every bottom source keeps, run over the built-in source, over a database
// file made from the built-in data set and (built into the server tests with
// KELO_CONTRACT_POSTGRESQL) over a server database filled from it; the expectations come from
// the static tables.
#include "Cp1251.h"
#include "KeloDBBuiltInExport.h"
#include "KeloDBConnectionClass.h"
#include "KeloDBDataClass.h"
#include "KeloDBOpen.h"
#include "KeloDBTestSupport.h"
#include "KeloDemoDataClass.h"
#include "KeloSelectableDataClass.h"

#include <gtest/gtest.h>
#ifdef KELO_CONTRACT_POSTGRESQL
#include "KeloPGTestSupport.h"
#endif

#include <functional>
#include <set>

namespace {

std::string Cp(std::string_view utf8) {
    return Utf8ToCp1251(utf8).bytes;
}

const KeloDemoRootType& Root() {
    return KeloDemoBuiltInRoot();
}

struct SourceKindType {
    const char* name;
    // Opens the source; null for the built-in one. `keep` holds what must outlive the test.
    KeloDataPtrClass (*open)(KeloDBTempDirType& dir, std::shared_ptr<void>& keep);
};

class KeloDataContract : public ::testing::TestWithParam<SourceKindType> {
protected:
    void SetUp() override {
#ifdef KELO_CONTRACT_POSTGRESQL
        KELO_REQUIRE_SERVER();
#endif
        source = GetParam().open ? GetParam().open(dir, keep) : MakeBuiltInSource();
        ASSERT_FALSE(source.IsNull());
    }

    std::vector<std::string> Numbers(KeloDataPtrClass data) {
        std::vector<std::string> numbers;
        KeloKeloSetPtrClass set = data->GetKeloSet();
        for (std::int32_t i = 0; i < set->GetCount(); ++i)
            numbers.push_back(set->GetItem(i)->GetNumber());
        return numbers;
    }

    KeloDBTempDirType dir;
    std::shared_ptr<void> keep;
    KeloDataPtrClass source;
};

TEST_P(KeloDataContract, EveryRecordReadsAsInTheTables) {
    const KeloDemoRootType& root = Root();
    KeloStopSetPtrClass stops = source->GetStopSet();
    ASSERT_EQ(stops->GetCount(), root.stopCount);
    for (std::int32_t i = 0; i < root.stopCount; ++i) {
        EXPECT_EQ(stops->GetItem(i)->GetCode(), root.stops[i].code);
        EXPECT_EQ(stops->GetItem(i)->GetName(), root.stops[i].name);
    }
    for (std::int32_t i = 0; i < root.busCount; ++i) {
        KeloBusPtrClass bus = source->FindBus(root.buses[i].model);
        ASSERT_FALSE(bus.IsNull());
        EXPECT_EQ(bus->GetCategory(), root.buses[i].category);
        EXPECT_EQ(bus->GetCapacity(), root.buses[i].capacity);
    }
    KeloTopologyPtrClass topology = source->GetTopology();
    for (std::int32_t i = 0; i < root.linkCount; ++i) {
        const KeloDemoLinkRecordType& link = root.links[i];
        EXPECT_TRUE(topology->HasLink(link.from, link.to));
        EXPECT_TRUE(topology->HasLink(link.to, link.from));
        EXPECT_EQ(topology->GetDistance(link.to, link.from), link.distance);
    }
    KeloKeloSetPtrClass kelos = source->GetKeloSet();
    ASSERT_EQ(kelos->GetCount(), root.keloCount);
    std::int32_t rows = 0;
    for (std::int32_t k = 0; k < root.keloCount; ++k) {
        const KeloDemoKeloRecordType& record = root.kelos[k];
        KeloKeloPtrClass kelo = kelos->GetItem(k);
        ASSERT_EQ(kelo->GetNumber(), record.number);
        EXPECT_EQ(kelo->GetName(), record.name);
        EXPECT_EQ(kelo->GetBus()->GetModel(), record.bus);
        // Same arithmetic as the built-in source, so the same float result.
        KeloKeloPtrClass builtIn = MakeBuiltInSource()->FindKelo(record.number);
        EXPECT_EQ(kelo->GetDistance(), builtIn->GetDistance());
        EXPECT_EQ(kelo->GetAverageSpeed(), builtIn->GetAverageSpeed());
        KeloKeloSchedulePtrClass schedule = kelo->GetSchedule();
        ASSERT_EQ(schedule->GetCount(), record.rowCount);
        for (std::int32_t r = 0; r < record.rowCount; ++r, ++rows) {
            const KeloDemoRowRecordType& row = root.rows[record.firstRow + r];
            KeloStopSchedulePtrClass entry = schedule->GetItem(r);
            EXPECT_EQ(entry->GetStop()->GetCode(), row.stop);
            EXPECT_EQ(entry->GetArrival(), KeloTimeType(row.arrival));
            EXPECT_EQ(entry->GetStay(), KeloTimeType(row.stay));
        }
    }
    EXPECT_EQ(rows, 2139);
}

TEST_P(KeloDataContract, WorkedExamples) {
    KeloKeloPtrClass kelo = source->FindKelo(Cp("02П"));
    EXPECT_NEAR(kelo->GetDistance(), 39.9f, 1e-4f);
    EXPECT_NEAR(kelo->GetAverageSpeed(), 41.28f, 0.005f);
    EXPECT_EQ(kelo->GetTravelTime(), KeloTimeType(65));
    EXPECT_EQ(kelo->GetSchedule()->GetItem(8)->GetArrival().Format(), "09:05");
    EXPECT_TRUE(kelo->GetSchedule()->GetItem(8)->GetStay().IsEmpty());
    kelo = source->FindKelo("100");
    EXPECT_EQ(kelo->GetTravelTime(), KeloTimeType(1208));
    EXPECT_NEAR(kelo->GetDistance(), 1046.0f, 1e-3f);
    EXPECT_NEAR(kelo->GetAverageSpeed(), 56.69f, 0.005f);
    EXPECT_EQ(kelo->GetName(), Cp("КЕЛЬМЕНЦЫ - СИМФЕРОПОЛЬ"));
}

// Each step as the timetable dialog and the save make them: the codes in order after it, and
// the positions still 0..n-1 so that the next step finds its entry. Past the end appends; the
// last entry goes without moving any other.
TEST_P(KeloDataContract, TimetableEditsKeepTheOrder) {
    if (!GetParam().open)
        GTEST_SKIP() << "the built-in source does not write";
    std::vector<std::string> stop;
    for (std::int32_t k = 0; k < 5; ++k)
        stop.push_back(source->GetStopSet()->GetItem(k)->GetCode());
    KeloKeloSchedulePtrClass schedule = source->FindKelo("100")->GetSchedule();
    while (schedule->GetCount() > 0)
        schedule->RemoveStop(schedule->GetCount() - 1);
    struct StepType {
        char kind; // a: append, i: insert at, r: remove at
        std::int32_t index;
        int stop;               // for a and i
        std::vector<int> after; // the stops in order after the step
    };
    const std::vector<StepType> steps = {
        {'a', 0, 0, {0}},          {'a', 0, 1, {0, 1}},           {'i', 0, 2, {2, 0, 1}},
        {'i', 2, 3, {2, 0, 3, 1}}, {'i', 99, 4, {2, 0, 3, 1, 4}}, {'r', 4, 0, {2, 0, 3, 1}},
        {'r', 1, 0, {2, 3, 1}},    {'r', 9, 0, {2, 3, 1}},        {'r', 0, 0, {3, 1}},
        {'i', 1, 0, {3, 0, 1}},
    };
    for (const StepType& step : steps) {
        if (step.kind == 'a') {
            ASSERT_FALSE(schedule->AppendStop(stop[step.stop]).IsNull()) << step.stop;
        } else if (step.kind == 'i') {
            KeloStopSchedulePtrClass entry = schedule->InsertStop(step.index, stop[step.stop]);
            ASSERT_FALSE(entry.IsNull()) << step.index;
            entry->SetArrival(KeloTimeType(step.index));
        } else {
            schedule->RemoveStop(step.index);
        }
        KeloKeloSchedulePtrClass fresh = source->FindKelo("100")->GetSchedule();
        std::vector<std::string> codes, expected;
        for (std::int32_t i = 0; i < fresh->GetCount(); ++i)
            codes.push_back(fresh->GetItem(i)->GetStop()->GetCode());
        for (int k : step.after)
            expected.push_back(stop[k]);
        EXPECT_EQ(codes, expected) << step.kind << step.index;
    }
    EXPECT_EQ(schedule->GetItem(1)->GetArrival(), KeloTimeType(1)) << "the entry inserted last";
    EXPECT_TRUE(schedule->InsertStop(-1, stop[0]).IsNull());
    EXPECT_TRUE(schedule->AppendStop("999999").IsNull()) << "an unknown stop";
    EXPECT_EQ(schedule->GetCount(), 3);
}

TEST_P(KeloDataContract, MissesGiveEmptyHandles) {
    EXPECT_TRUE(source->FindStop("999999").IsNull());
    EXPECT_TRUE(source->FindStop("05010").IsNull()) << "a prefix is not a match";
    EXPECT_TRUE(source->FindBus(Cp("ик-260м")).IsNull()) << "keys are case-sensitive";
    EXPECT_TRUE(source->FindKelo("999").IsNull());
    EXPECT_FALSE(source->GetTopology()->HasLink("050100", "050100"));
    EXPECT_EQ(source->GetTopology()->GetDistance("050100", "430100"), 0.0f);
    // Indices outside a list give empty handles rather than reading past its end.
    EXPECT_TRUE(source->FindKelo("100")->GetSchedule()->GetItem(99).IsNull());
    EXPECT_TRUE(source->FindKelo("100")->GetSchedule()->GetItem(-1).IsNull());
    EXPECT_TRUE(source->GetStopSet()->GetItem(441).IsNull());
    EXPECT_TRUE(source->GetKeloSet()->GetItem(176).IsNull());
}

TEST_P(KeloDataContract, SelectionOffersKelosWithTwoCallsAtSelectedStops) {
    const KeloDemoRootType& root = Root();
    // A line, two stops of one kelo, one stop twice, unknown codes, and stops nobody links.
    const std::vector<std::vector<std::string>> selections = {
        {"050100", "050157"},
        {"430100"},
        {"050100", "050100"},
        {"999999", "050100"},
        {root.stops[root.stopCount - 1].code, root.stops[0].code}};
    for (std::vector<std::string> selection : selections) {
        std::vector<std::string> expected;
        for (std::int32_t k = 0; k < root.keloCount; ++k) {
            int calls = 0;
            for (std::int32_t r = 0; r < root.kelos[k].rowCount; ++r)
                for (const std::string& code :
                     std::set<std::string>(selection.begin(), selection.end()))
                    calls += code == root.rows[root.kelos[k].firstRow + r].stop;
            if (calls >= 2)
                expected.push_back(root.kelos[k].number);
        }
        KeloDataPtrClass restricted = KeloSelectStops(source, selection);
        EXPECT_NE(&*restricted, &*source);
        EXPECT_EQ(Numbers(restricted), expected) << selection[0];
        // Look-ups by key still search everything.
        EXPECT_FALSE(restricted->FindKelo(root.kelos[0].number).IsNull());
    }
}

#ifndef KELO_CONTRACT_POSTGRESQL
TEST(KeloDBQueryPlans, EveryLookUpByKeyUsesAnIndex) {
    KeloDBTempDirType dir;
    KeloDBWriteBuiltInDataSet(dir.File("plans.db"));
    KeloDBOpenResultType opened = KeloDBOpen(dir.File("plans.db"));
    ASSERT_EQ(opened.status, KeloDBOpenStatusType::Ok);
    KeloDataPtrClass source(new KeloDBDataClass(opened.connection, {}));
    // Every read and write once, so every kept statement is prepared.
    KeloKeloPtrClass kelo = source->FindKelo("100");
    kelo->GetName();
    kelo->GetBus();
    kelo->GetAverageSpeed();
    kelo->SetName("X");
    kelo->SetBus("");
    KeloKeloSchedulePtrClass schedule = kelo->GetSchedule();
    schedule->InsertStop(1, "050100")->SetArrival(KeloTimeType(1));
    schedule->GetItem(1)->GetStay();
    schedule->RemoveStop(1);
    source->GetTopology()->HasLink("050100", "050101");
    source->FindBus("X");
    source->GetStopSet()->GetCount();
    source->GetKeloSet()->GetItem(0);
    source->CreateKelo("NEW");
    source->DeleteKelo("NEW");
    const std::vector<std::string> texts = opened.connection->GetStatementTexts();
    EXPECT_GE(texts.size(), 15u);
    for (const std::string& sql : texts) {
        KeloDBStatementClass plan(opened.connection->GetHandle(), "EXPLAIN QUERY PLAN " + sql);
        while (plan.Step()) {
            const std::string detail = plan.ColumnBytes(3);
            // Only the whole-table listings (no WHERE) may walk a table.
            if (sql.find("WHERE") != std::string::npos) {
                EXPECT_EQ(detail.find("SCAN"), std::string::npos) << sql << "\n" << detail;
            }
        }
    }
}

KeloDataPtrClass OpenDatabaseFile(KeloDBTempDirType& dir, std::shared_ptr<void>&) {
    KeloDBWriteBuiltInDataSet(dir.File("contract.db"));
    KeloDBOpenResultType opened = KeloDBOpen(dir.File("contract.db"));
    EXPECT_EQ(opened.status, KeloDBOpenStatusType::Ok) << opened.detail;
    return opened.connection ? KeloDataPtrClass(new KeloDBDataClass(opened.connection, {}))
                             : KeloDataPtrClass();
}

INSTANTIATE_TEST_SUITE_P(Sources, KeloDataContract,
                         ::testing::Values(SourceKindType{"BuiltIn", nullptr},
                                           SourceKindType{"Database", OpenDatabaseFile}),
                         [](const auto& info) { return std::string(info.param.name); });
#else
INSTANTIATE_TEST_SUITE_P(Sources, KeloDataContract,
                         ::testing::Values(SourceKindType{"Server", KeloPGOpenTestSource}),
                         [](const auto& info) { return std::string(info.param.name); });
#endif

} // namespace
