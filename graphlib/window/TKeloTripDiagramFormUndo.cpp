// The diagram window's side of the editing document: showing what a command changed, and
// the undo and redo items of both popup menus.
#include "TKeloTripDiagramForm.h"

#include "KeloQtText.h"
#include "TKeloTripDiagramKeloListModel.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

void TKeloTripDiagramForm::SetKeloVisible(const std::string& number, bool visible) {
    const int index = ChartPosition(number);
    if (index >= 0 && index < int(diagram->KeloViews().size()))
        diagram->KeloViews()[std::size_t(index)].visible = visible;
    document->SetVisible(number, visible);
    keloListModel->UpdateMarks(number);
}

void TKeloTripDiagramForm::RebuildKeloEntries() {
    auto& views = diagram->KeloViews();
    views.clear();
    chartPositions.clear();
    chartNumbers = document->KeloNumbers();
    for (const std::string& number : chartNumbers) {
        chartPositions[number] = std::int32_t(views.size());
        diagram->AppendKeloView();
        const KeloDocumentKeloEntryType entry = document->Entry(number);
        views.back().visible = entry.visible;
        views.back().penStyle = entry.penStyle;
    }
}

std::int32_t TKeloTripDiagramForm::ChartPosition(const std::string& number) const {
    auto found = chartPositions.find(number);
    return found == chartPositions.end() ? -1 : found->second;
}

void TKeloTripDiagramForm::ApplyDocumentChange(const KeloDocumentChangeType& change,
                                               bool scrollToSelected) {
    if (change.reset) {
        // After a discard or a reload any kelo may differ; entries keep their ticks by number.
        RebuildKeloEntries();
        FillKeloList();
        RefreshKeloDetails();
    } else if (!change.IsEmpty()) {
        // One path each for a kelo that came, went or changed; the list sorts each row in.
        keloListRebuilding = true;
        for (const std::string& number : change.removed)
            keloListModel->RemoveKelo(number);
        for (const std::string& number : change.added)
            keloListModel->AddKelo(number);
        for (const std::string& number : change.changed)
            keloListModel->UpdateKelo(number);
        keloListRebuilding = false;
        if (!change.added.empty() || !change.removed.empty()) {
            // Kelos that came or went move the chart's positions: its entries follow the
            // document and the picture is drawn anew.
            RebuildKeloEntries();
            ApplyKeloSelection();
        } else {
            // Only these kelos' lines changed: the picture redoes them alone.
            std::vector<int> changed;
            for (const std::string& number : change.changed)
                changed.push_back(ChartPosition(number));
            ShowSelectedKelo(&changed);
        }
        if (scrollToSelected)
            ScrollToShownKelo(document->Selected());
    }
    FollowClashes(change);
    UpdateUndoActions();
}

QString TKeloTripDiagramForm::StepText(const KeloDocumentStepNameType& step) const {
    const char* what = "";
    switch (step.kind) {
    case KeloDocumentStepKind::Move:
        what = "перенос рейса";
        break;
    case KeloDocumentStepKind::Invert:
        what = "инвертирование рейса";
        break;
    case KeloDocumentStepKind::Copy:
        what = "создание копии рейса";
        break;
    case KeloDocumentStepKind::Delete:
        what = "удаление рейса";
        break;
    case KeloDocumentStepKind::EditTimetable:
        what = "изменение расписания рейса";
        break;
    case KeloDocumentStepKind::ChangeEntry:
        what = "изменение времени рейса";
        break;
    case KeloDocumentStepKind::InsertStop:
        what = "вставка остановки в рейс";
        break;
    case KeloDocumentStepKind::AppendStop:
        what = "добавление остановки в рейс";
        break;
    case KeloDocumentStepKind::RemoveStop:
        what = "удаление остановки рейса";
        break;
    case KeloDocumentStepKind::Recalculate:
        what = "пересчёт рейса по скорости";
        break;
    case KeloDocumentStepKind::Series:
        what = "создание серии рейсов";
        break;
    }
    return U(what) + " " + KeloToQString(step.number);
}

void TKeloTripDiagramForm::CreateUndoActions() {
    undoAction = new QAction(U("Отменить действие"), this);
    undoAction->setObjectName("UndoAction");
    undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoAction = new QAction(U("Повторить действие"), this);
    redoAction->setObjectName("RedoAction");
    redoAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    // Keys work anywhere in this window, and only in the active one of several.
    for (QAction* action : {undoAction, redoAction}) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
    }
    connect(undoAction, &QAction::triggered, this, &TKeloTripDiagramForm::UndoActionExecute);
    connect(redoAction, &QAction::triggered, this, &TKeloTripDiagramForm::RedoActionExecute);
    for (QMenu* menu : {chartPopupMenu, keloListPopupMenu}) {
        QAction* first = menu->actions().value(0);
        menu->insertAction(first, undoAction);
        menu->insertAction(first, redoAction);
        menu->insertSeparator(first);
    }
    UpdateUndoActions();
}

void TKeloTripDiagramForm::UpdateUndoActions() {
    if (undoAction == nullptr)
        return;
    const auto name = [this](QAction* action, const char* caption,
                             const std::optional<KeloDocumentStepNameType>& step) {
        const QString text = step ? U(caption) + ": " + StepText(*step) : U(caption);
        action->setText(text);
        action->setStatusTip(text);
        action->setToolTip(text);
        action->setEnabled(step.has_value());
    };
    name(undoAction, "Отменить действие",
         document ? document->UndoName() : std::optional<KeloDocumentStepNameType>());
    name(redoAction, "Повторить действие",
         document ? document->RedoName() : std::optional<KeloDocumentStepNameType>());
}

void TKeloTripDiagramForm::UndoActionExecute() {
    if (!document->CanUndo())
        return;
    ApplyDocumentChange(document->Undo());
}

void TKeloTripDiagramForm::RedoActionExecute() {
    if (!document->CanRedo())
        return;
    ApplyDocumentChange(document->Redo());
}
