// The timetable dialog on the built-in kelo with the most timetable rows, over the stack of its
// diagram window: opening the dialog (nested buffer, list filled) and recalculating the whole
// kelo from its first stop. Runs headless.

#include "KeloBenchSupport.h"
#include "KeloCachedUpdateDataClass.h"
#include "KeloDemoDataClass.h"
#include "TKeloTripDiagramForm.h"
#include "TKeloTripTimeTableDialogForm.h"

#include <benchmark/benchmark.h>

namespace {

struct LongestKelo {
    std::string number;
    std::vector<std::string> line;
};

LongestKelo FindLongestKelo() {
    KeloDataPtrClass source = MakeBuiltInSource();
    KeloKeloSetPtrClass kelos = source->GetKeloSet();
    LongestKelo longest;
    std::int32_t most = -1;
    for (std::int32_t i = 0; i < kelos->GetCount(); ++i) {
        KeloKeloPtrClass kelo = kelos->GetItem(i);
        KeloKeloSchedulePtrClass schedule = kelo->GetSchedule();
        if (schedule->GetCount() <= most)
            continue;
        most = schedule->GetCount();
        longest.number = kelo->GetNumber();
        longest.line.clear();
        for (std::int32_t j = 0; j < most; ++j)
            longest.line.push_back(schedule->GetItem(j)->GetStop()->GetCode());
    }
    return longest;
}

void BM_OpenTimetableDialogAndRecalculate(benchmark::State& state) {
    const LongestKelo longest = FindLongestKelo();
    TKeloTripDiagramForm form(nullptr, longest.number, longest.line,
                              MakeBuiltInSource(longest.line));
    const int index = form.State().selectedKelo;
    for (auto _ : state) {
        auto* nested = new KeloCachedUpdateDataClass(form.EditBuffer());
        KeloDataPtrClass handle(nested);
        {
            TKeloTripTimeTableDialogForm dialog;
            if (!dialog.SetKelo(index, handle))
                state.SkipWithError("the dialog could not be filled");
            dialog.RecalculateFrom(0, 60);
            benchmark::DoNotOptimize(
                dialog.Schedule()->GetItem(longest.line.size() - 1)->GetArrival());
        }
        nested->CancelUpdates();
    }
    state.counters["rows"] = double(longest.line.size());
}
BENCHMARK(BM_OpenTimetableDialogAndRecalculate)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv);
}
