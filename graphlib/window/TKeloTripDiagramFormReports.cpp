// The report commands of the diagram window's chart popup menu.

#include "TKeloTripDiagramForm.h"

#include "KeloReportGenerators.h"

#include <QAction>
#include <QMdiArea>
#include <QMenu>

namespace {

// The MDI area the window lives in, so that previews open beside it; null when it has none.
QMdiArea* MdiAreaOf(QWidget* widget) {
    for (QWidget* w = widget->parentWidget(); w != nullptr; w = w->parentWidget())
        if (auto* area = qobject_cast<QMdiArea*>(w))
            return area;
    return nullptr;
}

} // namespace

void TKeloTripDiagramForm::CreateReportCommands() {
    if (auto* item = chartPopupMenu->findChild<QAction*>("PrintTripInfoMenuItem"))
        connect(item, &QAction::triggered, this, &TKeloTripDiagramForm::PrintTripInfoMenuItemClick);
    if (auto* item = chartPopupMenu->findChild<QAction*>("PrintStopInfoMenuItem"))
        connect(item, &QAction::triggered, this, &TKeloTripDiagramForm::PrintStopInfoMenuItemClick);
}

void TKeloTripDiagramForm::PrintTripInfoMenuItemClick() {
    const int index = State().selectedKelo;
    KeloKeloSetPtrClass kelos = EditBuffer()->GetKeloSet();
    if (index < 0 || index >= kelos->GetCount())
        return;
    KeloKeloPtrClass kelo = kelos->GetItem(index);
    GenerateTripInfoReport(EditBuffer(), kelo->GetNumber(), kelo->GetName(), MdiAreaOf(this));
}

void TKeloTripDiagramForm::PrintStopInfoMenuItemClick() {
    const int index = State().selectedStop;
    KeloStopSetPtrClass stops = diagram->GetView()->GetStopSet();
    if (index < 0 || index >= stops->GetCount())
        return;
    KeloStopPtrClass stop = stops->GetItem(index);
    GenerateStopInfoReport(EditBuffer(), stop->GetCode(), stop->GetName(), MdiAreaOf(this));
}
