// The diagram window's clash panel: shown from the chart's popup menu, refreshed with the
// picture, and a double-clicked clash brought into view.

#include "TKeloTripDiagramForm.h"

#include "TKeloTripDiagramClashPanel.h"

#include <QAction>
#include <QLayout>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QTreeWidget>
#include <algorithm>

void TKeloTripDiagramForm::CreateClashPanel() {
    clashPanel = new TKeloTripDiagramClashPanel(this);
    clashPanel->setVisible(false);
    clashPanel->setMinimumHeight(120);
    layout()->addWidget(clashPanel);

    clashAction = new QAction(QString::fromUtf8("Показать конфликты"), chartPopupMenu);
    clashAction->setObjectName("ShowClashesMenuItem");
    clashAction->setCheckable(true);
    // With the other display switches, before the separator above the options item.
    const QList<QAction*> actions = chartPopupMenu->actions();
    const auto setup = std::find_if(actions.begin(), actions.end(), [](QAction* action) {
        return action->objectName() == "SetupMenuItem";
    });
    chartPopupMenu->insertAction(setup != actions.begin() ? *(setup - 1) : nullptr, clashAction);

    connect(clashAction, &QAction::toggled, this, [this](bool show) {
        clashPanel->setVisible(show);
        diagram->SetShowClashes(show);
        RefreshClashPanel();
        diagram->BuildScene();
    });
    connect(clashPanel, &TKeloTripDiagramClashPanel::MinimumIntervalChanged, this,
            [this](int minutes) {
                diagram->SetClashMinimumInterval(minutes);
                if (!clashPanel->isVisible())
                    return;
                clashPanel->ShowClashes(diagram->GetClashes().GetClashList(), stopNames);
                diagram->BuildScene();
            });
    connect(clashPanel, &TKeloTripDiagramClashPanel::ClashActivated, this,
            &TKeloTripDiagramForm::ShowClash);
}

void TKeloTripDiagramForm::RefreshClashPanel() {
    if (clashPanel == nullptr || !clashAction->isChecked())
        return;
    diagram->RefreshClashes();
    clashPanel->ShowClashes(diagram->GetClashes().GetClashList(), stopNames);
}

void TKeloTripDiagramForm::FollowClashes(const KeloDocumentChangeType& change) {
    if (clashPanel == nullptr || !clashAction->isChecked() || change.IsEmpty())
        return;
    if (change.reset) {
        diagram->RefreshClashes();
    } else {
        // Only the kelos the step touched are read again; the index finds their neighbours.
        std::vector<std::string> numbers = change.added;
        numbers.insert(numbers.end(), change.removed.begin(), change.removed.end());
        numbers.insert(numbers.end(), change.changed.begin(), change.changed.end());
        diagram->UpdateClashes(numbers);
    }
    clashPanel->ShowClashes(diagram->GetClashes().GetClashList(), stopNames);
    // A mark sits on the kelo at fault, which need not be one the step redrew.
    diagram->BuildScene();
}

void TKeloTripDiagramForm::ShowClash(const TimetableClashType& clash) {
    const int index = diagram->FindKeloIndex(clash.keloA);
    if (index < 0)
        return;
    // A kelo of the hidden direction is ticked, so that it and its mark are drawn.
    if (!document->Entry(clash.keloA).visible)
        KeloListViewChange(clash.keloA, true);
    SelectKelo(clash.keloA);

    const std::vector<std::string>& line = diagram->GetLineStopCodes();
    if (clash.stop < 0 || std::size_t(clash.stop) >= line.size())
        return;
    const int x = diagram->TimeToX(clash.time / 60.0);
    const int y = diagram->DistanceToY(
        diagram->GetDistanceCache().GetStopPosition(line[std::size_t(clash.stop)]));
    scrollBox->ensureVisible(x, y, scrollBox->viewport()->width() / 2,
                             scrollBox->viewport()->height() / 2);
}
