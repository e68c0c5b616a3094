// The database source beside the built-in one: opening the line of 02П (cold: a new stack,
// and for the database also opening and checking the file; warm: the same stack again),
// saving 20 changed kelos as one transaction, and a bulk load of five million entries.
#include "KeloBuiltInTestSupport.h"
#include "KeloCacheDataClass.h"
#include "KeloCachedUpdateDataClass.h"
#include "KeloDBBuilderClass.h"
#include "KeloDBBuiltInExport.h"
#include "KeloDBDataClass.h"
#include "KeloDBOpen.h"
#include "KeloDemoDataClass.h"
#include "KeloSFDataClass.h"
#include "KeloSelectableDataClass.h"
#include "KeloTransactionalSave.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

const std::string LineKelo = "02\xCF"; // 02П

std::string Text(const char* prefix, const std::string& tail) {
    std::string text = prefix;
    text += tail;
    return text;
}

// A fresh database of the built-in data set, removed with the object.
struct ScratchDatabase {
    ScratchDatabase() {
        std::filesystem::remove(path);
        KeloDBWriteBuiltInDataSet(path);
    }
    ~ScratchDatabase() {
        for (const char* suffix : {"", "-wal", "-shm"})
            std::filesystem::remove(path + suffix);
    }
    std::string path = (std::filesystem::temp_directory_path() /
                        Text("kelo-bench-", std::to_string(::getpid()) + ".db"))
                           .string();
};

KeloDataPtrClass OpenDatabase(const std::string& path) {
    return KeloDataPtrClass(new KeloDBDataClass(KeloDBOpen(path).connection, {}));
}

// The stack of a diagram window over the bottom source, read as painting reads it.
std::int64_t OpenAndReadLine(KeloDataPtrClass bottom, const std::vector<std::string>& line,
                             KeloDataPtrClass* keep = nullptr) {
    KeloDataPtrClass cache(new KeloCacheDataClass(KeloSelectStops(bottom, line)));
    KeloDataPtrClass buffer(new KeloCachedUpdateDataClass(cache));
    KeloDataPtrClass view(new KeloSFDataClass(buffer, line));
    std::int64_t sum = 0;
    KeloKeloSetPtrClass kelos = view->GetKeloSet();
    for (std::int32_t k = 0; k < kelos->GetCount(); ++k) {
        KeloKeloPtrClass kelo = kelos->GetItem(k);
        sum += static_cast<std::int64_t>(kelo->GetName().size() + kelo->GetDistance());
        KeloKeloSchedulePtrClass schedule = kelo->GetSchedule();
        for (std::int32_t i = 0; i < schedule->GetCount(); ++i) {
            KeloStopSchedulePtrClass entry = schedule->GetItem(i);
            sum += static_cast<std::int64_t>(entry->GetStop()->GetName().size());
            sum += entry->GetArrival().GetTotalMinutes() % 1440;
        }
    }
    if (keep)
        *keep = view;
    return sum;
}

void BM_OpenLineBuiltInCold(benchmark::State& state) {
    const std::vector<std::string> line = BuiltInLineOf(LineKelo);
    for (auto _ : state)
        benchmark::DoNotOptimize(OpenAndReadLine(MakeBuiltInSource(), line));
}

void BM_OpenLineDatabaseCold(benchmark::State& state) {
    ScratchDatabase db;
    const std::vector<std::string> line = BuiltInLineOf(LineKelo);
    for (auto _ : state)
        benchmark::DoNotOptimize(OpenAndReadLine(OpenDatabase(db.path), line));
}

// The file already open (a second diagram window): only the new stack is cold.
void BM_OpenLineDatabaseNewWindow(benchmark::State& state) {
    ScratchDatabase db;
    const std::vector<std::string> line = BuiltInLineOf(LineKelo);
    KeloDataPtrClass bottom = OpenDatabase(db.path);
    for (auto _ : state)
        benchmark::DoNotOptimize(OpenAndReadLine(bottom, line));
}

template <bool database> void BM_OpenLineWarm(benchmark::State& state) {
    ScratchDatabase db;
    const std::vector<std::string> line = BuiltInLineOf(LineKelo);
    KeloDataPtrClass view;
    OpenAndReadLine(database ? OpenDatabase(db.path) : MakeBuiltInSource(), line, &view);
    for (auto _ : state) {
        std::int64_t sum = 0;
        KeloKeloSetPtrClass kelos = view->GetKeloSet();
        for (std::int32_t k = 0; k < kelos->GetCount(); ++k) {
            KeloKeloSchedulePtrClass schedule = kelos->GetItem(k)->GetSchedule();
            for (std::int32_t i = 0; i < schedule->GetCount(); ++i)
                sum += schedule->GetItem(i)->GetArrival().GetTotalMinutes();
        }
        benchmark::DoNotOptimize(sum);
    }
}

// Twenty kelos get a new first arrival and a new name, then the buffer is saved as one
// transaction (durable: synchronous FULL in WAL mode).
void BM_Save20Kelos(benchmark::State& state) {
    ScratchDatabase db;
    KeloDataPtrClass bottom = OpenDatabase(db.path);
    auto* cacheObject = new KeloCacheDataClass(bottom);
    KeloDataPtrClass cache(cacheObject);
    auto* bufferObject = new KeloCachedUpdateDataClass(cache);
    KeloDataPtrClass buffer(bufferObject);
    std::vector<std::string> numbers;
    KeloKeloSetPtrClass kelos = bottom->GetKeloSet();
    for (std::int32_t k = 0; k < 20; ++k)
        numbers.push_back(kelos->GetItem(k * 8)->GetNumber());
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ++round;
        for (const std::string& number : numbers) {
            KeloKeloPtrClass kelo = buffer->FindKelo(number);
            kelo->SetName(Text("R", std::to_string(round)));
            kelo->GetSchedule()->GetItem(0)->SetArrival(KeloTimeType(round % 600));
        }
        state.ResumeTiming();
        const KeloSaveOutcomeType outcome =
            KeloSaveInTransaction(KeloFindTransaction(bottom), *cacheObject, *bufferObject,
                                  [&] { bufferObject->ApplyUpdates(); });
        if (!outcome.saved)
            state.SkipWithError(outcome.error.c_str());
    }
}

// 250 000 kelos of 20 entries over 2 000 stops, through the builder in one transaction.
void BM_BuildFiveMillionEntries(benchmark::State& state) {
    const std::string path = (std::filesystem::temp_directory_path() /
                              Text("kelo-bench-big-", std::to_string(::getpid()) + ".db"))
                                 .string();
    for (auto _ : state) {
        std::filesystem::remove(path);
        KeloDBBuilderClass builder(path);
        builder.AddBus("BUS");
        std::vector<std::string> codes;
        for (int s = 0; s < 2000; ++s) {
            codes.push_back(std::to_string(100000 + s));
            builder.AddStop(codes.back(), Text("STOP ", codes.back()));
            if (s > 0)
                builder.AddLink(codes[s - 1], codes[s], 3.5f);
        }
        for (int k = 0; k < 250000; ++k) {
            const std::string number = std::to_string(k);
            builder.AddKelo(number, Text("KELO ", number), "BUS");
            for (int e = 0; e < 20; ++e)
                builder.AddEntry(number, codes[(k * 7 + e) % 2000], KeloTimeType((k + e) % 1440),
                                 KeloTimeType(e == 19 ? KeloTimeType::EmptyValue : 1));
        }
        builder.Commit();
        // Opening checks every page of the file: how long that takes at this size.
        state.PauseTiming();
        const auto started = std::chrono::steady_clock::now();
        const KeloDBOpenResultType opened = KeloDBOpen(path);
        state.counters["open_s"] =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
        if (opened.status != KeloDBOpenStatusType::Ok)
            state.SkipWithError(opened.detail.c_str());
        state.ResumeTiming();
    }
    for (const char* suffix : {"", "-wal", "-shm"})
        std::filesystem::remove(path + suffix);
}

} // namespace

BENCHMARK(BM_OpenLineBuiltInCold)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();
BENCHMARK(BM_OpenLineDatabaseCold)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();
BENCHMARK(BM_OpenLineDatabaseNewWindow)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();
BENCHMARK(BM_OpenLineWarm<false>)
    ->Name("BM_OpenLineBuiltInWarm")
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();
BENCHMARK(BM_OpenLineWarm<true>)
    ->Name("BM_OpenLineDatabaseWarm")
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();
BENCHMARK(BM_Save20Kelos)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_BuildFiveMillionEntries)->Unit(benchmark::kSecond)->Iterations(1)->Repetitions(1);
