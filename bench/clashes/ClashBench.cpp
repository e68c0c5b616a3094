// The clashes of the trunk line at 100 regions: the full check of every kelo the window
// shows, and bringing them up to date after one kelo moved. Needs no display.

#include "KeloTimetableArithmetic.h"
#include "ScaleBenchData.h"
#include "TimetableClashIndexClass.h"
#include "TripDiagramClass.h"
#include "TripDiagramHostClass.h"
#include "ZoNullDrawingSurfaceClass.h"

#include <benchmark/benchmark.h>

namespace {

// The trunk line's diagram as a new window has it, with its kelos read for the rules.
struct TrunkDiagram {
    const ScaleBenchDatabase& db;
    ZoNullDrawingSurfaceClass surface;
    TripDiagramHeadlessHostClass host;
    TripDiagramClass diagram{host, surface};
    std::vector<TimetableClashKeloType> kelos;

    explicit TrunkDiagram(int factor) : db(ScaleDatabase(factor)) {
        diagram.Create(db.trunkKelo, db.trunkLine, db.Source(db.trunkLine));
        KeloKeloSetPtrClass set = diagram.GetView()->GetKeloSet();
        for (std::int32_t k = 0; k < set->GetCount(); ++k)
            kelos.push_back(diagram.ReadClashKelo(set->GetItem(k)));
    }
};

// The rule over the kelos as read: sweeping every stop and every pair of stops.
void BM_ClashFullCheck(benchmark::State& state) {
    TrunkDiagram trunk(int(state.range(0)));
    std::size_t found = 0;
    for (auto _ : state)
        found = FindTimetableClashes(trunk.db.trunkLine, trunk.kelos, 3).size();
    state.counters["kelos"] = double(trunk.kelos.size());
    state.counters["clashes"] = double(found);
}

// The same with the reading of every kelo through the window's data stack.
void BM_ClashReadAndCheck(benchmark::State& state) {
    TrunkDiagram trunk(int(state.range(0)));
    for (auto _ : state)
        trunk.diagram.RefreshClashes();
    state.counters["clashes"] = double(trunk.diagram.GetClashes().GetClashes().size());
}

// One kelo moved by seven minutes and back, alternately: the index looks at it and its
// neighbours only.
void BM_ClashUpdateAfterMove(benchmark::State& state) {
    TrunkDiagram trunk(int(state.range(0)));
    TimetableClashIndexClass index;
    index.Reset(trunk.db.trunkLine, trunk.kelos, 3);
    TimetableClashKeloType moved = trunk.kelos[trunk.kelos.size() / 2];
    const std::vector<TimetableClashKeloType> states = {
        moved, [&] {
            for (TimetableClashCallType& call : moved.calls)
                call.arrival = KeloTimeType(call.arrival.GetTotalMinutes() + 7);
            return moved;
        }()};
    const std::vector<std::string> changed = {moved.number};
    std::size_t step = 0;
    for (auto _ : state)
        index.Update(changed, {states[++step % 2]});
}

// The same through the diagram: the move itself in the edit buffer, the kelo read again
// from the view and the index updated.
void BM_ClashMoveInWindowStack(benchmark::State& state) {
    TrunkDiagram trunk(int(state.range(0)));
    trunk.diagram.RefreshClashes();
    const std::string number = trunk.kelos[trunk.kelos.size() / 2].number;
    KeloKeloSchedulePtrClass schedule =
        trunk.diagram.GetEditBuffer()->FindKelo(number)->GetSchedule();
    const std::int32_t start = schedule->GetItem(0)->GetArrival().GetTotalMinutes();
    std::size_t step = 0;
    for (auto _ : state) {
        ShiftKeloSchedule(*schedule, start + (++step % 2 == 1 ? 7 : 0));
        trunk.diagram.UpdateClashes({number});
    }
}

BENCHMARK(BM_ClashFullCheck)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClashReadAndCheck)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClashUpdateAfterMove)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ClashMoveInWindowStack)->Arg(100)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
