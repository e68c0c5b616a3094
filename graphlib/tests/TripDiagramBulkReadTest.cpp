// A line opened over a database reads its kelos in bulk: the picture and the station
// timetables equal those read row by row, and the statements it takes do not grow with the
// number of kelos.
#include "KeloDBBuiltInExport.h"
#include "KeloDBConnectionClass.h"
#include "KeloDBDataClass.h"
#include "KeloDBOpen.h"
#include "KeloDBPrefetchClass.h"
#include "KeloDBStatementCounterClass.h"
#include "KeloLineOf.h"
#include "KeloScaleDBWrite.h"
#include "KeloScheduleRowsDataClass.h"
#include "StopInfoReport.h"
#include "TripDiagramClass.h"
#include "TripDiagramFakeHostClass.h"
#include "ZoRecordingSurfaceClass.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>

namespace {

struct DatabaseType {
    std::string path;
    std::string kelo; // opens the line
    ~DatabaseType() {
        for (const char* suffix : {"", "-wal", "-shm"})
            std::filesystem::remove(path + suffix);
    }
};

// The built-in set (factor 1) or the scale set, written once per run.
const DatabaseType& Database(int factor) {
    static std::map<int, DatabaseType> made;
    DatabaseType& db = made[factor];
    if (!db.path.empty())
        return db;
    db.path = (std::filesystem::temp_directory_path() /
               ("kelo-bulk-" + std::to_string(::getpid()) + "-" + std::to_string(factor) + ".db"))
                  .string();
    const KeloScaleSetType set = MakeKeloScaleSet(KeloDemoBuiltInRoot(), factor);
    if (factor == 1)
        KeloDBWriteBuiltInDataSet(db.path);
    else
        KeloScaleDBWrite(set, db.path);
    db.kelo = set.trunkKelo;
    return db;
}

struct OpenedLineType {
    std::string drawn;    // every drawing call of the first paint
    std::string stations; // the station timetable of every stop of the line
    std::int64_t statements = 0;
    int kelos = 0;
};

std::string Describe(const std::vector<ZoRecordingSurfaceClass::Call>& calls) {
    std::ostringstream out;
    for (const auto& call : calls)
        out << int(call.kind) << ' ' << call.box.left << ',' << call.box.top << ','
            << call.box.right << ',' << call.box.bottom << ' ' << call.text << ' ' << call.penColor
            << '/' << call.penStyle << '/' << call.penWidth << '/' << call.brushColor << '\n';
    return out.str();
}

// Opens the line as a new window does and reads each of its stops' station timetables from
// a fresh source; `bulk` false makes every read go row by row.
OpenedLineType OpenLine(const DatabaseType& db, bool bulk) {
    KeloDBOpenResultType opened = KeloDBOpen(db.path);
    EXPECT_EQ(opened.status, KeloDBOpenStatusType::Ok) << opened.detail;
    KeloDBConnectionClass& connection = *opened.connection;
    if (!bulk)
        KeloDBReadRowByRow(connection);
    KeloDataPtrClass all(new KeloDBDataClass(opened.connection, {}));
    const std::vector<std::string> line = KeloLineOf(all, db.kelo);

    OpenedLineType result;
    TripDiagramFakeHostClass host;
    ZoRecordingSurfaceClass surface({0, 0, 100000, 10000});
    TripDiagramClass diagram(host, surface);
    {
        KeloDBStatementCounterClass counter(connection);
        diagram.Create(db.kelo, line, KeloSelectStops(all, line));
        diagram.BuildScene();
        result.statements = counter.GetCount();
    }
    result.drawn = Describe(surface.calls);
    result.kelos = diagram.GetView()->GetKeloSet()->GetCount();

    std::ostringstream stations;
    for (const std::string& code : line)
        WriteStopInfoReport(stations, KeloSelectStops(all, line), code);
    result.stations = stations.str();
    return result;
}

class TripDiagramBulkRead : public testing::TestWithParam<int> {};

TEST_P(TripDiagramBulkRead, DrawsAndReportsWhatTheRowByRowReadsGive) {
    const OpenedLineType bulk = OpenLine(Database(GetParam()), true);
    const OpenedLineType rows = OpenLine(Database(GetParam()), false);
    ASSERT_GT(bulk.kelos, 10);
    EXPECT_EQ(bulk.kelos, rows.kelos);
    EXPECT_EQ(bulk.drawn, rows.drawn);
    EXPECT_EQ(bulk.stations, rows.stations);
    EXPECT_GT(bulk.stations.size(), 1000u);
    // The row-by-row reads take a statement per kelo and per entry at least.
    EXPECT_GT(rows.statements, 10 * bulk.kelos);
}

INSTANTIATE_TEST_SUITE_P(BuiltInAndScale, TripDiagramBulkRead, testing::Values(1, 2));

// The station timetable of the whole network over a window's stack, with a changed, a
// deleted and a new kelo waiting in its buffer: each timetable read in one call gives the
// rows the entry-by-entry walk gives.
TEST_P(TripDiagramBulkRead, StationRowsOverTheEditedStackEqualTheWalk) {
    const DatabaseType& db = Database(GetParam());
    KeloDBOpenResultType opened = KeloDBOpen(db.path);
    ASSERT_EQ(opened.status, KeloDBOpenStatusType::Ok) << opened.detail;
    KeloDataPtrClass all(new KeloDBDataClass(opened.connection, {}));
    const std::vector<std::string> line = KeloLineOf(all, db.kelo);
    const TripDiagramDataStackType stack = MakeTripDiagramDataStack(all, line);
    KeloDataPtrClass buffer = stack.editBuffer;
    ASSERT_NE(KeloFindScheduleRows(buffer), nullptr);

    KeloKeloPtrClass moved = buffer->FindKelo(db.kelo);
    KeloKeloSchedulePtrClass schedule = moved->GetSchedule();
    ASSERT_GE(schedule->GetCount(), 2);
    schedule->GetItem(1)->SetArrival(schedule->GetItem(1)->GetArrival() + KeloTimeType(0, 7));
    schedule->RemoveStop(schedule->GetCount() - 1);
    buffer->DeleteKelo(buffer->GetKeloSet()->GetItem(1)->GetNumber());
    KeloKeloPtrClass made = buffer->CreateKelo("NEW1");
    made->GetSchedule()->AppendStop(line[0])->SetArrival(KeloTimeType(5, 0));
    made->GetSchedule()->AppendStop(line[1])->SetArrival(KeloTimeType(5, 20));
    buffer->CreateKelo("NEW2"); // no timetable yet

    std::vector<StopInfoReportKeloDataType> bulk;
    std::vector<StopInfoReportKeloDataType> walked;
    std::size_t calls = 0;
    for (const std::string& code : line) {
        CollectStopInfoRows(bulk, buffer, code);
        CollectStopInfoRows(walked, buffer->GetKeloSet(), code);
        ASSERT_EQ(bulk.size(), walked.size()) << code;
        for (std::size_t i = 0; i < bulk.size(); ++i) {
            EXPECT_EQ(bulk[i].keloNumber, walked[i].keloNumber) << code << ' ' << i;
            EXPECT_EQ(bulk[i].keloName, walked[i].keloName) << code << ' ' << i;
            EXPECT_EQ(bulk[i].arrival, walked[i].arrival) << code << ' ' << i;
            EXPECT_EQ(bulk[i].stay, walked[i].stay) << code << ' ' << i;
        }
        calls += bulk.size();
    }
    EXPECT_GT(calls, 20u);
    CollectStopInfoRows(bulk, buffer, line[0]);
    EXPECT_TRUE(std::any_of(bulk.begin(), bulk.end(),
                            [](const auto& row) { return row.keloNumber == "NEW1"; }));
}

// The line's stops (20 on the trunk at every factor) cost statements; its kelos do not.
TEST(TripDiagramBulkRead, OpeningTheTrunkTakesAFixedNumberOfStatements) {
    constexpr std::int64_t Bound = 100;
    const OpenedLineType two = OpenLine(Database(2), true);
    const OpenedLineType six = OpenLine(Database(6), true);
    EXPECT_GT(six.kelos, 2 * two.kelos);
    EXPECT_LT(two.statements, Bound);
    EXPECT_LT(six.statements, Bound);
}

} // namespace
