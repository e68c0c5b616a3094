// Every interaction at 1, 10 and 100 regions over the database source, on the trunk line, and
// on the busiest line of the synthetic city feed (N = 0): start-up to the choice list,
// opening the trunk's diagram window, a selection click and a scroll step in the shown
// window, a repaint of the visible chart, the station timetable of the busiest trunk stop, a
// save of 20 modified kelos, `--export` of the line to PNG and the import of the city feed.
// Each benchmark reports the peak resident memory so far (run one size per process to read it
// for that size). Runs headless.

#include "Cp1251.h"
#include "KeloBenchSupport.h"
#include "KeloCachedUpdateDataClass.h"
#include "KeloDBPlanCopy.h"
#include "KeloExportCommand.h"
#include "KeloGtfsImporterClass.h"
#include "KeloStartupSource.h"
#include "ScaleBenchData.h"
#include "TKeloMainFrame.h"
#include "TKeloSimpleKeloDataSetViewForm.h"
#include "TKeloTripDiagramForm.h"
#include "TripDiagramPaintBox.h"
#include "ZoCanvasClass.h"

#include <QCoreApplication>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <sstream>

namespace {

void ReportMemory(benchmark::State& state) {
    state.counters["peak_MB"] = PeakResidentMegabytes();
}

std::unique_ptr<TKeloTripDiagramForm> OpenTrunk(const ScaleBenchDatabase& db) {
    return std::make_unique<TKeloTripDiagramForm>(nullptr, db.trunkKelo, db.trunkLine,
                                                  db.Source(db.trunkLine));
}

// Start-up as `kelo --database FILE` makes it: the source, the maximised main window, and the
// choice list of every kelo, painted once. The whole-file check runs behind the list; with
// `trusted` the time runs on until it has answered, as it must before a window opens.
void StartUp(benchmark::State& state, bool trusted) {
    const std::string path = ScaleDatabase(int(state.range(0))).path;
    for (auto _ : state) {
        KeloStartupSourceType startup = OpenStartupSourceCheckingBehind(path);
        if (startup.source.IsNull()) {
            state.SkipWithError(startup.error.toStdString().c_str());
            return;
        }
        TKeloMainFrame frame(startup);
        frame.showMaximized();
        TKeloSimpleKeloDataSetViewForm choice(startup.source, &frame);
        choice.resize(640, 480);
        benchmark::DoNotOptimize(choice.grab());
        if (trusted && !frame.TrustPlan())
            state.SkipWithError("the scale database was found damaged");
        state.PauseTiming(); // the check still running is waited for outside the time
        startup.awaitWholeCheck = {};
        frame.TrustPlan();
        state.ResumeTiming();
    }
    ReportMemory(state);
}

void BM_StartUpToChoiceList(benchmark::State& state) {
    StartUp(state, false);
}

void BM_StartUpToTrustedPlan(benchmark::State& state) {
    StartUp(state, true);
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

// Counts the pixels the chart repaints, as Qt asks for them.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            for (const QRect& r : static_cast<QPaintEvent*>(event)->region())
                pixels += double(r.width()) * r.height();
        return false;
    }
    double pixels = 0;
};

// The window shown with a chart area of about VisibleWidth x VisibleHeight, painted once.
void ShowWithVisibleChart(TKeloTripDiagramForm& form) {
    form.resize(VisibleWidth + 100, VisibleHeight + 400);
    form.show();
    QCoreApplication::processEvents();
    const QSize viewport = form.ChartScrollBox()->viewport()->size();
    form.resize(form.width() + VisibleWidth - viewport.width(),
                form.height() + VisibleHeight - viewport.height());
    QCoreApplication::processEvents();
}

// A left click on a kelo's line, alternately on two kelos: hit test, selection, and the
// repaint Qt then asks of the shown window.
void BM_SelectionClick(benchmark::State& state) {
    const ScaleBenchDatabase& db = ScaleDatabase(int(state.range(0)));
    auto form = OpenTrunk(db);
    const int kelos = int(form->Diagram().KeloViews().size());
    const QPoint points[2] = {PointOnKelo(form->Diagram(), kelos / 3),
                              PointOnKelo(form->Diagram(), 2 * kelos / 3)};
    ShowWithVisibleChart(*form);
    const QPoint middle = (points[0] + points[1]) / 2;
    form->ChartScrollBox()->horizontalScrollBar()->setValue(middle.x() - VisibleWidth / 2);
    form->ChartScrollBox()->verticalScrollBar()->setValue(middle.y() - VisibleHeight / 2);
    QCoreApplication::processEvents();
    PaintCounter painted(form->ChartPaintBox());
    state.counters["kelos"] = kelos;
    int changed = 0, clicks = 0;
    for (auto _ : state) {
        const QPoint at = points[clicks++ % 2];
        const int before = form->State().selectedKelo;
        form->ChartPaintBoxMouseDown(Qt::LeftButton, at.x(), at.y());
        form->ChartPaintBoxMouseUp(Qt::LeftButton, at.x(), at.y());
        QCoreApplication::processEvents();
        changed += form->State().selectedKelo != before;
    }
    state.counters["selection_changed"] = double(changed) / std::max(clicks, 1);
    state.counters["painted_kpx"] = painted.pixels / 1000 / std::max(clicks, 1);
    ReportMemory(state);
}

// A step of 120 pixels along the day in the shown window: Qt moves what it shows and asks
// for the strip that comes into view.
void BM_ScrollStep(benchmark::State& state) {
    const ScaleBenchDatabase& db = ScaleDatabase(int(state.range(0)));
    auto form = OpenTrunk(db);
    ShowWithVisibleChart(*form);
    QScrollBar* bar = form->ChartScrollBox()->horizontalScrollBar();
    bar->setValue(0);
    QCoreApplication::processEvents();
    PaintCounter painted(form->ChartPaintBox());
    int steps = 0;
    for (auto _ : state) {
        // Back to the start, untimed, at the end of the day.
        if (bar->value() + 120 > bar->maximum()) {
            state.PauseTiming();
            const double counted = painted.pixels;
            bar->setValue(0);
            QCoreApplication::processEvents();
            painted.pixels = counted;
            state.ResumeTiming();
        }
        bar->setValue(bar->value() + 120);
        QCoreApplication::processEvents();
        ++steps;
    }
    state.counters["painted_kpx"] = painted.pixels / 1000 / std::max(steps, 1);
    ReportMemory(state);
}

// A repaint of the whole visible part at successive scroll positions, as after a change
// of the whole scene.
void BM_VisibleRepaint(benchmark::State& state) {
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

// The trunk stop with the most calls of the window's kelos.
int BusiestStopRow(TKeloTripDiagramForm& form) {
    KeloDataPtrClass view = form.Diagram().GetView();
    KeloStopSetPtrClass stops = view->GetStopSet();
    std::map<std::string, int> calls;
    KeloKeloSetPtrClass kelos = view->GetKeloSet();
    for (int k = 0; k < kelos->GetCount(); ++k) {
        KeloKeloSchedulePtrClass schedule = kelos->GetItem(k)->GetSchedule();
        for (int i = 0; i < schedule->GetCount(); ++i)
            ++calls[schedule->GetItem(i)->GetStop()->GetCode()];
    }
    int busiest = 0;
    for (int i = 0; i < stops->GetCount(); ++i)
        if (calls[stops->GetItem(i)->GetCode()] > calls[stops->GetItem(busiest)->GetCode()])
            busiest = i;
    return busiest;
}

// The station timetable of the busiest trunk stop, from the popup item to the filled preview.
void BM_StationTimetable(benchmark::State& state) {
    const ScaleBenchDatabase& db = ScaleDatabase(int(state.range(0)));
    QMdiArea area;
    auto* form = OpenTrunk(db).release();
    area.addSubWindow(form)->setAttribute(Qt::WA_DeleteOnClose);
    form->State().selectedStop = BusiestStopRow(*form);
    TimeStationTimetableFromMenu(state, area, *form);
    ReportMemory(state);
}

// A save of 20 moved kelos of the trunk, from the button through the review to the database,
// in one transaction. Works on a copy of the scale database, which it changes.
void BM_SaveTwentyModifiedKelos(benchmark::State& state) {
    const ScaleBenchDatabase& master = ScaleDatabase(int(state.range(0)));
    ScaleBenchDatabase db;
    db.path = master.path + ".save.db";
    for (const char* suffix : {"", "-wal", "-shm"})
        std::filesystem::remove(db.path + suffix);
    std::filesystem::copy_file(master.path, db.path);
    db.connection = ScaleOpen(db.path);
    db.trunkKelo = master.trunkKelo;
    db.trunkLine = master.trunkLine;
    auto form = OpenTrunk(db);
    form->show();
    ModalAnswers answers;
    KeloDataPtrClass buffer = form->EditBuffer();
    int shift = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ShiftTwentyKelos(buffer, shift);
        state.ResumeTiming();
        form->SaveButton()->click();
    }
    state.counters["changes_left"] = form->Diagram().GetEditBufferObject().GetChangeCount();
    ReportMemory(state);
}

// What a scroll step of 120 pixels costs where the window moves the pixels it already shows
// and repaints only the strip that comes into view.
void BM_ScrollStrip(benchmark::State& state) {
    const ScaleBenchDatabase& db = ScaleDatabase(int(state.range(0)));
    auto form = OpenTrunk(db);
    const int width = std::max(form->ChartPaintBox()->width() - VisibleWidth, 1);
    int x = 0;
    for (auto _ : state) {
        x = (x + 120) % width;
        QImage image(120, VisibleHeight, QImage::Format_RGB32);
        QPainter painter(&image);
        painter.translate(-(x + VisibleWidth - 120), 0);
        form->ChartPaintBoxPaint(painter, QRect(x + VisibleWidth - 120, 0, 120, VisibleHeight));
    }
    ReportMemory(state);
}

// `kelo --database FILE --export NUMBER line.png` without the process: the trunk's whole day.
void BM_ExportTrunkPng(benchmark::State& state) {
    const ScaleBenchDatabase& db = ScaleDatabase(int(state.range(0)));
    const std::string file = db.path + ".png";
    for (auto _ : state) {
        std::ostringstream errors;
        // The command line takes the number as typed, in UTF-8.
        if (RunDiagramExport(Cp1251ToUtf8(db.trunkKelo), file, db.Source(), errors) != 0) {
            state.SkipWithError(errors.str().c_str());
            return;
        }
    }
    state.counters["png_kB"] = double(std::filesystem::file_size(file)) / 1024;
    std::filesystem::remove(file);
    ReportMemory(state);
}

// The import of the city feed into a new database.
void BM_ImportCityFeed(benchmark::State& state) {
    ScaleDatabase(CityFeedFactor); // writes the feed
    const std::string path = ScaleDatabase(CityFeedFactor).path + ".import.db";
    for (auto _ : state) {
        std::filesystem::remove(path);
        KeloGtfsImportOptionsType options;
        options.feed = CityFeedDir();
        KeloDBPlanWriterClass sink(path);
        state.counters["rows"] = double(KeloGtfsImporterClass().Run(options, sink).rows);
    }
    std::filesystem::remove(path);
    ReportMemory(state);
}

// Each figure at N = 1, 10 and 100, and on the city feed (0).
void Sizes(benchmark::internal::Benchmark* benchmark) {
    benchmark->Arg(1)->Arg(10)->Arg(100)->Arg(CityFeedFactor)->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_StartUpToChoiceList)->Apply(Sizes);
BENCHMARK(BM_StartUpToTrustedPlan)->Apply(Sizes)->UseRealTime();
BENCHMARK(BM_OpenTrunkWindow)->Apply(Sizes);
BENCHMARK(BM_SelectionClick)->Apply(Sizes);
BENCHMARK(BM_ScrollStep)->Apply(Sizes);
BENCHMARK(BM_VisibleRepaint)->Apply(Sizes);
BENCHMARK(BM_ScrollStrip)->Apply(Sizes);
BENCHMARK(BM_StationTimetable)->Apply(Sizes);
BENCHMARK(BM_SaveTwentyModifiedKelos)->Apply(Sizes);
BENCHMARK(BM_ExportTrunkPng)->Apply(Sizes);
BENCHMARK(BM_ImportCityFeed)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv);
}
