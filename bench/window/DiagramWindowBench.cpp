// Opening a diagram window for the busiest built-in line (construction to first paint), and a
// selection click on a kelo's line (rebuild and paint). Runs headless.

#include "KeloDemoDataClass.h"
#include "TKeloTripDiagramForm.h"
#include "TripDiagramPaintBox.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

std::vector<std::string> LineOf(KeloDataPtrClass source, const std::string& number) {
    std::vector<std::string> codes;
    KeloKeloSchedulePtrClass schedule = source->FindKelo(number)->GetSchedule();
    for (int i = 0; i < schedule->GetCount(); ++i)
        codes.push_back(schedule->GetItem(i)->GetStop()->GetCode());
    return codes;
}

// The kelo whose line offers the most kelos.
std::string BusiestKelo() {
    KeloDataPtrClass source = MakeBuiltInSource();
    KeloKeloSetPtrClass kelos = source->GetKeloSet();
    std::string busiest;
    int most = 0;
    for (int i = 0; i < kelos->GetCount(); ++i) {
        const std::string number = kelos->GetItem(i)->GetNumber();
        const int offered = MakeBuiltInSource(LineOf(source, number))->GetKeloSet()->GetCount();
        if (offered > most) {
            most = offered;
            busiest = number;
        }
    }
    return busiest;
}

void PaintVisiblePart(TKeloTripDiagramForm& form) {
    QImage image(1200, 600, QImage::Format_RGB32);
    QPainter painter(&image);
    form.ChartPaintBoxPaint(painter, image.rect());
}

void BM_OpenDiagramWindow(benchmark::State& state) {
    const std::string number = BusiestKelo();
    const std::vector<std::string> line = LineOf(MakeBuiltInSource(), number);
    for (auto _ : state) {
        TKeloTripDiagramForm form(nullptr, number, line);
        PaintVisiblePart(form);
    }
}
BENCHMARK(BM_OpenDiagramWindow)->Unit(benchmark::kMillisecond);

void BM_SelectionClick(benchmark::State& state) {
    const std::string number = BusiestKelo();
    TKeloTripDiagramForm form(nullptr, number, LineOf(MakeBuiltInSource(), number));
    const int kelos = int(form.Diagram().KeloViews().size());
    int next = 0;
    for (auto _ : state) {
        next = (next + 1) % kelos;
        form.State().selectedKelo = next;
        form.ApplyKeloSelection();
        PaintVisiblePart(form);
    }
}
BENCHMARK(BM_SelectionClick)->Unit(benchmark::kMillisecond);

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
