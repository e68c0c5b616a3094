#include "Cp1251.h"
#include "KeloCachedUpdateDataClass.h"
#include "KeloDBBuiltInExport.h"
#include "KeloDBConnectionClass.h"
#include "KeloDBDataClass.h"
#include "KeloDBOpen.h"
#include "KeloDemoDataClass.h"
#include "KeloDiagramDocumentClass.h"
#include "KeloGtfsCsvReaderClass.h"
#include "KeloGtfsExportCommand.h"
#include "KeloGtfsFeedChecker.h"
#include "KeloGtfsFeedClass.h"
#include "KeloGtfsTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

std::shared_ptr<KeloDBConnectionClass> Open(const std::string& path) {
    KeloDBOpenResultType opened = KeloDBOpen(path);
    EXPECT_EQ(opened.status, KeloDBOpenStatusType::Ok) << opened.detail;
    return opened.connection;
}

KeloDataPtrClass Source(const std::string& path) {
    return KeloDataPtrClass(new KeloDBDataClass(Open(path), {}));
}

GtfsRunType Export(KeloDataPtrClass source, const std::string& file,
                   KeloGtfsExportRequestType request = {}) {
    request.file = file;
    if (request.startDate.empty())
        request.startDate = "20260101";
    std::ostringstream out, err;
    GtfsRunType run;
    run.status = RunKeloGtfsExportCommand(source, request, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

// One line per kelo and one per entry, in number order: what a round trip must keep.
std::vector<std::string> Described(const KeloFeedPlanType& plan) {
    std::vector<std::string> lines;
    for (const KeloFeedKeloType& kelo : plan.kelos) {
        std::string line = kelo.number + " | " + kelo.name + " | " + kelo.busModel + " | " +
                           (kelo.route ? kelo.route->id + " " + kelo.route->longName + " " +
                                             std::to_string(kelo.route->type)
                                       : "no route");
        for (const KeloFeedEntryType& entry : kelo.entries) {
            const KeloFeedStopType& stop = plan.stops[entry.stop];
            line += "\n  " + stop.code + " " + stop.name + " " +
                    std::to_string(stop.latitude.value_or(-1)) + " " +
                    std::to_string(stop.longitude.value_or(-1)) + " " + entry.arrival.Format() +
                    " +" +
                    (entry.stay.IsEmpty() ? "" : std::to_string(entry.stay.GetTotalMinutes()));
        }
        lines.push_back(line);
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

// Exports the plan, checks the feed, imports it again and compares.
void ExpectRoundTrip(const GtfsSandboxType& sandbox, const std::string& database) {
    const std::string zip = sandbox.File("out.zip");
    const GtfsRunType exported = Export(Source(database), zip);
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(CheckGtfsFeed(zip), std::vector<std::string>());
    const std::string again = sandbox.File("again.db");
    std::filesystem::remove(again);
    const GtfsRunType imported = RunGtfsImport(zip, again, "20260305");
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(Described(KeloReadFeedPlan(Source(again))),
              Described(KeloReadFeedPlan(Source(database))));
}

std::vector<std::string> Column(const std::string& zip, const std::string& table,
                                const std::string& name) {
    KeloGtfsFeedClass feed(zip);
    KeloGtfsCsvReaderClass reader(feed.Open(table), table);
    const int column = reader.RequireColumn(name);
    std::vector<std::string> values;
    while (reader.Next())
        values.emplace_back(reader.Field(column));
    return values;
}

TEST(KeloGtfsExport, AnImportedDayComesBackWhole) {
    GtfsSandboxType sandbox;
    ASSERT_EQ(RunGtfsImport(sandbox.Feed(), sandbox.File("plan.db"), "20260305").status, 0);
    ExpectRoundTrip(sandbox, sandbox.File("plan.db"));

    const std::string zip = sandbox.File("out.zip");
    // Stored trip ids while unique; the departures of the frequency-based trip share theirs.
    const std::vector<std::string> trips = Column(zip, "trips.txt", "trip_id");
    EXPECT_NE(std::find(trips.begin(), trips.end(), "T1"), trips.end());
    EXPECT_EQ(std::find(trips.begin(), trips.end(), "T4"), trips.end());
    EXPECT_EQ(Column(zip, "routes.txt", "route_long_name")[0],
              "Винница - Вороновица, через Писаревку");
    EXPECT_EQ(Column(zip, "calendar.txt", "end_date"), std::vector<std::string>{"20270101"});
    EXPECT_EQ(Column(zip, "agency.txt", "agency_timezone"),
              std::vector<std::string>{"Europe/Kyiv"});
}

TEST(KeloGtfsExport, EditsSavedInBetweenComeBackToo) {
    GtfsSandboxType sandbox;
    const std::string database = sandbox.File("plan.db");
    ASSERT_EQ(RunGtfsImport(sandbox.Feed(), database, "20260305").status, 0);
    const KeloFeedPlanType before = KeloReadFeedPlan(Source(database));
    ASSERT_GE(before.kelos.size(), 4u);
    const KeloFeedKeloType& original = before.kelos[1];
    ASSERT_TRUE(original.route);
    {
        // As a planner edits: through a window's document, saved at the end.
        KeloDiagramDocumentClass document(Source(database), {});
        const std::vector<std::string> numbers = document.KeloNumbers();
        // A move to a start at 23:55, so that the kelo runs over midnight.
        document.MoveKelo(numbers[0], 1435);
        const std::int32_t start = original.entries[0].arrival.GetTotalMinutes();
        document.CopyKelo(original.number, {"~" + original.number + "(2)", original.name},
                          start + 7);
        document.MoveKelo(original.number, start + 20, KeloCopyRequestType{"C3", original.name});
        document.CopyKelo(numbers[3], {"UNDONE", "undone"}, start);
        document.Undo();
        document.DeleteKelo(numbers[2], numbers[0]);
        const std::size_t changes = std::size_t(document.GetEditBufferObject().GetChangeCount());
        ASSERT_EQ(changes, 4u);
        const KeloDocumentSaveResultType saved = document.Save(std::vector<bool>(changes, true));
        ASSERT_TRUE(saved.applied.heldBack.empty());
    }
    ExpectRoundTrip(sandbox, database);
    const std::string zip = sandbox.File("out.zip");
    const std::vector<std::string> times = Column(zip, "stop_times.txt", "arrival_time");
    EXPECT_TRUE(std::any_of(times.begin(), times.end(),
                            [](const std::string& t) { return t.substr(0, 2) >= "24"; }));
    // Both copies run on the original's route, each as a trip of its own.
    const std::vector<std::string> shortNames = Column(zip, "trips.txt", "trip_short_name");
    const std::vector<std::string> routes = Column(zip, "trips.txt", "route_id");
    const std::vector<std::string> trips = Column(zip, "trips.txt", "trip_id");
    auto routeOf = [&](const std::string& number) {
        const auto at = std::find(shortNames.begin(), shortNames.end(), Cp1251ToUtf8(number));
        return at == shortNames.end() ? std::string("missing")
                                      : routes[std::size_t(at - shortNames.begin())];
    };
    EXPECT_EQ(routeOf("~" + original.number + "(2)"), original.route->id);
    EXPECT_EQ(routeOf("C3"), original.route->id);
    EXPECT_EQ(routeOf("UNDONE"), "missing");
    EXPECT_EQ(std::count(trips.begin(), trips.end(), original.tripId), 1);
    const KeloFeedPlanType after = KeloReadFeedPlan(Source(database));
    for (const KeloFeedKeloType& kelo : after.kelos) {
        if (kelo.number == "C3") {
            EXPECT_EQ(kelo.tripId, "");
        }
    }
}

// Each refusal says why, exits with 2 and leaves no file behind.
struct RefusalCase {
    const char* name;
    const char* expected; // part of the message
    // Prepares the plan; returns the source and fills the request.
    KeloDataPtrClass (*make)(const GtfsSandboxType&, KeloGtfsExportRequestType&);
};

KeloDataPtrClass ImportedWith(const GtfsSandboxType& sandbox, const char* sql) {
    const std::string database = sandbox.File("plan.db");
    EXPECT_EQ(RunGtfsImport(sandbox.Feed(), database, "20260305").status, 0);
    std::shared_ptr<KeloDBConnectionClass> connection = Open(database);
    connection->Execute(sql);
    return KeloDataPtrClass(new KeloDBDataClass(connection, {}));
}

void GiveAgency(KeloGtfsExportRequestType& request) {
    request.agencyName = "Kelo";
    request.agencyTimezone = "Europe/Kyiv";
    request.agencyUrl = "https://example.org";
}

const RefusalCase Refusals[] = {
    {"BuiltInDataSet", "the built-in data set has none",
     [](const GtfsSandboxType&, KeloGtfsExportRequestType& request) {
         GiveAgency(request);
         return MakeBuiltInSource();
     }},
    {"TheFirstTenStopsWithoutCoordinates", "and 13 more",
     [](const GtfsSandboxType& sandbox, KeloGtfsExportRequestType& request) {
         GiveAgency(request);
         KeloDBWriteBuiltInDataSet(sandbox.File("plan.db"));
         Open(sandbox.File("plan.db"))
             ->Execute("UPDATE stop SET lat = 49.2, lon = 28.4; UPDATE stop SET lat = NULL "
                       "WHERE id IN (SELECT DISTINCT stop_id FROM entry ORDER BY 1 LIMIT 23)");
         return Source(sandbox.File("plan.db"));
     }},
    {"NoAgency", "give one with --agency-name",
     [](const GtfsSandboxType& sandbox, KeloGtfsExportRequestType&) {
         return ImportedWith(sandbox, "DELETE FROM agency");
     }},
    {"NoSuchTimeZone", "is not a time zone",
     [](const GtfsSandboxType& sandbox, KeloGtfsExportRequestType&) {
         return ImportedWith(sandbox, "UPDATE agency SET timezone = 'Europe/../../etc/passwd'");
     }},
    {"UnwritableFile", "cannot write",
     [](const GtfsSandboxType& sandbox, KeloGtfsExportRequestType& request) {
         request.file = sandbox.File("missing/out.zip");
         return ImportedWith(sandbox, "SELECT 1");
     }},
    {"EndBeforeStart", "end date lies before",
     [](const GtfsSandboxType& sandbox, KeloGtfsExportRequestType& request) {
         request.endDate = "20251231";
         return ImportedWith(sandbox, "SELECT 1");
     }},
};

class KeloGtfsExportRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(KeloGtfsExportRefusal, SaysWhyAndWritesNothing) {
    GtfsSandboxType sandbox;
    KeloGtfsExportRequestType request;
    request.file = sandbox.File("out.zip");
    KeloDataPtrClass source = GetParam().make(sandbox, request);
    const std::string target = request.file;
    const GtfsRunType run = Export(source, target, request);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find(GetParam().expected), std::string::npos) << run.err;
    for (const auto& entry : std::filesystem::directory_iterator(sandbox.path))
        EXPECT_EQ(entry.path().extension().string().find(".part"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(target));
}

INSTANTIATE_TEST_SUITE_P(Cases, KeloGtfsExportRefusal, ::testing::ValuesIn(Refusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(KeloGtfsExport, AnOperatorGivenOnTheCommandLineStandsInForAMissingOne) {
    GtfsSandboxType sandbox;
    KeloGtfsExportRequestType request;
    GiveAgency(request);
    const GtfsRunType run =
        Export(ImportedWith(sandbox, "DELETE FROM agency"), sandbox.File("out.zip"), request);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(CheckGtfsFeed(sandbox.File("out.zip")), std::vector<std::string>());
    EXPECT_EQ(Column(sandbox.File("out.zip"), "agency.txt", "agency_name"),
              std::vector<std::string>{"Kelo"});
}

} // namespace

namespace {

// The checker itself: a small sound feed, then one fault at a time.
const std::pair<const char*, std::string> SoundFeed[] = {
    {"agency.txt", "agency_id,agency_name,agency_url,agency_timezone\n1,A,https://a.org,UTC\n"},
    {"stops.txt", "stop_id,stop_name,stop_lat,stop_lon\nS1,One,49,28\nS2,Two,49.1,28.1\n"},
    {"routes.txt", "route_id,agency_id,route_short_name,route_type\nR,1,7,3\n"},
    {"trips.txt", "route_id,service_id,trip_id\nR,W,T\n"},
    {"stop_times.txt", "trip_id,arrival_time,departure_time,stop_id,stop_sequence\n"
                       "T,23:50:00,23:55:00,S1,1\nT,24:10:00,24:10:00,S2,2\n"},
    {"calendar.txt", "service_id,monday,tuesday,wednesday,thursday,friday,saturday,sunday,"
                     "start_date,end_date\nW,1,1,1,1,1,1,1,20260101,20261231\n"},
};

struct FaultCase {
    const char* file;
    const char* from;
    const char* to;
    const char* found; // part of the problem reported
};

const FaultCase Faults[] = {
    {"stops.txt", "S2,Two,49.1,28.1", "S1,Two,49.1,28.1", "stop_id \"S1\" twice"},
    {"stops.txt", ",49.1,28.1", ",,28.1", "has no stop_lat"},
    {"trips.txt", "R,W,T", "X,W,T", "route_id \"X\" resolves to nothing"},
    {"stop_times.txt", "24:10:00,24:10:00", "00:10:00,00:10:00", "goes back"},
    {"stop_times.txt", "S2,2", "S2,1", "stop_sequence does not increase"},
    {"stop_times.txt", "\nT,24:10:00,24:10:00,S2,2", "", "fewer than two stop times"},
    {"agency.txt", "UTC", "Mars/Olympus", "is not a time zone"},
    {"agency.txt", "agency_id",
     "\xEF\xBB\xBF"
     "agency_id",
     "byte-order mark"},
};

TEST(KeloGtfsFeedChecker, FindsEachFaultOfAFeedItOtherwiseAccepts) {
    GtfsSandboxType sandbox;
    const std::string folder = sandbox.File("checked");
    auto write = [&](const FaultCase* fault) {
        std::filesystem::create_directories(folder);
        for (const auto& [file, text] : SoundFeed) {
            std::string content = text;
            if (fault && fault->file == std::string(file))
                content.replace(content.find(fault->from), std::strlen(fault->from), fault->to);
            std::ofstream(folder + "/" + file, std::ios::binary) << content;
        }
    };
    write(nullptr);
    EXPECT_EQ(CheckGtfsFeed(folder), std::vector<std::string>());
    for (const FaultCase& fault : Faults) {
        write(&fault);
        const std::vector<std::string> problems = CheckGtfsFeed(folder);
        EXPECT_TRUE(std::any_of(problems.begin(), problems.end(), [&](const std::string& p) {
            return p.find(fault.found) != std::string::npos;
        })) << fault.found;
    }
}

} // namespace
