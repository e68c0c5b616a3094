#include "Cp1251.h"
#include "KeloDBDataClass.h"
#include "KeloDBOpen.h"
#include "KeloGtfsTestSupport.h"

#include <gtest/gtest.h>

namespace {

std::string Cp(const char* utf8) {
    return Utf8ToCp1251(utf8).bytes;
}

KeloDataPtrClass OpenImported(const std::string& path) {
    KeloDBOpenResultType opened = KeloDBOpen(path);
    EXPECT_EQ(opened.status, KeloDBOpenStatusType::Ok) << opened.detail;
    return KeloDataPtrClass(new KeloDBDataClass(opened.connection, {}));
}

struct EntryType {
    std::string code;
    std::string arrival; // "HH:MM"
    std::string stay;    // "" when empty
};

std::vector<EntryType> Timetable(KeloKeloPtrClass kelo) {
    std::vector<EntryType> entries;
    KeloKeloSchedulePtrClass schedule = kelo->GetSchedule();
    for (std::int32_t i = 0; i < schedule->GetCount(); ++i) {
        KeloStopSchedulePtrClass entry = schedule->GetItem(i);
        const KeloTimeType stay = entry->GetStay();
        entries.push_back({entry->GetStop()->GetCode(), entry->GetArrival().Format(),
                           stay.IsEmpty() ? "" : std::to_string(stay.GetTotalMinutes())});
    }
    return entries;
}

bool operator==(const EntryType& a, const EntryType& b) {
    return a.code == b.code && a.arrival == b.arrival && a.stay == b.stay;
}

void PrintTo(const EntryType& e, std::ostream* os) {
    *os << e.code << " " << e.arrival << " +" << e.stay;
}

TEST(KeloGtfsImportTest, BusiestDayOfTheSmallFeedReadsBackThroughTheDataInterfaces) {
    GtfsSandboxType sandbox;
    const GtfsRunType run = RunGtfsImport(sandbox.Feed(), sandbox.File("plan.db"));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              "kelo: imported 2026-01-01 into " + sandbox.File("plan.db") +
                  ": 6 stops, 10 links, 6 kelos, 17 timetable rows; 1 trip with fewer "
                  "than two stops skipped; 2 characters outside Windows-1251 or control characters "
                  "replaced; "
                  "distances: shape_dist_traveled in metres, great-circle where missing\n");

    KeloDataPtrClass data = OpenImported(sandbox.File("plan.db"));
    EXPECT_EQ(data->GetStopSet()->GetCount(), 6);
    EXPECT_EQ(data->GetKeloSet()->GetCount(), 6);
    // stop_code where unique; stop_id for a missing or shared code; no stations.
    EXPECT_EQ(data->FindStop("050101")->GetName(), Cp("Вороновица, центр"));
    EXPECT_EQ(data->FindStop("S4")->GetName(), "Zurich Hbf");
    EXPECT_EQ(data->FindStop("S6")->GetName(), Cp("Село \"Дальнее\" ?"));
    EXPECT_FALSE(data->FindStop("S5").IsNull());
    EXPECT_TRUE(data->FindStop("DUP").IsNull());
    EXPECT_TRUE(data->FindStop("STA").IsNull());

    // The trip past midnight: the 24-hour clock, whole minutes, stay from the departure.
    KeloKeloPtrClass late = data->FindKelo(Cp("02П-3"));
    ASSERT_FALSE(late.IsNull());
    EXPECT_EQ(late->GetName(), Cp("Винница Центр - Вороновица, центр"));
    EXPECT_EQ(late->GetBus()->GetModel(), Cp("АВТОБУС"));
    EXPECT_EQ(Timetable(late),
              (std::vector<EntryType>{
                  {"050100", "23:50", "0"}, {"050157", "00:05", "1"}, {"050101", "01:10", ""}}));
    EXPECT_EQ(late->GetTravelTime(), KeloTimeType(80));
    // Rows follow stop_sequence, not the file's order; a stop without times lies between.
    EXPECT_EQ(Timetable(data->FindKelo(Cp("02П-2"))),
              (std::vector<EntryType>{
                  {"050101", "10:00", "0"}, {"050157", "10:15", "0"}, {"050100", "10:30", ""}}));
    // One kelo per departure of the frequency-based trip, suffixed in departure order.
    EXPECT_EQ(Timetable(data->FindKelo("T7-2")),
              (std::vector<EntryType>{
                  {"050101", "06:30", "0"}, {"S4", "06:40", "1"}, {"S5", "06:55", ""}}));
    EXPECT_EQ(data->FindKelo("T7-1")->GetBus()->GetModel(), Cp("ТРАМВАЙ"));
    EXPECT_FALSE(data->FindKelo("101").IsNull());

    // Distances: from shape_dist_traveled in metres, else great-circle, the same both ways.
    KeloTopologyPtrClass topology = data->GetTopology();
    EXPECT_FLOAT_EQ(topology->GetDistance("050100", "050157"), 10.2f);
    EXPECT_FLOAT_EQ(topology->GetDistance("050157", "050100"), 10.2f);
    EXPECT_NEAR(topology->GetDistance("050100", "050101"), 19.85, 0.05);
    EXPECT_FALSE(topology->HasLink("050100", "S4"));
    EXPECT_FLOAT_EQ(late->GetDistance(), 22.4f);
}

TEST(KeloGtfsImportTest, CalendarExceptionDayFromAZipWithATopFolder) {
    GtfsSandboxType sandbox;
    const GtfsRunType run =
        RunGtfsImport(sandbox.Zip("feed/"), sandbox.File("plan.db"), "20260105");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("imported 2026-01-05"), std::string::npos) << run.out;
    KeloDataPtrClass data = OpenImported(sandbox.File("plan.db"));
    // The weekday service is removed that day and the holiday one added.
    ASSERT_EQ(data->GetKeloSet()->GetCount(), 1);
    KeloKeloPtrClass kelo = data->GetKeloSet()->GetItem(0);
    EXPECT_EQ(kelo->GetNumber(), "T7");
    EXPECT_EQ(kelo->GetName(), Cp("Калиновка - Вороновица, центр"));
    EXPECT_EQ(Timetable(kelo).size(), 3u);
}

struct RefusalCase {
    const char* name;
    std::string table; // rewritten table; "-" + name removes it
    std::string text;
    std::string expected; // part of the one-line message
    std::string serviceDate = "";
    bool zipped = false;
};

const std::string StopTimesHeader = "trip_id,arrival_time,departure_time,stop_id,stop_sequence\n";
const std::string ShapeHeader =
    "trip_id,arrival_time,departure_time,stop_id,stop_sequence,shape_dist_traveled\n";
const std::string FrequencyHeader = "trip_id,start_time,end_time,headway_secs\n";

const std::vector<RefusalCase> Refusals = {
    {"missing file", "-stops.txt", "", "the required file stops.txt is missing"},
    {"missing column", "stop_times.txt",
     "trip_id,arrival_time,departure_time,stop_id\nT1,08:00:00,08:00:00,S1\n",
     "stop_times.txt: the required column \"stop_sequence\" is missing"},
    {"malformed line", "stops.txt",
     "stop_id,stop_name,stop_lat,stop_lon\nS1,A,49,28\n\"S2,B,49,28\n",
     "stops.txt, line 3: a quoted field is not closed"},
    {"field count", "trips.txt", "route_id,service_id,trip_id\nR1,WK,T1,extra\n",
     "trips.txt, line 2: has 4 fields, the header 3"},
    {"bad time", "stop_times.txt",
     StopTimesHeader + "T1,08:00:00,08:00:00,S1,1\nT1,25:61:00,25:61:00,S2,2\n",
     "stop_times.txt, line 3: \"25:61:00\" is not a time"},
    {"unknown stop", "stop_times.txt", StopTimesHeader + "T1,08:00:00,08:00:00,NOPE,1\n",
     "stop_times.txt, line 2: unknown stop \"NOPE\""},
    {"unknown trip", "stop_times.txt",
     StopTimesHeader + "T1,08:00:00,08:00:00,S1,1\nT99,08:00:00,08:00:00,S1,1\n",
     "stop_times.txt, line 3: unknown trip \"T99\""},
    {"time going back", "stop_times.txt",
     StopTimesHeader + "T1,08:00:00,08:00:00,S1,1\nT1,07:00:00,07:00:00,S2,2\n",
     "stop_times.txt, line 3: arrival_time lies before the departure"},
    {"day without trips", "", "", "no trips run on 20250101", "20250101"},
    {"impossible day", "", "", "--service-date 20260231 is not a date", "20260231"},
    {"neither calendar", "-calendar.txt", "", "neither calendar.txt nor calendar_dates.txt"},
    {"broken zip", "zip", "PK\x03\x04 not really a zip", "the zip file cannot be read"},
    {"nan position", "stops.txt", "stop_id,stop_lat,stop_lon\nS1,nan,28\n",
     "stops.txt, line 2: stop_lat and stop_lon must be a position"},
    {"infinite distance", "stop_times.txt",
     ShapeHeader + "T1,08:00:00,08:00:00,S1,1,0\nT1,08:30:00,08:30:00,S2,2,inf\n",
     "stop_times.txt, line 3: shape_dist_traveled \"inf\" is not a distance"},
    {"distance beyond float", "stop_times.txt", ShapeHeader + "T1,08:00:00,08:00:00,S1,1,1e39\n",
     "stop_times.txt, line 2: shape_dist_traveled \"1e39\" is not a distance"},
    {"distance beyond any road", "stop_times.txt",
     ShapeHeader + "T1,08:00:00,08:00:00,S1,1,0\nT1,08:30:00,08:30:00,S2,2,1e12\n",
     "stop_times.txt, line 3: shape_dist_traveled gives"},
    {"huge route type", "routes.txt", "route_id,route_type\nR1,3e9\n",
     "routes.txt, line 2: route_type \"3e9\" is not a route type"},
    {"huge headway", "frequencies.txt", FrequencyHeader + "T4,06:00:00,07:00:00,1e10\n",
     "frequencies.txt, line 2: headway_secs must be a whole number"},
    {"frequency of every second", "frequencies.txt",
     FrequencyHeader + "T4,06:00:00,07:00:00,1800\nT4,00:00:00,99:59:59,1\n",
     "frequencies.txt, line 3: the frequency makes 359999 kelos, more than 1440"},
    {"trip of a day", "stop_times.txt",
     StopTimesHeader + "T1,08:00:00,08:00:00,S1,1\nT1,31:59:00,31:59:00,S2,2\n",
     "stop_times.txt, line 3: trip \"T1\" lasts 23:59 or longer"},
    {"Windows-1251 collision", "stops.txt",
     "stop_id,stop_code,stop_lat,stop_lon\nS1,1,49,28\nS2,2,49,28.1\nS3,3,49,28.2\n"
     "S4,\xC4\x80,49,28.3\nS5,\xC4\x92,49,28.4\n",
     "stops.txt, line 6: stop \"\xC4\x92\" and stop \"\xC4\x80\" get the same code"},
    {"line of 8 MB in a zip", "stop_times.txt", StopTimesHeader + std::string(8 << 20, '7'),
     "stop_times.txt, line 2: a record is longer than 1 MB", "", true},
};

TEST(KeloGtfsImportTest, BrokenFeedsAreRefusedWithFileAndLineAndLeaveNothing) {
    for (const RefusalCase& c : Refusals) {
        SCOPED_TRACE(c.name);
        GtfsSandboxType sandbox;
        std::string feed = sandbox.Feed();
        if (c.table == "zip") {
            feed = sandbox.File("broken.zip");
            std::ofstream(feed, std::ios::binary) << c.text;
        } else if (!c.table.empty() && c.table[0] == '-') {
            std::filesystem::remove(sandbox.Feed() + "/" + c.table.substr(1));
        } else if (!c.table.empty()) {
            sandbox.Write(c.table, c.text);
        }
        if (std::string(c.name) == "neither calendar")
            std::filesystem::remove(sandbox.Feed() + "/calendar_dates.txt");
        if (c.zipped)
            feed = sandbox.Zip();
        const GtfsRunType run = RunGtfsImport(feed, sandbox.File("plan.db"), c.serviceDate);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.find("kelo: "), 0u) << run.err;
        EXPECT_NE(run.err.find(c.expected), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        for (const auto& entry : std::filesystem::directory_iterator(sandbox.path))
            EXPECT_TRUE(entry.path().filename() == "feed" ||
                        entry.path().filename() == "broken.zip" ||
                        entry.path().filename() == "feed.zip")
                << "left behind: " << entry.path();
    }
}

TEST(KeloGtfsImportTest, CalendarDatesAloneDateTheServices) {
    GtfsSandboxType sandbox;
    std::filesystem::remove(sandbox.Feed() + "/calendar.txt");
    const GtfsRunType run = RunGtfsImport(sandbox.Feed(), sandbox.File("plan.db"));
    ASSERT_EQ(run.status, 0) << run.err;
    // The only day left is the holiday that calendar_dates.txt adds.
    EXPECT_NE(run.out.find("imported 2026-01-05 into"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find(" 1 kelo, 3 timetable rows; 0 trips"), std::string::npos) << run.out;
}

TEST(KeloGtfsImportTest, TheBusiestDayIsFoundFarFromTheEarliestStart) {
    GtfsSandboxType sandbox;
    sandbox.Write("calendar.txt", "service_id,monday,tuesday,wednesday,thursday,friday,saturday,"
                                  "sunday,start_date,end_date\n"
                                  "WK,1,1,1,1,1,0,0,20260101,20261231\n"
                                  "ALL,1,1,1,1,1,1,1,20000101,20991231\n");
    sandbox.Write("trips.txt", "route_id,service_id,trip_id\nR1,WK,T1\nR1,WK,T2\nR1,WK,T3\n"
                               "R2,WK,T4\nR2,ALL,T5\nR1,WK,T6\nR1,WK,T7\n");
    const GtfsRunType run = RunGtfsImport(sandbox.Feed(), sandbox.File("plan.db"));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("imported 2026-01-01 into"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find(" 7 kelos,"), std::string::npos) << run.out;
}

TEST(KeloGtfsImportTest, AnExistingOrImpossibleDatabaseIsRefused) {
    GtfsSandboxType sandbox;
    std::ofstream(sandbox.File("plan.db")) << "my saved work";
    const GtfsRunType run = RunGtfsImport(sandbox.Feed(), sandbox.File("plan.db"));
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("already exists"), std::string::npos) << run.err;
    std::ifstream in(sandbox.File("plan.db"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "my saved work");
    // A database that cannot be created is named in the refusal.
    const GtfsRunType noFolder = RunGtfsImport(sandbox.Feed(), sandbox.File("no/such/plan.db"));
    EXPECT_EQ(noFolder.status, 2);
    EXPECT_NE(noFolder.err.find("no/such/plan.db: "), std::string::npos) << noFolder.err;
}

} // namespace

TEST(KeloGtfsImportTest, AControlCharacterInANameBecomesABlankAndIsCounted) {
    GtfsSandboxType sandbox;
    std::ifstream in(sandbox.Feed() + "/stops.txt", std::ios::binary);
    std::string stops(std::istreambuf_iterator<char>(in), {});
    in.close();
    const std::string plain = "Писаревка";
    stops.replace(stops.find(plain), plain.size(), "Писа\x01ревка");
    sandbox.Write("stops.txt", stops);
    const GtfsRunType run = RunGtfsImport(sandbox.Feed(), sandbox.File("plan.db"));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(" 3 characters outside"), std::string::npos) << run.out;
    EXPECT_EQ(OpenImported(sandbox.File("plan.db"))->FindStop("050157")->GetName(),
              Cp("Писа ревка"));
}
