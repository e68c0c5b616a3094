#include "KeloBenchSupport.h"

#include "TKeloDiagramChangesForm.h"
#include "TKeloTripDiagramForm.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>

void PaintVisiblePart(TKeloTripDiagramForm& form, int x, int y) {
    QImage image(VisibleWidth, VisibleHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.translate(-x, -y);
    form.ChartPaintBoxPaint(painter, QRect(x, y, VisibleWidth, VisibleHeight));
}

ModalAnswers::ModalAnswers(std::function<bool(QWidget*)> special) {
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [special = std::move(special)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible())
            return;
        if (special && special(modal))
            return;
        if (auto* review = qobject_cast<TKeloDiagramChangesForm*>(modal))
            review->OkButton->click();
        else if (auto* box = qobject_cast<QMessageBox*>(modal))
            box->button(QMessageBox::Ok)->click();
    });
    timer.start();
}

void TimeStationTimetableFromMenu(benchmark::State& state, QMdiArea& area,
                                  TKeloTripDiagramForm& form) {
    QAction* item = form.ChartPopupMenu()->findChild<QAction*>("PrintStopInfoMenuItem");
    for (auto _ : state) {
        item->trigger();
        state.PauseTiming();
        QMdiSubWindow* preview = area.subWindowList(QMdiArea::CreationOrder).last();
        if (preview->widget() == &form) {
            state.SkipWithError("no preview opened");
            break;
        }
        delete preview;
        state.ResumeTiming();
    }
}

int RunQtBenchmarks(int argc, char** argv) {
    KeloUseHeadlessPlatform();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
