// The diagram window's side of the editing document: showing what a command changed, and
// the undo and redo items of both popup menus.
#include "TKeloTripDiagramForm.h"

#include "KeloQtText.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

void TKeloTripDiagramForm::SetKeloVisible(int index, bool visible) {
    diagram->KeloViews()[std::size_t(index)].visible = visible;
    document->SetVisible(diagram->GetEditBuffer()->GetKeloSet()->GetItem(index)->GetNumber(),
                         visible);
}

void TKeloTripDiagramForm::SyncDocument() {
    // The ticks reach the document as they change; only the selection is told here.
    const int selected = State().selectedKelo;
    KeloKeloSetPtrClass kelos = diagram->GetEditBuffer()->GetKeloSet();
    document->Select(selected >= 0 && selected < kelos->GetCount()
                         ? kelos->GetItem(selected)->GetNumber()
                         : std::string());
}

void TKeloTripDiagramForm::RebuildKeloEntries() {
    auto& views = diagram->KeloViews();
    views.clear();
    for (const std::string& number : document->KeloNumbers()) {
        diagram->AppendKeloView();
        const KeloDocumentKeloEntryType entry = document->Entry(number);
        views.back().visible = entry.visible;
        views.back().penStyle = entry.penStyle;
    }
    State().selectedKelo = document->IndexOf(document->Selected());
    FillKeloList();
}

void TKeloTripDiagramForm::ApplyDocumentChange(const KeloDocumentChangeType& change) {
    if (change.reset) {
        // After a save or a discard any kelo may differ; entries keep their ticks by number.
        RebuildKeloEntries();
        // A selected kelo that is gone hands the selection to the row the list shows as current.
        if (State().selectedKelo < 0)
            State().selectedKelo = SelectedRowKelo();
        RefreshKeloDetails();
    } else if (!change.IsEmpty()) {
        // Kelos that came or went move the positions of others: everything is laid out again
        // from the document, by number, instead of shifting indices.
        const int selected = document->IndexOf(change.selected);
        if (!change.added.empty() || !change.removed.empty()) {
            RebuildKeloEntries();
            ShowChangedKelo(selected);
        } else {
            std::vector<int> changed;
            for (const std::string& number : change.changed) {
                changed.push_back(document->IndexOf(number));
                RefreshKeloRow(changed.back());
            }
            // Only these kelos' lines changed: the picture redoes them alone.
            State().selectedKelo = selected;
            ShowSelectedKelo(&changed);
            ScrollToShownKelo(selected);
        }
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
    SyncDocument();
    ApplyDocumentChange(document->Undo());
}

void TKeloTripDiagramForm::RedoActionExecute() {
    if (!document->CanRedo())
        return;
    SyncDocument();
    ApplyDocumentChange(document->Redo());
}
