// The editing commands of a diagram window on the busiest built-in line, with their modal
// dialogs answered by the program: a move from the menu action to the repainted window, and
// a save of 20 modified kelos from the button to the closing message. Runs headless.

#include "KeloCachedUpdateDataClass.h"
#include "KeloDemoDataClass.h"
#include "KeloTimetableArithmetic.h"
#include "TKeloDiagramChangesForm.h"
#include "TKeloTripDiagramForm.h"
#include "TKeloTripKeloMoveDialogForm.h"
#include "TShortTimePicker.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

namespace {

std::vector<std::string> LineOf(KeloDataPtrClass source, const std::string& number) {
    std::vector<std::string> codes;
    KeloKeloSchedulePtrClass schedule = source->FindKelo(number)->GetSchedule();
    for (int i = 0; i < schedule->GetCount(); ++i)
        codes.push_back(schedule->GetItem(i)->GetStop()->GetCode());
    return codes;
}

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

/// Answers the start-time dialog with `startTime`, and every review and message with yes / OK.
class ProgramAnswers {
public:
    QTime startTime;
    ProgramAnswers() {
        timer.setInterval(0);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr || !modal->isVisible())
                return;
            if (auto* start = qobject_cast<TKeloTripKeloMoveDialogForm*>(modal)) {
                start->TimeStartPicker->SetTime(startTime);
                start->OkButton->click();
            } else if (auto* review = qobject_cast<TKeloDiagramChangesForm*>(modal)) {
                review->OkButton->click();
            } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                box->button(QMessageBox::Ok)->click();
            }
        });
        timer.start();
    }

private:
    QTimer timer;
};

void PaintVisiblePart(TKeloTripDiagramForm& form) {
    QImage image(1200, 600, QImage::Format_RGB32);
    QPainter painter(&image);
    form.ChartPaintBoxPaint(painter, image.rect());
}

void BM_MoveCommand(benchmark::State& state) {
    const std::string number = BusiestKelo();
    TKeloTripDiagramForm form(nullptr, number, LineOf(MakeBuiltInSource(), number));
    form.show();
    QAction* move = form.KeloListViewPopupMenu()->findChild<QAction*>("KeloMoveAction");
    ProgramAnswers answers;
    int flip = 0;
    for (auto _ : state) {
        answers.startTime = (++flip % 2) ? QTime(6, 15) : QTime(7, 45);
        move->trigger();
        PaintVisiblePart(form);
    }
}
BENCHMARK(BM_MoveCommand)->Unit(benchmark::kMillisecond);

void BM_SaveTwentyModifiedKelos(benchmark::State& state) {
    const std::string number = BusiestKelo();
    TKeloTripDiagramForm form(nullptr, number, LineOf(MakeBuiltInSource(), number));
    form.show();
    ProgramAnswers answers;
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
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
