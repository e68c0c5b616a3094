// Every interaction at 1, 10 and 100 regions over the database source, on the trunk line:
// start-up to the choice list, opening the trunk's diagram window, a selection click, a scroll
// step. Each benchmark reports the peak resident memory so far (run one size per process to
// read it for that size). Runs headless.

#include "ScaleBenchData.h"
#include "TKeloMainFrame.h"
#include "TKeloSimpleKeloDataSetViewForm.h"
#include "TKeloTripDiagramForm.h"
#include "TripDiagramPaintBox.h"
#include "ZoCanvasClass.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

constexpr int VisibleWidth = 1200;
constexpr int VisibleHeight = 600;

void ReportMemory(benchmark::State& state) {
    state.counters["peak_MB"] = PeakResidentMegabytes();
}

// One repaint of the visible part of the chart at a scroll position.
void PaintVisiblePart(TKeloTripDiagramForm& form, int x = 0, int y = 0) {
    QImage image(VisibleWidth, VisibleHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.translate(-x, -y);
    form.ChartPaintBoxPaint(painter, QRect(x, y, VisibleWidth, VisibleHeight));
}

std::unique_ptr<TKeloTripDiagramForm> OpenTrunk(const ScaleBenchDatabase& db) {
    return std::make_unique<TKeloTripDiagramForm>(nullptr, db.trunkKelo, db.trunkLine,
                                                  db.Source(db.trunkLine));
}

// Opening the database, the main window, and the choice list of every kelo painted once.
void BM_StartUpToChoiceList(benchmark::State& state) {
    const std::string path = ScaleDatabase(int(state.range(0))).path;
    for (auto _ : state) {
        TKeloMainFrame frame;
        ScaleBenchDatabase db;
        db.connection = ScaleOpen(path);
        TKeloSimpleKeloDataSetViewForm choice(db.Source(), &frame);
        choice.resize(640, 480);
        benchmark::DoNotOptimize(choice.grab());
    }
    ReportMemory(state);
}

void BM_OpenTrunkWindow(benchmark::State& state) {
    const ScaleBenchDatabase& db = ScaleDatabase(int(state.range(0)));
    for (auto _ : state) {
        auto form = OpenTrunk(db);
        PaintVisiblePart(*form);
    }
    ReportMemory(state);
}

// A point on the middle of a longer line of the first drawn kelo from `keloIndex` on, in
// paint-area coordinates.
QPoint PointOnKelo(TripDiagramClass& diagram, int keloIndex) {
    const ZoCanvasClass& canvas = diagram.GetCanvas();
    for (int k = keloIndex; k < int(diagram.KeloViews().size()); ++k) {
        const std::string tag = std::to_string(k);
        for (std::uint32_t id = 0; id < canvas.GetItemCount(); ++id) {
            const auto* line = dynamic_cast<const ZoCanvasItemLineClass*>(canvas.GetItem(id));
            if (line != nullptr && canvas.TagMatches(id, TripDiagramClass::KeloIndexTag, tag) &&
                std::abs(line->x2 - line->x1) + std::abs(line->y2 - line->y1) > 12)
                return {(line->x1 + line->x2) / 2, (line->y1 + line->y2) / 2};
        }
    }
    return {};
}

// A left click on a kelo's line, alternately on two kelos: hit test, selection, repaint.
void BM_SelectionClick(benchmark::State& state) {
    const ScaleBenchDatabase& db = ScaleDatabase(int(state.range(0)));
    auto form = OpenTrunk(db);
    const int kelos = int(form->Diagram().KeloViews().size());
    const QPoint points[2] = {PointOnKelo(form->Diagram(), kelos / 3),
                              PointOnKelo(form->Diagram(), 2 * kelos / 3)};
    state.counters["kelos"] = kelos;
    int changed = 0, clicks = 0;
    for (auto _ : state) {
        const QPoint at = points[clicks++ % 2];
        const int before = form->State().selectedKelo;
        form->ChartPaintBoxMouseDown(Qt::LeftButton, at.x(), at.y());
        form->ChartPaintBoxMouseUp(Qt::LeftButton, at.x(), at.y());
        PaintVisiblePart(*form, std::max(at.x() - VisibleWidth / 2, 0),
                         std::max(at.y() - VisibleHeight / 2, 0));
        changed += form->State().selectedKelo != before;
    }
    state.counters["selection_changed"] = double(changed) / std::max(clicks, 1);
    ReportMemory(state);
}

void BM_ScrollStep(benchmark::State& state) {
    const ScaleBenchDatabase& db = ScaleDatabase(int(state.range(0)));
    auto form = OpenTrunk(db);
    const int width = std::max(form->ChartPaintBox()->width() - VisibleWidth, 1);
    int x = 0;
    for (auto _ : state) {
        x = (x + 120) % width;
        PaintVisiblePart(*form, x, 0);
    }
    state.counters["items"] = form->Diagram().GetCanvas().GetItemCount();
    state.counters["width"] = form->ChartPaintBox()->width();
    state.counters["height"] = form->ChartPaintBox()->height();
    ReportMemory(state);
}

constexpr auto Unit = benchmark::kMillisecond;
BENCHMARK(BM_StartUpToChoiceList)->Arg(1)->Arg(10)->Arg(100)->Unit(Unit);
BENCHMARK(BM_OpenTrunkWindow)->Arg(1)->Arg(10)->Arg(100)->Unit(Unit);
BENCHMARK(BM_SelectionClick)->Arg(1)->Arg(10)->Arg(100)->Unit(Unit);
BENCHMARK(BM_ScrollStep)->Arg(1)->Arg(10)->Arg(100)->Unit(Unit);

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
