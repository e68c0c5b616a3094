// Undo and redo on the trunk line of the scale data at N = 100 regions: one undo and one redo
// of a move, each from the key press to the repainted visible chart; and the memory a history
// of 1,000 moves holds. Runs headless.

#include "KeloBenchSupport.h"
#include "KeloCachedUpdateDataClass.h"
#include "ScaleBenchData.h"
#include "TKeloTripDiagramForm.h"

#include <QTreeView>

#include <QTest>

#include <benchmark/benchmark.h>

namespace {

constexpr int Regions = 100;

std::unique_ptr<TKeloTripDiagramForm> OpenTrunk(const ScaleBenchDatabase& db) {
    auto form = std::make_unique<TKeloTripDiagramForm>(nullptr, db.trunkKelo, db.trunkLine,
                                                       db.Source(db.trunkLine));
    form->show();
    form->activateWindow();
    // Keys sent to the list reach it whether or not the platform made the window active; the
    // benchmark counts the steps that did not undo.
    [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(form.get());
    form->KeloListView()->setFocus(); // the keys go to the window with the focus
    return form;
}

std::int32_t FirstArrival(KeloDiagramDocumentClass& document, const std::string& number) {
    return document.FindKelo(number)->GetSchedule()->GetItem(0)->GetArrival().GetTotalMinutes();
}

// Ctrl+Z then Ctrl+Y on a moved trunk kelo, each followed by the repaint of the visible part.
void BM_UndoRedoMove(benchmark::State& state) {
    const ScaleBenchDatabase& db = ScaleDatabase(Regions);
    auto form = OpenTrunk(db);
    KeloDiagramDocumentClass& document = form->Document();
    const std::string number = db.trunkKelo;
    form->ApplyDocumentChange(
        document.MoveKelo(number, (FirstArrival(document, number) + 30) % 1440));
    const std::int32_t moved = FirstArrival(document, number);
    int wrong = 0;
    for (auto _ : state) {
        QTest::keyClick(form->KeloListView(), Qt::Key_Z, Qt::ControlModifier);
        PaintVisiblePart(*form);
        QTest::keyClick(form->KeloListView(), Qt::Key_Y, Qt::ControlModifier);
        PaintVisiblePart(*form);
        wrong += FirstArrival(document, number) != moved;
    }
    state.counters["kelos"] = double(form->Diagram().KeloViews().size());
    state.counters["wrong"] = wrong;
    state.counters["per_action_ms"] =
        benchmark::Counter(2.0 * double(state.iterations()) / 1000.0,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// 1,000 moves of the trunk's kelos in turn, all kept for undo: the bytes the history holds.
void BM_ThousandUndoableMoves(benchmark::State& state) {
    const ScaleBenchDatabase& db = ScaleDatabase(Regions);
    double bytes = 0;
    double kelos = 0;
    for (auto _ : state) {
        KeloDiagramDocumentClass document(db.Source(db.trunkLine), db.trunkLine, db.trunkKelo);
        const std::vector<std::string> numbers = document.KeloNumbers();
        kelos = double(numbers.size());
        for (int i = 0; i < 1000; ++i) {
            const std::string& number = numbers[std::size_t(i) % numbers.size()];
            document.MoveKelo(number, (FirstArrival(document, number) + 7) % 1440);
        }
        bytes = double(document.History().Footprint());
        benchmark::DoNotOptimize(document.History().UndoCount());
    }
    state.counters["history_kB"] = bytes / 1024;
    state.counters["bytes_per_step"] = bytes / 1000;
    state.counters["kelos"] = kelos;
    state.counters["peak_MB"] = PeakResidentMegabytes();
}

BENCHMARK(BM_UndoRedoMove)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ThousandUndoableMoves)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv);
}
