// The station timetable of the busiest stop (ВИННИЦА 1, 050100) from the diagram window's
// menu item to the filled preview in the MDI area, and the report text alone. Headless.

#include "KeloDemoDataClass.h"
#include "StopInfoReport.h"
#include "TKeloTripDiagramForm.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include <benchmark/benchmark.h>

#include <sstream>

namespace {

const std::string BusiestStop = "050100";
const std::string Kelo02P = "02\xCF"; // starts there

std::vector<std::string> LineOf(KeloDataPtrClass source, const std::string& number) {
    std::vector<std::string> codes;
    KeloKeloSchedulePtrClass schedule = source->FindKelo(number)->GetSchedule();
    for (int i = 0; i < schedule->GetCount(); ++i)
        codes.push_back(schedule->GetItem(i)->GetStop()->GetCode());
    return codes;
}

void BM_StationTimetableFromMenu(benchmark::State& state) {
    QMdiArea area;
    auto* form = new TKeloTripDiagramForm(nullptr, Kelo02P, LineOf(MakeBuiltInSource(), Kelo02P));
    area.addSubWindow(form)->setAttribute(Qt::WA_DeleteOnClose);
    KeloStopSetPtrClass stops = form->Diagram().GetView()->GetStopSet();
    for (int i = 0; i < stops->GetCount(); ++i)
        if (stops->GetItem(i)->GetCode() == BusiestStop)
            form->State().selectedStop = i;
    QAction* item = form->ChartPopupMenu()->findChild<QAction*>("PrintStopInfoMenuItem");
    for (auto _ : state) {
        item->trigger();
        state.PauseTiming();
        QMdiSubWindow* preview = area.subWindowList(QMdiArea::CreationOrder).last();
        if (preview->widget() == form) {
            state.SkipWithError("no preview opened");
            break;
        }
        delete preview;
        state.ResumeTiming();
    }
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
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
