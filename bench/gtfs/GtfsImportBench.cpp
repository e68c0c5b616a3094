// Import of a generated GTFS feed of a million stop times (KELO_GTFS_BENCH_STOP_TIMES sets
// another size) from a folder and from a zip, into a new database and into a sink that only
// counts. Reports rows per second and the process's peak resident memory.
#include "KeloDBPlanCopy.h"
#include "KeloGtfsImporterClass.h"

#include <benchmark/benchmark.h>
#include <zip.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <sys/resource.h>

namespace {

constexpr int StopsPerTrip = 20;
constexpr int StopCount = 4000;
constexpr int RouteCount = 400;

std::uint64_t StopTimeCount() {
    const char* text = std::getenv("KELO_GTFS_BENCH_STOP_TIMES");
    return text ? std::strtoull(text, nullptr, 10) : 1000000;
}

std::string FeedDir() {
    return std::string(KELO_GTFS_BENCH_DIR) + "/feed-" + std::to_string(StopTimeCount());
}

// Writes the feed once: trips run along routes of 20 stops in both directions, a quarter of
// the rows written out of trip order, with shape_dist_traveled in metres.
void GenerateFeed() {
    const std::string dir = FeedDir();
    if (std::filesystem::exists(dir + "/done"))
        return;
    std::filesystem::create_directories(dir);
    const std::uint64_t trips = StopTimeCount() / StopsPerTrip;
    {
        std::ofstream f(dir + "/stops.txt");
        f << "stop_id,stop_code,stop_name,stop_lat,stop_lon\n";
        for (int s = 0; s < StopCount; ++s)
            f << "S" << s << "," << 100000 + s << ",\"Остановка " << s << "\","
              << 48 + (s / 64) * 0.02 << "," << 28 + (s % 64) * 0.03 << "\n";
    }
    {
        std::ofstream f(dir + "/routes.txt");
        f << "route_id,route_short_name,route_type\n";
        for (int r = 0; r < RouteCount; ++r)
            f << "R" << r << "," << r + 1 << "," << (r % 10 == 0 ? 200 : 3) << "\n";
    }
    std::ofstream(dir + "/calendar.txt") << "service_id,monday,tuesday,wednesday,thursday,friday,"
                                            "saturday,sunday,start_date,end_date\n"
                                            "ALL,1,1,1,1,1,1,1,20260101,20261231\n";
    {
        std::ofstream f(dir + "/trips.txt");
        f << "route_id,service_id,trip_id\n";
        for (std::uint64_t t = 0; t < trips; ++t)
            f << "R" << t % RouteCount << ",ALL,T" << t << "\n";
    }
    std::ofstream f(dir + "/stop_times.txt");
    f << "trip_id,arrival_time,departure_time,stop_id,stop_sequence,shape_dist_traveled\n";
    char line[160];
    for (std::uint64_t t = 0; t < trips; ++t) {
        const int route = static_cast<int>(t % RouteCount);
        const bool back = (t / RouteCount) % 2 == 1;
        int start = 5 * 3600 + static_cast<int>((t * 7919) % (17 * 3600));
        for (int i = 0; i < StopsPerTrip; ++i) {
            const int k = back ? StopsPerTrip - 1 - i : i;
            const int stop = (route * 7 + k * 13) % StopCount;
            const int at = start + i * 300;
            // Every fourth trip writes its rows last to first: the file is not in trip order.
            const int seq = t % 4 == 0 ? StopsPerTrip - i : i + 1;
            const int when = t % 4 == 0 ? start + (StopsPerTrip - 1 - i) * 300 : at;
            std::snprintf(line, sizeof line, "T%llu,%02d:%02d:00,%02d:%02d:00,S%d,%d,%d\n",
                          static_cast<unsigned long long>(t), when / 3600, when / 60 % 60,
                          (when + 60) / 3600, (when + 60) / 60 % 60,
                          t % 4 == 0
                              ? (route * 7 + (back ? i : StopsPerTrip - 1 - i) * 13) % StopCount
                              : stop,
                          seq, (seq - 1) * 2400);
            f << line;
        }
    }
    f.close();
    std::ofstream(dir + "/done") << "ok";
}

std::string ZipOfFeed() {
    GenerateFeed();
    const std::string path = FeedDir() + ".zip";
    if (std::filesystem::exists(path))
        return path;
    const std::string temp = path + ".part";
    int error = 0;
    zip_t* archive = zip_open(temp.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    for (const char* table :
         {"stops.txt", "routes.txt", "calendar.txt", "trips.txt", "stop_times.txt"}) {
        const std::string file = FeedDir() + "/" + table;
        zip_file_add(archive, table, zip_source_file(archive, file.c_str(), 0, -1), 0);
    }
    zip_close(archive);
    std::filesystem::rename(temp, path);
    return path;
}

class CountingSink : public KeloPlanWriterClass {
public:
    void AddBus(const std::string&, const std::string&, std::int32_t) override {}
    void AddStop(const std::string&, const std::string&) override {}
    void AddLink(const std::string&, const std::string&, float) override {}
    void AddKelo(const std::string&, const std::string&, const std::string&) override {}
    void AddEntry(const std::string&, KeloTimeType, KeloTimeType) override { ++entries; }
    void SetStopPosition(const std::string&, double, double) override {}
    void SetKeloFeedDetails(const std::optional<KeloFeedRouteType>&, const std::string&) override {}
    void SetAgency(const KeloFeedAgencyType&) override {}
    void Commit() override {}
    std::uint64_t entries = 0;
};

double PeakResidentMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void Import(benchmark::State& state, const std::string& feed, bool toDatabase) {
    const std::string database = std::string(KELO_GTFS_BENCH_DIR) + "/bench.db";
    KeloGtfsImportOptionsType options;
    options.feed = feed;
    for (auto _ : state) {
        std::filesystem::remove(database);
        KeloGtfsImportSummaryType summary;
        if (toDatabase) {
            KeloDBPlanWriterClass sink(database);
            summary = KeloGtfsImporterClass().Run(options, sink);
        } else {
            CountingSink sink;
            summary = KeloGtfsImporterClass().Run(options, sink);
        }
        benchmark::DoNotOptimize(summary.rows);
    }
    std::filesystem::remove(database);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * StopTimeCount()));
    state.counters["peak_rss_MB"] = PeakResidentMb();
}

void BM_GtfsImportFolderToDatabase(benchmark::State& state) {
    GenerateFeed();
    Import(state, FeedDir(), true);
}
BENCHMARK(BM_GtfsImportFolderToDatabase)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_GtfsImportZipToDatabase(benchmark::State& state) {
    Import(state, ZipOfFeed(), true);
}
BENCHMARK(BM_GtfsImportZipToDatabase)->Unit(benchmark::kMillisecond)->Iterations(3);

// Reading and mapping alone, without SQLite.
void BM_GtfsImportFolderToCountingSink(benchmark::State& state) {
    GenerateFeed();
    Import(state, FeedDir(), false);
}
BENCHMARK(BM_GtfsImportFolderToCountingSink)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
