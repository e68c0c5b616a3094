// The kelo choice dialog of the diagram window: which kelos the chart shows, and which one
// is selected.

#include "TKeloTripDiagramForm.h"

#include "KeloQtText.h"
#include "TKeloTripSwitchDialogForm.h"

void TKeloTripDiagramForm::OpenKeloChoice() {
    KeloKeloSetPtrClass kelos = diagram->GetEditBuffer()->GetKeloSet();
    std::vector<KeloSwitchRowType> rows;
    for (int i = 0; i < kelos->GetCount(); ++i) {
        KeloKeloPtrClass kelo = kelos->GetItem(i);
        if (kelo.IsNull())
            return;
        KeloSwitchRowType row;
        row.keloIndex = i;
        row.name = kelo->GetName();
        row.number = kelo->GetNumber();
        row.checked = document->Entry(row.number).visible;
        row.time = KeloTimeAtSelectedStop(kelo);
        KeloKeloSchedulePtrClass schedule = kelo->GetSchedule();
        if (const int count = schedule->GetCount(); count > 0) {
            row.departure = KeloClockText(schedule->GetItem(0)->GetArrival());
            row.arrival = KeloClockText(schedule->GetItem(count - 1)->GetArrival());
        }
        row.distance = KeloFormatDecimal(kelo->GetDistance(), 1);
        row.speed = KeloFormatDecimal(kelo->GetAverageSpeed(), 1);
        rows.push_back(row);
    }
    TKeloTripSwitchDialogForm dialog(window());
    dialog.AddRows(rows);
    if (dialog.exec() != QDialog::Accepted)
        return;

    // Ticks first, with one rebuild of the chart, then the selection.
    for (const auto& [index, checked] : dialog.Checks())
        if (index >= 0 && index < int(rows.size()))
            SetKeloVisible(rows[std::size_t(index)].number, checked);
    const int picked = dialog.FirstSelectedKelo();
    if (picked >= 0 && picked < int(rows.size())) {
        const std::string& number = rows[std::size_t(picked)].number;
        document->Select(number);
        ApplyKeloSelection();
        ScrollToShownKelo(number);
    } else {
        diagram->BuildScene();
    }
}
