// Writing the whole diagram of the busiest built-in line, as a new window shows it, to PDF,
// SVG and PNG files (what "Сохранить изображение..." and kelo --export do after the scene is
// built). Runs headless.

#include "Cp1251.h"
#include "KeloBenchSupport.h"
#include "KeloDemoDataClass.h"
#include "TripDiagramClass.h"
#include "ZoCanvasExport.h"
#include "ZoQtDrawingSurfaceClass.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct BusiestDiagram {
    BusiestDiagram() : font(QApplication::font("QWidget")), measure(font), diagram(host, measure) {
        number = BusiestBuiltInKelo();
        const std::vector<std::string> line = BuiltInLineOf(number);
        diagram.Create(number, line, MakeBuiltInSource(line));
        diagram.BuildScene();
        const ZoRectType picture = diagram.GetPictureArea();
        area = QRect(picture.left, picture.top, picture.Width(), picture.Height());
    }
    QFont font;
    ZoQtDrawingSurfaceClass measure;
    TripDiagramHeadlessHostClass host;
    TripDiagramClass diagram;
    QRect area;
    std::string number;
};

void Export(benchmark::State& state, const char* extension) {
    static BusiestDiagram busiest;
    QTemporaryDir dir;
    const QString file = dir.filePath(QString("diagram.") + extension);
    for (auto _ : state) {
        const QString failure =
            ZoExportCanvas(busiest.diagram.GetCanvas(), busiest.area, busiest.font, file);
        if (!failure.isEmpty())
            state.SkipWithError(failure.toStdString().c_str());
    }
    state.counters["items"] = busiest.diagram.GetCanvas().GetItemCount();
    state.SetLabel("kelo " + Cp1251ToUtf8(busiest.number));
}

BENCHMARK_CAPTURE(Export, Pdf, "pdf")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Export, Svg, "svg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Export, Png, "png")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv);
}
