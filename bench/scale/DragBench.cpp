// One mouse-move step of a kelo dragged with Ctrl on the trunk line of the scale data at
// N = 100 regions: from the mouse event to the repainted chart, through the window's own
// update path (only the band the moved line covers is painted); and the pick-up that starts
// a drag. Runs headless.

#include "KeloBenchSupport.h"
#include "ScaleBenchData.h"
#include "TKeloTripDiagramForm.h"
#include "TripDiagramPaintBox.h"
#include "ZoCanvasClass.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

constexpr int Regions = 100;

// Counts the paint events of the chart and the pixels they cover.
class PaintCounter : public QObject {
public:
    int paints = 0;
    double pixels = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            const QRect r = static_cast<QPaintEvent*>(event)->rect();
            ++paints;
            pixels += double(r.width()) * r.height();
        }
        return false;
    }
};

void Send(QWidget* chart, QEvent::Type type, QPoint at, Qt::MouseButton button,
          Qt::MouseButtons held, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    QMouseEvent event(type, QPointF(at), QPointF(chart->mapToGlobal(at)), button, held, modifiers);
    QApplication::sendEvent(chart, &event);
}

// The middle of a line of the selected kelo that lies in the visible part of the chart.
QPoint VisiblePointOnSelected(TKeloTripDiagramForm& form) {
    const ZoCanvasClass& canvas = form.Diagram().GetCanvas();
    const std::string tag = std::to_string(form.State().selectedKelo);
    QScrollArea* area = form.ChartScrollBox();
    const QRect visible(area->horizontalScrollBar()->value(), area->verticalScrollBar()->value(),
                        area->viewport()->width(), area->viewport()->height());
    for (std::uint32_t id = 0; id < canvas.GetItemCount(); ++id) {
        const auto* line = dynamic_cast<const ZoCanvasItemLineClass*>(canvas.GetItem(id));
        if (line == nullptr || !canvas.TagMatches(id, TripDiagramClass::KeloIndexTag, tag))
            continue;
        const QPoint middle((line->x1 + line->x2) / 2, (line->y1 + line->y2) / 2);
        if (visible.adjusted(20, 20, -200, -20).contains(middle))
            return middle;
    }
    return {};
}

// The trunk's window, shown; null after telling the benchmark why not.
std::unique_ptr<TKeloTripDiagramForm> OpenShownTrunk(benchmark::State& state) {
    const ScaleBenchDatabase& db = ScaleDatabase(Regions);
    auto form = std::make_unique<TKeloTripDiagramForm>(nullptr, db.trunkKelo, db.trunkLine,
                                                       db.Source(db.trunkLine));
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get())) {
        state.SkipWithError("the window was not shown");
        return nullptr;
    }
    return form;
}

void BM_DragMoveStep(benchmark::State& state) {
    auto form = OpenShownTrunk(state);
    if (!form)
        return;
    QWidget* chart = form->ChartPaintBox();
    const QPoint grab = VisiblePointOnSelected(*form);
    Send(chart, QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
    if (!form->KeloDrag().Active()) {
        state.SkipWithError("the trunk kelo was not picked up");
        return;
    }
    QApplication::processEvents();
    PaintCounter counter;
    chart->installEventFilter(&counter);
    // Every step moves the line by a few minutes, back and forth.
    const int step = int(form->State().timeScale / 10) + 1;
    int n = 0;
    for (auto _ : state) {
        const QPoint at = grab + QPoint(step * (1 + n++ % 2), 0);
        Send(chart, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
        QApplication::sendPostedEvents(form.get(), QEvent::UpdateRequest);
    }
    state.counters["kelos"] = double(form->Diagram().KeloViews().size());
    state.counters["items"] = double(form->Diagram().GetCanvas().GetItemCount());
    state.counters["paints_per_step"] = double(counter.paints) / std::max(n, 1);
    state.counters["painted_kpx"] = counter.pixels / std::max(counter.paints, 1) / 1000;
    state.counters["viewport_kpx"] = double(form->ChartScrollBox()->viewport()->width()) *
                                     form->ChartScrollBox()->viewport()->height() / 1000;
    chart->removeEventFilter(&counter);
    form->CancelKeloDrag();
}

// The pick-up itself, paid once per drag: the press with Ctrl (hit test, the picture of the
// visible chart) and the release where it started, which changes nothing. Argument 0 makes
// the same click without Ctrl, for comparison.
void BM_DragPickUp(benchmark::State& state) {
    auto form = OpenShownTrunk(state);
    if (!form)
        return;
    QWidget* chart = form->ChartPaintBox();
    const QPoint grab = VisiblePointOnSelected(*form);
    const Qt::KeyboardModifiers modifiers =
        state.range(0) != 0 ? Qt::ControlModifier : Qt::NoModifier;
    int picked = 0;
    for (auto _ : state) {
        Send(chart, QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton, modifiers);
        picked += form->KeloDrag().Active();
        Send(chart, QEvent::MouseButtonRelease, grab, Qt::LeftButton, Qt::NoButton, modifiers);
        QApplication::sendPostedEvents(form.get(), QEvent::UpdateRequest);
    }
    state.counters["picked"] =
        double(picked) / double(std::max<std::int64_t>(state.iterations(), 1));
}

BENCHMARK(BM_DragMoveStep)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DragPickUp)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv);
}
