// The station timetable of the busiest stop (ВИННИЦА 1, 050100) from the diagram window's
// menu item to the filled preview in the MDI area, and the report text alone. Headless.

#include "KeloBenchSupport.h"
#include "KeloDemoDataClass.h"
#include "StopInfoReport.h"
#include "TKeloTripDiagramForm.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include <benchmark/benchmark.h>

#include <sstream>

namespace {

const std::string BusiestStop = "050100";
const std::string Kelo02P = "02\xCF"; // starts there

void BM_StationTimetableFromMenu(benchmark::State& state) {
    QMdiArea area;
    auto* form = new TKeloTripDiagramForm(nullptr, Kelo02P, BuiltInLineOf(Kelo02P),
                                          MakeBuiltInSource(BuiltInLineOf(Kelo02P)));
    area.addSubWindow(form)->setAttribute(Qt::WA_DeleteOnClose);
    KeloStopSetPtrClass stops = form->Diagram().GetView()->GetStopSet();
    for (int i = 0; i < stops->GetCount(); ++i)
        if (stops->GetItem(i)->GetCode() == BusiestStop)
            form->State().selectedStop = i;
    TimeStationTimetableFromMenu(state, area, *form);
}
BENCHMARK(BM_StationTimetableFromMenu)->Unit(benchmark::kMillisecond);

void BM_StationTimetableText(benchmark::State& state) {
    KeloDataPtrClass source = MakeBuiltInSource();
    for (auto _ : state) {
        std::ostringstream text;
        benchmark::DoNotOptimize(WriteStopInfoReport(text, source, BusiestStop));
    }
}
BENCHMARK(BM_StationTimetableText)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv);
}
