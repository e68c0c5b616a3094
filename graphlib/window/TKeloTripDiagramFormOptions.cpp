// The diagram window's options dialog: load the window's settings, apply the confirmed ones.

#include "TKeloTripDiagramForm.h"

#include "TKeloTripDiagramOptionsForm.h"

void TKeloTripDiagramForm::SetupMenuItemClick() {
    const TripDiagramDisplayOptionsType current = diagram->GetDisplayOptions();
    TKeloTripDiagramOptionsForm dialog(this);
    dialog.SetShowForward(current.showForward);
    dialog.SetShowBackward(current.showBackward);
    dialog.SetShowInOutMarks(current.showInOutMarks);
    dialog.SetShowGrid(current.showGrid);
    dialog.SetBaseSpeed(current.baseSpeed);
    dialog.SetBaseAngle(current.baseAngle);
    dialog.SetViewScale(current.zoom);
    dialog.SetMonoColor(current.monoColor);
    dialog.SetGridColor(current.gridColor);
    dialog.SetSelectedColor(current.keloSelectedColor);
    dialog.SetCommonColor(current.keloCommonColor);
    if (dialog.exec() != QDialog::Accepted)
        return;

    TripDiagramDisplayOptionsType chosen = current;
    chosen.showForward = dialog.GetShowForward();
    chosen.showBackward = dialog.GetShowBackward();
    chosen.showInOutMarks = dialog.GetShowInOutMarks();
    chosen.showGrid = dialog.GetShowGrid();
    chosen.monoColor = dialog.GetMonoColor();
    chosen.gridColor = dialog.GetGridColor();
    chosen.keloCommonColor = dialog.GetCommonColor();
    chosen.keloSelectedColor = dialog.GetSelectedColor();
    chosen.baseSpeed = dialog.GetBaseSpeed();
    chosen.baseAngle = dialog.GetBaseAngle();
    chosen.zoom = dialog.GetViewScale();
    // The dialog has checked the values; the diagram applies them in its own order.
    diagram->ApplyDisplayOptions(chosen);
    FillKeloList(); // the colour squares follow
}
