// Opening the trunk line's diagram window and saving 20 moved kelos at N = 100, over the SQLite
// scale file and over the same plan on a PostgreSQL server. Runs headless.

#include "KeloBenchSupport.h"
#include "KeloCachedUpdateDataClass.h"
#include "KeloDBConnectionClass.h"
#include "KeloDBDataClass.h"
#include "KeloDBPlanCopy.h"
#include "KeloFeedPlan.h"
#include "KeloPGConnectionClass.h"
#include "KeloPGDataClass.h"
#include "KeloPGOpen.h"
#include "KeloPGPlanCopy.h"
#include "ScaleBenchData.h"
#include "TKeloTripDiagramForm.h"

#include <QPushButton>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

namespace {

constexpr int Factor = 100;

// The scale plan on the server, copied from the file once; empty when there is no server.
std::shared_ptr<KeloPGConnectionClass> ServerPlan() {
    static std::shared_ptr<KeloPGConnectionClass> connection;
    if (connection || !std::getenv("PGHOST") || !std::getenv("PGPORT"))
        return connection;
    const std::string name = "kelo_bench_scale_" + std::to_string(Factor);
    {
        KeloPGConnectionClass admin("dbname=postgres");
        if (admin
                .Query("SELECT 1 FROM pg_database WHERE datname = $1",
                       KeloPGParamsClass().Bytes(name))
                .Rows() == 0) {
            admin.Execute("CREATE DATABASE " + name);
            KeloPGWriteNewPlan("dbname=" + name, [](KeloPlanWriterClass& writer) {
                KeloDBReadPlan(*ScaleDatabase(Factor).connection, writer);
            });
        }
    }
    connection = KeloPGOpen("dbname=" + name).connection;
    return connection;
}

KeloDataPtrClass Bottom(bool server, const std::vector<std::string>& line) {
    if (server)
        return KeloDataPtrClass(new KeloPGDataClass(ServerPlan(), line));
    return ScaleDatabase(Factor).Source(line);
}

void BM_OpenTrunkWindow(benchmark::State& state) {
    const bool server = state.range(0) != 0;
    if (server && !ServerPlan()) {
        state.SkipWithError("no PostgreSQL server: run inside pg_virtualenv");
        return;
    }
    const ScaleBenchDatabase& db = ScaleDatabase(Factor);
    for (auto _ : state) {
        TKeloTripDiagramForm form(nullptr, db.trunkKelo, db.trunkLine,
                                  Bottom(server, db.trunkLine));
        PaintVisiblePart(form);
    }
}

// From the button through the review to the store, in one transaction. Changes the plan.
void BM_SaveTwentyModifiedKelos(benchmark::State& state) {
    const bool server = state.range(0) != 0;
    if (server && !ServerPlan()) {
        state.SkipWithError("no PostgreSQL server: run inside pg_virtualenv");
        return;
    }
    const ScaleBenchDatabase& db = ScaleDatabase(Factor);
    TKeloTripDiagramForm form(nullptr, db.trunkKelo, db.trunkLine, Bottom(server, db.trunkLine));
    form.show();
    ModalAnswers answers;
    KeloDataPtrClass buffer = form.EditBuffer();
    int shift = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ShiftTwentyKelos(buffer, shift);
        state.ResumeTiming();
        form.SaveButton()->click();
    }
    state.counters["changes_left"] = form.Diagram().GetEditBufferObject().GetChangeCount();
}

// What --export-gtfs reads before it writes anything: the whole plan, in bulk.
void BM_ReadWholePlanForExport(benchmark::State& state) {
    const bool server = state.range(0) != 0;
    if (server && !ServerPlan()) {
        state.SkipWithError("no PostgreSQL server: run inside pg_virtualenv");
        return;
    }
    KeloDataPtrClass source = Bottom(server, {});
    std::size_t entries = 0;
    for (auto _ : state) {
        const KeloFeedPlanType plan = KeloReadFeedPlan(source);
        entries = 0;
        for (const KeloFeedKeloType& kelo : plan.kelos)
            entries += kelo.entries.size();
    }
    state.counters["entries"] = double(entries);
}

// Argument 0: the SQLite file; 1: the server.
BENCHMARK(BM_ReadWholePlanForExport)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenTrunkWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveTwentyModifiedKelos)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv);
}
