// Opening a diagram window for the busiest built-in line (construction to first paint), and a
// selection click on a kelo's line (rebuild and paint). Runs headless.

#include "KeloBenchSupport.h"
#include "KeloDemoDataClass.h"
#include "TKeloTripDiagramForm.h"
#include "TripDiagramPaintBox.h"

#include <benchmark/benchmark.h>

namespace {

void BM_OpenDiagramWindow(benchmark::State& state) {
    const std::string number = BusiestBuiltInKelo();
    const std::vector<std::string> line = KeloLineOf(MakeBuiltInSource(), number);
    for (auto _ : state) {
        TKeloTripDiagramForm form(nullptr, number, line, MakeBuiltInSource(line));
        PaintVisiblePart(form);
    }
}
BENCHMARK(BM_OpenDiagramWindow)->Unit(benchmark::kMillisecond);

void BM_SelectionClick(benchmark::State& state) {
    const std::string number = BusiestBuiltInKelo();
    const std::vector<std::string> line = BuiltInLineOf(number);
    TKeloTripDiagramForm form(nullptr, number, line, MakeBuiltInSource(line));
    const int kelos = int(form.Diagram().KeloViews().size());
    int next = 0;
    for (auto _ : state) {
        next = (next + 1) % kelos;
        form.SelectKelo(form.Document().KeloNumbers()[std::size_t(next)]);
        PaintVisiblePart(form);
    }
}
BENCHMARK(BM_SelectionClick)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv);
}
