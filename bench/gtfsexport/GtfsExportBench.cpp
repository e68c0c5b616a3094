// Export of a plan of 10,000 kelos and 270,000 timetable entries as a GTFS feed: reading the
// plan from the database, writing the zip, and both. Reports the process's peak resident
// memory; the plan is built in a child process so that its building does not count.
#include "KeloDBBuilderClass.h"
#include "KeloDBDataClass.h"
#include "KeloDBOpen.h"
#include "KeloGtfsExporterClass.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int KeloCount = 10000;
constexpr int EntriesPerKelo = 27;
constexpr int StopCount = 4000;
constexpr int RouteCount = 400;

std::string PlanPath() {
    return std::string(KELO_GTFS_EXPORT_BENCH_DIR) + "/plan-10000.db";
}

void BuildPlan() {
    KeloDBBuilderClass builder(PlanPath());
    builder.AddBus("АВТОБУС", "АВТ", 40);
    for (int s = 0; s < StopCount; ++s) {
        const std::string code = std::to_string(100000 + s);
        builder.AddStop(code, "Остановка " + std::to_string(s));
        builder.SetStopPosition(code, 48 + (s / 64) * 0.02, 28 + (s % 64) * 0.03);
    }
    builder.SetAgency({"Перевозчик", "https://example.org", "Europe/Kyiv", "uk"});
    for (int k = 0; k < KeloCount; ++k) {
        const std::string number = std::to_string(k + 1);
        builder.AddKelo(number, "Рейс " + number, "АВТОБУС");
        const int route = k % RouteCount;
        // Every fifth kelo came from no feed: it gets a route of its own on export.
        if (k % 5 != 0)
            builder.SetKeloFeedDetails(
                number,
                KeloFeedRouteType{"R" + std::to_string(route), std::to_string(route), "", 3},
                "T" + std::to_string(k));
        const int start = (k * 7919) % 1440;
        for (int i = 0; i < EntriesPerKelo; ++i)
            builder.AddEntry(number, std::to_string(100000 + (route * 7 + i * 13) % StopCount),
                             KeloTimeType((start + i * 6) % 1440),
                             i + 1 < EntriesPerKelo ? KeloTimeType(1) : KeloTimeType());
    }
    builder.Commit();
}

void EnsurePlan() {
    if (std::filesystem::exists(PlanPath()))
        return;
    const pid_t child = ::fork();
    if (child == 0) {
        BuildPlan();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
}

KeloDBDataClass& Plan() {
    EnsurePlan();
    static KeloDBDataClass source(KeloDBOpen(PlanPath()).connection, {});
    return source;
}

KeloGtfsExportOptionsType Options() {
    KeloGtfsExportOptionsType options;
    options.file = std::string(KELO_GTFS_EXPORT_BENCH_DIR) + "/feed.zip";
    options.startDay = 20454; // 2026-01-01
    options.endDay = options.startDay + 364;
    return options;
}

double PeakResidentMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_GtfsExportReadPlan(benchmark::State& state) {
    KeloDBDataClass& source = Plan();
    for (auto _ : state) {
        KeloFeedPlanType plan = source.ReadFeedPlan();
        benchmark::DoNotOptimize(plan.kelos.size());
    }
    state.counters["peak_rss_MB"] = PeakResidentMb();
}
BENCHMARK(BM_GtfsExportReadPlan)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(5);

void BM_GtfsExportWriteZip(benchmark::State& state) {
    const KeloFeedPlanType plan = Plan().ReadFeedPlan();
    const KeloGtfsExportOptionsType options = Options();
    for (auto _ : state) {
        const KeloGtfsExportSummaryType summary = KeloGtfsExporterClass().Run(plan, options);
        benchmark::DoNotOptimize(summary.stopTimes);
    }
    state.counters["peak_rss_MB"] = PeakResidentMb();
}
BENCHMARK(BM_GtfsExportWriteZip)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(5);

// What `kelo --export-gtfs` does after opening the database.
void BM_GtfsExportWhole(benchmark::State& state) {
    KeloDBDataClass& source = Plan();
    const KeloGtfsExportOptionsType options = Options();
    for (auto _ : state) {
        const KeloGtfsExportSummaryType summary =
            KeloGtfsExporterClass().Run(source.ReadFeedPlan(), options);
        benchmark::DoNotOptimize(summary.stopTimes);
    }
    state.SetItemsProcessed(state.iterations() * KeloCount * EntriesPerKelo);
    state.counters["peak_rss_MB"] = PeakResidentMb();
}
BENCHMARK(BM_GtfsExportWhole)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(5);

} // namespace
