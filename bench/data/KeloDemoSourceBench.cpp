// Timings of the built-in source's computed answers over all 176 kelos: the linear
// searches behind them are what a diagram pays when it is first built.

#include "KeloBuiltInTestSupport.h"
#include "KeloDemoDataClass.h"

#include <benchmark/benchmark.h>

namespace {

std::vector<KeloKeloPtrClass> AllKelos(KeloDataPtrClass source) {
    std::vector<KeloKeloPtrClass> kelos;
    KeloKeloSetPtrClass set = source->GetKeloSet();
    for (std::int32_t i = 0; i < set->GetCount(); ++i)
        kelos.push_back(set->GetItem(i));
    return kelos;
}

void BM_DistanceOfAllKelos(benchmark::State& state) {
    auto kelos = AllKelos(MakeBuiltInSource());
    for (auto _ : state) {
        float total = 0;
        for (KeloKeloPtrClass& kelo : kelos)
            total += kelo->GetDistance();
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kelos.size()));
}
BENCHMARK(BM_DistanceOfAllKelos);

void BM_AverageSpeedOfAllKelos(benchmark::State& state) {
    auto kelos = AllKelos(MakeBuiltInSource());
    for (auto _ : state) {
        float total = 0;
        for (KeloKeloPtrClass& kelo : kelos)
            total += kelo->GetAverageSpeed();
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kelos.size()));
}
BENCHMARK(BM_AverageSpeedOfAllKelos);

void BM_TravelTimeOfAllKelos(benchmark::State& state) {
    auto kelos = AllKelos(MakeBuiltInSource());
    for (auto _ : state) {
        std::int64_t total = 0;
        for (KeloKeloPtrClass& kelo : kelos)
            total += kelo->GetTravelTime().GetTotalMinutes();
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kelos.size()));
}
BENCHMARK(BM_TravelTimeOfAllKelos);

// Building a source for a line includes the choice of the offered kelos.
void BM_SourceForTheLineOf02P(benchmark::State& state) {
    const std::vector<std::string> line = BuiltInLineOf("02\xCF");
    for (auto _ : state) {
        KeloDataPtrClass source = MakeBuiltInSource(line);
        benchmark::DoNotOptimize(source->GetKeloSet()->GetCount());
    }
}
BENCHMARK(BM_SourceForTheLineOf02P);

} // namespace
