// The kelo choice dialog of the diagram window: which kelos the chart shows, and which one
// is selected.

#include "TKeloTripDiagramForm.h"

#include "KeloQtText.h"
#include "TKeloTripSwitchDialogForm.h"

#include <QTreeWidget>

namespace {

constexpr int KeloIndexRole = Qt::UserRole;

} // namespace

void TKeloTripDiagramForm::OpenKeloChoice() {
    KeloKeloSetPtrClass kelos = diagram->GetEditBuffer()->GetKeloSet();
    auto& views = diagram->KeloViews();
    std::vector<KeloSwitchRowType> rows;
    for (int i = 0; i < kelos->GetCount(); ++i) {
        KeloKeloPtrClass kelo = kelos->GetItem(i);
        if (kelo.IsNull())
            return;
        KeloSwitchRowType row;
        row.keloIndex = i;
        row.checked = i < int(views.size()) && views[std::size_t(i)].visible;
        row.time = KeloTimeAtSelectedStop(kelo);
        row.name = kelo->GetName();
        row.number = kelo->GetNumber();
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
    keloListRebuilding = true;
    for (const auto& [index, checked] : dialog.Checks()) {
        if (index < 0 || index >= int(views.size()))
            continue;
        SetKeloVisible(index, checked);
        if (QTreeWidgetItem* row = FindKeloListItem(index))
            row->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
    }
    keloListRebuilding = false;
    const int picked = dialog.FirstSelectedKelo();
    if (picked >= 0 && picked < kelos->GetCount()) {
        State().selectedKelo = picked;
        ApplyKeloSelection();
        if (views[std::size_t(picked)].visible)
            diagram->ScrollToKelo(picked);
    } else {
        diagram->BuildScene();
    }
}
