// The editing commands of a diagram window on the busiest built-in line, with their modal
// dialogs answered by the program: a move from the menu action to the repainted window, and
// a save of 20 modified kelos from the button to the closing message. Runs headless.

#include "KeloBenchSupport.h"
#include "KeloCachedUpdateDataClass.h"
#include "KeloDemoDataClass.h"
#include "KeloTimetableArithmetic.h"
#include "TKeloTripDiagramForm.h"
#include "TKeloTripKeloMoveDialogForm.h"
#include "TShortTimePicker.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

#include <benchmark/benchmark.h>

namespace {

void BM_MoveCommand(benchmark::State& state) {
    const std::string number = BusiestBuiltInKelo();
    const std::vector<std::string> line = KeloLineOf(MakeBuiltInSource(), number);
    TKeloTripDiagramForm form(nullptr, number, line, MakeBuiltInSource(line));
    form.show();
    QAction* move = form.KeloListViewPopupMenu()->findChild<QAction*>("KeloMoveAction");
    QTime startTime;
    ModalAnswers answers([&startTime](QWidget* modal) {
        auto* start = qobject_cast<TKeloTripKeloMoveDialogForm*>(modal);
        if (start == nullptr)
            return false;
        start->TimeStartPicker->SetTime(startTime);
        start->OkButton->click();
        return true;
    });
    int flip = 0;
    for (auto _ : state) {
        startTime = (++flip % 2) ? QTime(6, 15) : QTime(7, 45);
        move->trigger();
        PaintVisiblePart(form);
    }
}
BENCHMARK(BM_MoveCommand)->Unit(benchmark::kMillisecond);

void BM_SaveTwentyModifiedKelos(benchmark::State& state) {
    const std::string number = BusiestBuiltInKelo();
    const std::vector<std::string> line = KeloLineOf(MakeBuiltInSource(), number);
    TKeloTripDiagramForm form(nullptr, number, line, MakeBuiltInSource(line));
    form.show();
    ModalAnswers answers;
    KeloDataPtrClass buffer = form.EditBuffer();
    int shift = 0;
    for (auto _ : state) {
        state.PauseTiming();
        shift = (shift + 7) % 60;
        KeloKeloSetPtrClass kelos = buffer->GetKeloSet();
        for (int i = 0; i < 20 && i < kelos->GetCount(); ++i)
            ShiftKeloSchedule(*kelos->GetItem(i)->GetSchedule(), 300 + 10 * i + shift);
        state.ResumeTiming();
        form.SaveButton()->click();
    }
    state.counters["changes left"] = form.Diagram().GetEditBufferObject().GetChangeCount();
}
BENCHMARK(BM_SaveTwentyModifiedKelos)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv);
}
