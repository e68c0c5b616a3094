#include "TKeloTripTimeTableDialogForm.h"

#include "KeloChoiceRules.h"
#include "KeloMessageBoxes.h"
#include "KeloQtText.h"
#include "KeloTimetableArithmetic.h"
#include "LegTimeAtSpeed.h"
#include "TZoFormStorage.h"
#include "TZoStringStorage.h"

#include <QAction>
#include <QEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

TKeloTripTimeTableDialogForm::TKeloTripTimeTableDialogForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint) {
    setObjectName(QStringLiteral("KeloTripTimeTableDialogForm"));
    setSizeGripEnabled(true);
    resize(591, 408);

    ChainListView = new QTreeWidget(this);
    ChainListView->setObjectName(QStringLiteral("ChainListView"));
    ChainListView->setRootIsDecorated(false);
    ChainListView->setUniformRowHeights(true);
    ChainListView->setSelectionMode(QAbstractItemView::SingleSelection);
    ChainListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ChainListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ChainListView->setHeaderLabels({U("Название"), U("Код"), U("Прибытие"), U("Отправление"),
                                    U("Стоянка"), U("Скорость"), U("Расстояние")});
    ChainListView->header()->setStretchLastSection(false);
    ChainListView->setColumnWidth(NameColumn, 340);
    ChainListView->setColumnWidth(CodeColumn, 83);
    // The other columns as wide as their captions.
    for (int column = ArrivalColumn; column <= DistanceColumn; ++column)
        ChainListView->setColumnWidth(column, ChainListView->header()->sectionSizeHint(column));
    // Wide enough to show every column at the font in use, within the screen.
    int columns = 0;
    for (int column = NameColumn; column <= DistanceColumn; ++column)
        columns += ChainListView->columnWidth(column);
    int room = columns + 48; // the scroll bar, the frames and the margins
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        room = std::min(room, screen->availableGeometry().width() - 40);
    resize(std::max(width(), room), height());
    ChainListView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ChainListView, &QTreeWidget::itemDoubleClicked, this,
            [this] { ChangeInfoActionExecute(); });

    Panel = new QWidget(this);
    Panel->setObjectName(QStringLiteral("Panel"));
    Panel->setFixedHeight(41);
    // The panel's tag: the gap beside and between the buttons.
    Panel->setProperty("tag", 10);
    Panel->installEventFilter(this);
    NextButton = new QPushButton(QStringLiteral("Ok"), Panel);
    NextButton->setObjectName(QStringLiteral("NextButton"));
    NextButton->setGeometry(416, 8, 75, 25);
    NextButton->setDefault(true);
    connect(NextButton, &QPushButton::clicked, this, [this] {
        // A kelo with fewer than two stops is drawn on no diagram: say so before it is kept.
        if (schedule.IsNull() || schedule->GetCount() >= 2 ||
            KeloAskYesNo(U("В расписании рейса меньше двух остановок: рейс не будет виден на "
                           "диаграмме. Сохранить такое расписание?"),
                         this))
            accept();
    });
    CancelButton = new QPushButton(U("Отмена"), Panel);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setGeometry(506, 8, 75, 25);
    CancelButton->setAutoDefault(false);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ChainListView, 1);
    layout->addWidget(Panel);

    ZoStringStorage = new TZoStringStorage(
        {U("Расписание рейса № "), U("Выбор рейса"), U("Перенос рейса"), U("Инвертирование рейса"),
         U("Создание копии рейса"), U("Некорректное значение времени (более суток). Участок  ")},
        this);
    ZoStringStorage->setObjectName(QStringLiteral("ZoStringStorage"));
    FormStorage = new TZoFormStorage(this, {QStringLiteral("ChainListView.Columns")});
    FormStorage->setObjectName(QStringLiteral("FormStorage"));

    CreatePopupMenu();

    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

// The list's rows hold nothing of the data; the data handles go before the caller's buffer.
TKeloTripTimeTableDialogForm::~TKeloTripTimeTableDialogForm() = default;

void TKeloTripTimeTableDialogForm::CreatePopupMenu() {
    ChainPopupMenu = new QMenu(this);
    ChainPopupMenu->setObjectName(QStringLiteral("ChainPopupMenu"));
    auto add = [this](const char* name, const char* caption,
                      void (TKeloTripTimeTableDialogForm::*handler)()) {
        QAction* action = ChainPopupMenu->addAction(U(caption));
        action->setObjectName(QString::fromLatin1(name));
        if (handler != nullptr)
            connect(action, &QAction::triggered, this, handler);
        return action;
    };
    using F = TKeloTripTimeTableDialogForm;
    ChangeInfoAction = add("ChangeInfoAction", "Изменить расписание", &F::ChangeInfoActionExecute);
    UpdateBySpeedAction =
        add("UpdateBySpeedAction", "Пересчитать по скорости", &F::UpdateBySpeedActionExecute);
    ChainPopupMenu->addSeparator();
    MoveAction = add("MoveAction", "Перенести рейс", &F::MoveActionExecute);
    InvertAction = add("InvertAction", "Инвертировать", &F::InvertActionExecute);
    // Copying belongs to the diagram window; the item stays hidden here.
    CopyAction = add("CopyAction", "Создать копию рейса", nullptr);
    CopyAction->setVisible(false);
    CopyAction->setEnabled(false);
    ChainPopupMenu->addSeparator();
    DeleteStopAction = add("DeleteStopAction", "Удалить ост.пункт", &F::DeleteStopActionExecute);
    InsertStopAction = add("InsertStopAction", "Вставить ост.пункт", &F::InsertStopActionExecute);
    AppendStopAction = add("AppendStopAction", "Добавить ост.пункт", &F::AppendStopActionExecute);

    connect(ChainListView, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        ChainPopupMenuPopup();
        ChainPopupMenu->popup(ChainListView->viewport()->mapToGlobal(p));
    });
}

void TKeloTripTimeTableDialogForm::ChainPopupMenuPopup() {
    const bool rowSelected = ChainListView->topLevelItemCount() > 0 && SelectedRow() >= 0;
    ChangeInfoAction->setEnabled(rowSelected);
    UpdateBySpeedAction->setEnabled(rowSelected);
    DeleteStopAction->setEnabled(rowSelected);
    InsertStopAction->setEnabled(rowSelected);
    MoveAction->setEnabled(true);
    InvertAction->setEnabled(true);
    AppendStopAction->setEnabled(true);
}

bool TKeloTripTimeTableDialogForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Panel && event->type() == QEvent::Resize)
        PanelResize();
    return QDialog::eventFilter(watched, event);
}

void TKeloTripTimeTableDialogForm::PanelResize() {
    KeloPlacePanelButtons(Panel, NextButton, CancelButton, Panel->property("tag").toInt());
}

bool TKeloTripTimeTableDialogForm::SetKelo(int index, KeloDataPtrClass source) {
    keloIndex = index;
    data = source;
    keloSet = data->GetKeloSet();
    stopSet = data->GetStopSet();
    topology = data->GetTopology();
    if (index < 0 || index >= keloSet->GetCount())
        return false;
    kelo = keloSet->GetItem(index);
    if (kelo.IsNull())
        return false;
    schedule = kelo->GetSchedule();
    return FillChainList();
}

bool TKeloTripTimeTableDialogForm::FillChainList() {
    ChainListView->setUpdatesEnabled(false);
    ChainListView->clear();
    bool filled = true;
    try {
        const std::int32_t count = schedule->GetCount();
        QList<QTreeWidgetItem*> rows;
        for (std::int32_t j = 0; j < count; ++j) {
            KeloStopSchedulePtrClass entry = schedule->GetItem(j);
            KeloStopPtrClass stop = entry->GetStop();
            const KeloTimeType arrival = entry->GetArrival();
            const KeloTimeType stay = entry->GetStay();
            auto* row = new QTreeWidgetItem();
            row->setText(NameColumn, KeloToQString(stop->GetName()));
            row->setText(CodeColumn, KeloToQString(stop->GetCode()));
            row->setText(ArrivalColumn, KeloClockText(arrival));
            row->setText(DepartureColumn, KeloClockText(arrival + stay));
            row->setText(StayColumn, KeloTimeText(stay));
            rows << row;
        }
        ChainListView->addTopLevelItems(rows);
        for (std::int32_t j = 0; j + 1 < count; ++j)
            FillRunColumns(j);
    } catch (const std::exception&) {
        filled = false;
    }
    ChainListView->setUpdatesEnabled(true);
    return filled;
}

void TKeloTripTimeTableDialogForm::FillRunColumns(int j) {
    QTreeWidgetItem* row = Row(j);
    if (row == nullptr)
        return;
    if (j + 1 >= schedule->GetCount()) {
        row->setText(SpeedColumn, QString());
        row->setText(DistanceColumn, QString());
        return;
    }
    const KeloRunType run = MeasureKeloRun(*schedule, j, *topology);
    row->setText(SpeedColumn, KeloFormatDecimal(run.speed, 1, QLocale()));
    row->setText(DistanceColumn, KeloFormatDecimal(run.distance, 1, QLocale()));
}

bool TKeloTripTimeTableDialogForm::LegTimeAtSpeed(int j, double speed, KeloTimeType& duration) {
    const KeloLegTimeType leg = ::LegTimeAtSpeed(*topology, StopCode(j), StopCode(j + 1), speed);
    if (!leg.linked)
        return false;
    if (leg.longerThanDay)
        ShowLongRunWarning(j);
    duration = leg.duration;
    return true;
}

void TKeloTripTimeTableDialogForm::ShowLongRunWarning(int j) {
    KeloShowWarning(ZoStringStorage->Line(LongRunWarning) +
                        KeloToQString(schedule->GetItem(j)->GetStop()->GetName()) + "-" +
                        KeloToQString(schedule->GetItem(j + 1)->GetStop()->GetName()) + ".",
                    this);
}

QTreeWidgetItem* TKeloTripTimeTableDialogForm::Row(int j) const {
    return ChainListView->topLevelItem(j);
}

std::string TKeloTripTimeTableDialogForm::StopCode(int j) {
    return schedule->GetItem(j)->GetStop()->GetCode();
}

int TKeloTripTimeTableDialogForm::SelectedRow() const {
    const QList<QTreeWidgetItem*> selected = ChainListView->selectedItems();
    return selected.isEmpty() ? -1 : ChainListView->indexOfTopLevelItem(selected.first());
}

void TKeloTripTimeTableDialogForm::SelectRow(int row) {
    if (QTreeWidgetItem* item = Row(row)) {
        ChainListView->setCurrentItem(item);
        ChainListView->scrollToItem(item);
    }
}
