// How much the cache saves a diagram window: every visible timetable of every offered kelo of
// the line of 02П, read through selection view -> edit buffer -> cache -> built-in source.
#include "KeloBuiltInTestSupport.h"
#include "KeloCacheDataClass.h"
#include "KeloCachedUpdateDataClass.h"
#include "KeloDemoDataClass.h"
#include "KeloSFDataClass.h"
#include "KeloSFKeloScheduleClass.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

const std::string LineKelo = "02\xCF"; // 02П

// The stack a diagram window builds; the view is returned, the layers below live through it.
KeloDataPtrClass OpenStack(const std::vector<std::string>& line) {
    KeloDataPtrClass cache(new KeloCacheDataClass(MakeBuiltInSource(line)));
    KeloDataPtrClass buffer(new KeloCachedUpdateDataClass(cache));
    return KeloDataPtrClass(new KeloSFDataClass(buffer, line));
}

// What painting the diagram reads of each kelo.
std::int64_t ReadEveryVisibleTimetable(KeloDataPtrClass& view) {
    std::int64_t sum = 0;
    KeloKeloSetPtrClass kelos = view->GetKeloSet();
    for (std::int32_t k = 0; k < kelos->GetCount(); ++k) {
        KeloKeloSchedulePtrClass schedule = kelos->GetItem(k)->GetSchedule();
        auto* sf = dynamic_cast<KeloSFKeloScheduleClass*>(&*schedule);
        for (std::int32_t i = 0; i < schedule->GetCount(); ++i) {
            KeloStopSchedulePtrClass entry = schedule->GetItem(i);
            sum += static_cast<std::int64_t>(entry->GetStop()->GetCode().size());
            sum += entry->GetArrival().GetTotalMinutes() % 1440;
            sum += entry->GetStay().IsEmpty() ? 0 : entry->GetStay().GetTotalMinutes();
            sum += sf->HasHiddenBefore(i) + sf->HasHiddenAfter(i);
        }
    }
    return sum;
}

void BM_ColdStackRead(benchmark::State& state) {
    const std::vector<std::string> line = BuiltInLineOf(LineKelo);
    for (auto _ : state) {
        KeloDataPtrClass view = OpenStack(line);
        benchmark::DoNotOptimize(ReadEveryVisibleTimetable(view));
    }
}

void BM_WarmStackRead(benchmark::State& state) {
    const std::vector<std::string> line = BuiltInLineOf(LineKelo);
    KeloDataPtrClass view = OpenStack(line);
    ReadEveryVisibleTimetable(view);
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadEveryVisibleTimetable(view));
}

} // namespace

BENCHMARK(BM_ColdStackRead)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly();
BENCHMARK(BM_WarmStackRead)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly();
