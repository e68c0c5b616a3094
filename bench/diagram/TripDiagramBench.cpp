// The diagram of the shipped line that offers the most kelos, every direction shown:
// rebuilding the scene, painting it whole onto an image, and hit testing.
#include "KeloBuiltInTestSupport.h"
#include "KeloDemoDataClass.h"
#include "TripDiagramClass.h"
#include "ZoQtDrawingSurfaceClass.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

// Fonts need a GUI application; the benchmark main does not make one.
void EnsureApplication() {
    static int argc = 1;
    static char name[] = "kelo_diagram_bench";
    static char* argv[] = {name, nullptr};
    // Never destroyed, on purpose: torn down among the static destructors at exit, the
    // application outlived Qt's own globals and crashed the program after its last run.
    static QGuiApplication* app = nullptr;
    if (app != nullptr)
        return;
    KeloUseHeadlessPlatform();
    app = new QGuiApplication(argc, argv);
}

struct Fixture {
    Fixture() : font(QGuiApplication::font()), measure(font), diagram(host, measure) {
        const KeloBusiestLineType& line = BusiestBuiltInLine();
        diagram.Create(line.number, line.line, MakeBuiltInSource(line.line));
        diagram.ShowBackwardKelos();
        diagram.BuildScene();
    }
    QFont font;
    TripDiagramHeadlessHostClass host;
    ZoQtDrawingSurfaceClass measure;
    TripDiagramClass diagram;
};

Fixture& Shared() {
    EnsureApplication();
    static Fixture fixture;
    return fixture;
}

void BM_BuildScene(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state)
        f.diagram.BuildScene();
    state.counters["kelos"] = BusiestBuiltInLine().keloCount;
    state.counters["stops"] = static_cast<double>(BusiestBuiltInLine().line.size());
    state.counters["items"] = f.diagram.GetCanvas().GetItemCount();
}
BENCHMARK(BM_BuildScene)->Unit(benchmark::kMillisecond);

void BM_PaintWholeSceneOnImage(benchmark::State& state) {
    Fixture& f = Shared();
    QImage image(f.host.paintWidth, f.host.paintHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.setFont(f.font);
        ZoQtDrawingSurfaceClass surface(painter);
        f.diagram.PaintOn(surface);
    }
    state.counters["pixels"] = double(image.width()) * image.height();
}
BENCHMARK(BM_PaintWholeSceneOnImage)->Unit(benchmark::kMillisecond);

void BM_HitTest1000Points(benchmark::State& state) {
    Fixture& f = Shared();
    std::mt19937 random(1251);
    std::uniform_int_distribution<int> xs(0, f.host.paintWidth - 1);
    std::uniform_int_distribution<int> ys(0, f.host.paintHeight - 1);
    std::vector<std::pair<int, int>> points(1000);
    for (auto& p : points)
        p = {xs(random), ys(random)};
    const ZoCanvasClass& canvas = f.diagram.GetCanvas();
    for (auto _ : state) {
        int hits = 0;
        for (const auto& p : points) {
            std::uint32_t id = 0;
            hits += canvas.HitTest(p.first, p.second, id) ? 1 : 0;
        }
        benchmark::DoNotOptimize(hits);
    }
}
BENCHMARK(BM_HitTest1000Points)->Unit(benchmark::kMillisecond);

} // namespace
