#include "KeloBenchSupport.h"

#include "KeloDemoDataClass.h"
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

std::vector<std::string> KeloLineOf(KeloDataPtrClass source, const std::string& number) {
    std::vector<std::string> codes;
    KeloKeloSchedulePtrClass schedule = source->FindKelo(number)->GetSchedule();
    for (int i = 0; i < schedule->GetCount(); ++i)
        codes.push_back(schedule->GetItem(i)->GetStop()->GetCode());
    return codes;
}

std::string BusiestBuiltInKelo() {
    KeloDataPtrClass source = MakeBuiltInSource();
    KeloKeloSetPtrClass kelos = source->GetKeloSet();
    std::string busiest;
    int most = 0;
    for (int i = 0; i < kelos->GetCount(); ++i) {
        const std::string number = kelos->GetItem(i)->GetNumber();
        const int offered = MakeBuiltInSource(KeloLineOf(source, number))->GetKeloSet()->GetCount();
        if (offered > most) {
            most = offered;
            busiest = number;
        }
    }
    return busiest;
}

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
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
