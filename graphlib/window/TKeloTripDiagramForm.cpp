#include "TKeloTripDiagramForm.h"

#include "KeloCachedUpdateDataClass.h"
#include "KeloChangeFeedClass.h"
#include "KeloEmptyAreaDoubleClick.h"
#include "KeloMessageBoxes.h"
#include "KeloQtText.h"
#include "TKeloGtfsExportDialog.h"
#include "TKeloListOrderProxyModel.h"
#include "TKeloPlainTextItemDelegate.h"
#include "TKeloTripDiagramClashPanel.h"
#include "TKeloTripDiagramKeloListModel.h"
#include "TZoFormStorage.h"
#include "TZoStringStorage.h"
#include "TripDiagramPaintBox.h"
#include "ZoCanvasTileCacheClass.h"
#include "ZoQtDrawingSurfaceClass.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <initializer_list>

namespace {

QFrame* SunkenPanel(const char* name, QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    return panel;
}

QLabel* Label(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

} // namespace

void TKeloTripDiagramCanvasEventHandlerClass::OnItemMouseDown(std::uint32_t id, int button,
                                                              std::int32_t, std::int32_t) {
    form.OnChartItemMouseDown(id, button);
}

TKeloTripDiagramForm::TKeloTripDiagramForm(QWidget* owner, const std::string& keloNumber,
                                           const std::vector<std::string>& lineStopCodes,
                                           KeloDataPtrClass bottom)
    : QWidget(owner) {
    Construct(keloNumber, lineStopCodes, &bottom);
}

TKeloTripDiagramForm::~TKeloTripDiagramForm() {
    // The window may go without being hidden first (its MDI frame closing): keep its state.
    if (formStorage != nullptr)
        formStorage->SaveIfUnsaved();
    // The canvas must not call back into a half-destroyed window.
    if (diagram)
        diagram->GetCanvas().SetEventHandler(nullptr);
    // The base destructor hides the child widgets after the document has gone, and a list
    // laid out then would read it: the list lets go of its model first.
    if (keloListView != nullptr)
        keloListView->setModel(nullptr);
}

void TKeloTripDiagramForm::Construct(const std::string& keloNumber,
                                     const std::vector<std::string>& lineStopCodes,
                                     const KeloDataPtrClass* bottom) {
    setObjectName("TripDiagramForm");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(U("Диаграмма рейсов"));
    setMinimumSize(754, 468);
    // Room for both lists' columns, the hints and the buttons at the usual font; the lists
    // and the splitters below are sized to match.
    resize(DefaultSize);

    stringStorage = new TZoStringStorage(this);
    stringStorage->setObjectName("ZoStringStorage");
    stringStorage->SetLines({U("Перенос рейса"), U("Инвертирование рейса"),
                             U("Создание копии рейса"), U("Отменить все изменения?"),
                             U("Сохранить выбранные изменения?"),
                             U("Отменить выбранные изменения?"), U("Изменения отсутствуют."),
                             U("Удалить рейс?"), U("Изменения успешно сохранены.")});

    CreateControls();
    CreateChartPopupMenu();
    CreateKeloListPopupMenu();
    CreateReportCommands();
    CreateClashPanel();
    CreateUndoActions();

    // Measures texts on the paint area's font; painting goes through the paint event.
    measureSurface = std::make_unique<ZoQtDrawingSurfaceClass>(paintBox->font());
    chartTiles = std::make_unique<ZoCanvasTileCacheClass>();
    diagram = std::make_unique<TripDiagramClass>(static_cast<TripDiagramHostClass&>(*this),
                                                 *measureSurface);
    document = std::make_unique<KeloDiagramDocumentClass>(*bottom, lineStopCodes, keloNumber);
    diagram->Create(keloNumber, lineStopCodes, document->Stack());
    // The document keeps the ticks the diagram starts with (forward kelos only).
    chartNumbers = document->KeloNumbers();
    for (std::size_t i = 0; i < chartNumbers.size(); ++i) {
        document->SetVisible(chartNumbers[i], diagram->KeloViews()[i].visible);
        chartPositions[chartNumbers[i]] = std::int32_t(i);
    }
    CreateKeloList();

    KeloDataPtrClass buffer = diagram->GetEditBuffer();
    for (const std::string& code : lineStopCodes) {
        KeloStopPtrClass stop = buffer->FindStop(code);
        stopNames.push_back(stop.IsNull() ? code : stop->GetName());
    }

    FillKeloList();
    diagram->BuildScene();
    // Over a shared store, what other planners save shows here within about two seconds.
    if (KeloChangeFeedClass* feed = KeloFindChangeFeed(diagram->GetBottom())) {
        feed->TakeChangedKelos();
        auto* othersTimer = new QTimer(this);
        othersTimer->setObjectName("OthersChangesTimer");
        connect(othersTimer, &QTimer::timeout, this, &TKeloTripDiagramForm::RefreshOthersChanges);
        othersTimer->start(1000);
    }
    if (State().selectedKelo != -1)
        diagram->ScrollToKelo(State().selectedKelo);
    canvasHandler = std::make_unique<TKeloTripDiagramCanvasEventHandlerClass>(*this);
    diagram->GetCanvas().SetEventHandler(canvasHandler.get());
    hintTimeValue->clear();
    hintToValue->clear();
    hintFromValue->clear();

    formStorage =
        new TZoFormStorage(this, {"KeloListView.Columns", "KeloListView.Width",
                                  "TimetableListView.Left", "TimetableListView.Columns",
                                  "TimetableListView.Width", "EditPanel.Top", "EditPanel.Height"});
    formStorage->setObjectName("FormStorage");
    formStorage->SetSection("TKeloTripDiagramForm");
    clashPanel->KeepSettingIn(*formStorage);

    FormCreate();
}

void TKeloTripDiagramForm::CreateControls() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    horizSplitter = new QSplitter(Qt::Vertical, this);
    horizSplitter->setObjectName("HorizSplitter");
    horizSplitter->setHandleWidth(3);
    horizSplitter->setChildrenCollapsible(false);
    layout->addWidget(horizSplitter);

    scrollBox = new QScrollArea(horizSplitter);
    scrollBox->setObjectName("ChartScrollBox");
    scrollBox->setBackgroundRole(QPalette::Base);
    QPalette white = scrollBox->palette();
    white.setColor(QPalette::Base, Qt::white);
    white.setColor(QPalette::Window, Qt::white);
    scrollBox->setPalette(white);
    scrollBox->setWidgetResizable(false);
    scrollBox->setMinimumHeight(100);
    paintBox = new TripDiagramPaintBox(*this, scrollBox);
    paintBox->resize(520, 297); // the design size; the diagram sets the real one
    scrollBox->setWidget(paintBox);
    horizSplitter->addWidget(scrollBox);

    editPanel = new QWidget(horizSplitter);
    editPanel->setObjectName("EditPanel");
    auto* editLayout = new QVBoxLayout(editPanel);
    editLayout->setContentsMargins(0, 0, 0, 0);
    editLayout->setSpacing(0);
    editLayout->addWidget(CreateInfoPanel());

    groupToTimetableSplitter = new QSplitter(Qt::Horizontal, editPanel);
    groupToTimetableSplitter->setObjectName("GroupToTimetableSplitter");
    groupToTimetableSplitter->setHandleWidth(3);
    groupToTimetableSplitter->setChildrenCollapsible(false);
    editLayout->addWidget(groupToTimetableSplitter, 1);

    keloListView = new QTreeView(groupToTimetableSplitter);
    keloListView->setObjectName("KeloListView");
    keloListView->setRootIsDecorated(false);
    keloListView->setUniformRowHeights(true);
    keloListView->setAllColumnsShowFocus(true);
    keloListView->setSelectionMode(QAbstractItemView::SingleSelection);
    keloListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    keloListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    keloListView->setSortingEnabled(false);
    keloListView->header()->setSectionsClickable(true);
    keloListView->header()->setSortIndicatorShown(false);
    // Each column at least as wide as its caption at the font in use.
    auto fitCaptions = [](QTreeView* list, std::initializer_list<int> widths) {
        int column = 0;
        for (int designed : widths) {
            list->setColumnWidth(column,
                                 std::max(designed, list->header()->sectionSizeHint(column)));
            ++column;
        }
    };
    keloListView->setContextMenuPolicy(Qt::CustomContextMenu);

    timetableListView = new QTreeWidget(groupToTimetableSplitter);
    timetableListView->setObjectName("TimetableListView");
    timetableListView->setRootIsDecorated(false);
    timetableListView->setUniformRowHeights(true);
    timetableListView->setItemDelegate(new TKeloPlainTextItemDelegate(timetableListView));
    timetableListView->setAllColumnsShowFocus(true);
    timetableListView->setSelectionMode(QAbstractItemView::SingleSelection);
    timetableListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    timetableListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    timetableListView->setHeaderLabels(
        {U("Пункт"), U("Приб."), U("Отпр."), U("Ст."), U("Скорость,км/ч"), U("Расстояние")});
    fitCaptions(timetableListView, {130, 45, 45, 45, 45, 45});

    groupToTimetableSplitter->addWidget(keloListView);
    groupToTimetableSplitter->addWidget(timetableListView);
    groupToTimetableSplitter->setStretchFactor(0, 1);
    groupToTimetableSplitter->setStretchFactor(1, 0);
    int timetableWidth = 24; // the scroll bar and the frame
    for (int column = 0; column < 6; ++column)
        timetableWidth += timetableListView->columnWidth(column);
    groupToTimetableSplitter->setSizes({DefaultSize.width() - timetableWidth - 3, timetableWidth});

    horizSplitter->addWidget(editPanel);
    horizSplitter->setStretchFactor(0, 1);
    horizSplitter->setStretchFactor(1, 0);
    horizSplitter->setSizes({DefaultSize.height() - 213 - 3, 213});

    connect(keloListView->header(), &QHeaderView::sectionClicked, this,
            &TKeloTripDiagramForm::KeloListViewColumnClick);
    connect(keloListView, &QTreeView::doubleClicked, this, [this] { OpenKeloChoice(); });
    connect(timetableListView, &QTreeWidget::itemDoubleClicked, this,
            [this] { OpenTimetableDialog(State().selectedKelo); });
    // A kelo without stops has no row to double-click: the empty area serves instead.
    new KeloEmptyAreaDoubleClick(keloListView, [this] { OpenKeloChoice(); });
    new KeloEmptyAreaDoubleClick(timetableListView,
                                 [this] { OpenTimetableDialog(State().selectedKelo); });
    connect(keloListView, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        keloListPopupMenu->popup(keloListView->viewport()->mapToGlobal(p));
    });
}

QWidget* TKeloTripDiagramForm::CreateInfoPanel() {
    auto* infoPanel = new QWidget(editPanel);
    infoPanel->setObjectName("InfoPanel");
    infoPanel->setFixedHeight(41);
    auto* row = new QHBoxLayout(infoPanel);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    QFrame* panel1 = SunkenPanel("Panel1", infoPanel);
    panel1->setFixedWidth(352);
    auto* details = new QGridLayout(panel1);
    details->setContentsMargins(6, 2, 6, 2);
    details->setVerticalSpacing(1);
    details->addWidget(Label("BusModelLabel", U("Автобус :"), panel1), 0, 0);
    busModelValue = Label("BusModelValueLabel", QString(), panel1);
    details->addWidget(busModelValue, 0, 1);
    details->addWidget(Label("BusCapacityLabel", U("Мест :"), panel1), 1, 0);
    busCapacityValue = Label("BusCapacityValueLabel", QString(), panel1);
    details->addWidget(busCapacityValue, 1, 1);
    details->addWidget(Label("TripPathLengthLabel", U("Расстояние :"), panel1), 0, 2);
    pathLengthValue = Label("TripPathLengthValueLabel", QString(), panel1);
    details->addWidget(pathLengthValue, 0, 3);
    details->addWidget(Label("TripPathTimeLabel", U("Время в пути :"), panel1), 1, 2);
    pathTimeValue = Label("TripPathTimeValueLabel", QString(), panel1);
    details->addWidget(pathTimeValue, 1, 3);
    details->setColumnStretch(1, 1);
    details->setColumnStretch(3, 1);
    row->addWidget(panel1);

    auto* hintSplitter = new QSplitter(Qt::Horizontal, infoPanel);
    hintSplitter->setObjectName("TimetableToHintSplitter");
    hintSplitter->setHandleWidth(3);
    hintSplitter->setChildrenCollapsible(false);
    QFrame* hintPanel = SunkenPanel("HintPanel", hintSplitter);
    auto* hints = new QGridLayout(hintPanel);
    hints->setContentsMargins(6, 2, 6, 2);
    hints->setVerticalSpacing(1);
    hints->addWidget(Label("HintTimeLabel", U("Время"), hintPanel), 0, 0);
    hintTimeValue = Label("HintTimeValueLabel", QString(), hintPanel);
    hintTimeValue->setMinimumWidth(40);
    hints->addWidget(hintTimeValue, 0, 1);
    hints->addWidget(Label("HintToLabel", U("До"), hintPanel), 0, 2);
    hintToValue = Label("HintToValueLabel", QString(), hintPanel);
    hints->addWidget(hintToValue, 0, 3);
    hints->addWidget(Label("HintFromLabel", U("От"), hintPanel), 1, 2);
    hintFromValue = Label("HintFromValueLabel", QString(), hintPanel);
    hints->addWidget(hintFromValue, 1, 3);
    hints->setColumnStretch(3, 1);
    hintSplitter->addWidget(hintPanel);

    QFrame* buttonsPanel = SunkenPanel("ButtonsPanel", hintSplitter);
    buttonsPanel->setMinimumWidth(175);
    auto* buttons = new QHBoxLayout(buttonsPanel);
    buttons->setContentsMargins(6, 6, 6, 6);
    okButton = new QPushButton(U("Сохранить"), buttonsPanel);
    okButton->setObjectName("OkButton");
    okButton->setEnabled(false);
    okButton->setVisible(false);
    cancelButton = new QPushButton(U("Отменить"), buttonsPanel);
    cancelButton->setObjectName("CancelButton");
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    hintSplitter->addWidget(buttonsPanel);
    hintSplitter->setStretchFactor(0, 1);
    hintSplitter->setStretchFactor(1, 0);
    hintSplitter->setSizes({250, 174});
    row->addWidget(hintSplitter, 1);
    connect(okButton, &QPushButton::clicked, this, &TKeloTripDiagramForm::OkButtonClick);
    connect(cancelButton, &QPushButton::clicked, this, &TKeloTripDiagramForm::CancelButtonClick);
    return infoPanel;
}

void TKeloTripDiagramForm::CreateChartPopupMenu() {
    chartPopupMenu = new QMenu(this);
    chartPopupMenu->setObjectName("ChartPopupMenu");

    QMenu* zoom = chartPopupMenu->addMenu(U("Масштаб"));
    zoom->setObjectName("ZoomMenuItem");
    QAction* fit = zoom->addAction(U("По высоте"));
    fit->setObjectName("ZoomFitHeightMenuItem");
    connect(fit, &QAction::triggered, this, [this] { diagram->FitToHeight(); });
    zoom->addSeparator();
    const char* captions[] = {"25%", "50%", "75%", "100%", "150%", "200%", "500%"};
    // 25 to 200 % are radio items of one group; 500 % stays a check item of its own.
    auto* zoomGroup = new QActionGroup(zoom);
    zoomGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    for (std::size_t i = 0; i < TripDiagramClass::ZoomMenuFactors.size(); ++i) {
        QAction* item = zoom->addAction(QString::fromLatin1(captions[i]));
        item->setObjectName(QString("Zoom%1MenuItem").arg(captions[i]).remove('%'));
        item->setCheckable(true);
        if (TripDiagramClass::ZoomMenuFactors[i] <= 2.0f)
            zoomGroup->addAction(item);
        item->setChecked(TripDiagramClass::ZoomMenuFactors[i] == 1.0f);
        const float factor = TripDiagramClass::ZoomMenuFactors[i];
        connect(item, &QAction::triggered, this, [this, factor] { diagram->SetZoom(factor); });
        zoomActions.push_back(item);
    }

    gridAction = chartPopupMenu->addAction(U("Показывать сетку"));
    gridAction->setObjectName("ShowGridMenuItem");
    gridAction->setCheckable(true);
    gridAction->setChecked(true);
    connect(gridAction, &QAction::triggered, this, &TKeloTripDiagramForm::ToggleGrid);

    forwardAction = chartPopupMenu->addAction(U("Отображать прямые рейсы"));
    forwardAction->setObjectName("ShowForwardMenuItem");
    forwardAction->setCheckable(true);
    connect(forwardAction, &QAction::triggered, this, [this] { ToggleDirection(true); });
    backwardAction = chartPopupMenu->addAction(U("Отображать обратные рейсы"));
    backwardAction->setObjectName("ShowBackwardMenuItem");
    backwardAction->setCheckable(true);
    connect(backwardAction, &QAction::triggered, this, [this] { ToggleDirection(false); });

    inOutMarksAction = chartPopupMenu->addAction(U("Отображать метки входа/выхода рейса"));
    inOutMarksAction->setObjectName("ShowInOutMarksMenuItem");
    inOutMarksAction->setCheckable(true);
    inOutMarksAction->setChecked(true);
    connect(inOutMarksAction, &QAction::triggered, this, &TKeloTripDiagramForm::ToggleInOutMarks);

    monoColorAction = chartPopupMenu->addAction(U("Одноцветные рейсы"));
    monoColorAction->setObjectName("MonoColorMenuItem");
    monoColorAction->setCheckable(true);
    monoColorAction->setChecked(true);
    connect(monoColorAction, &QAction::triggered, this, &TKeloTripDiagramForm::ToggleMonoColor);

    chartPopupMenu->addSeparator();
    QAction* setup = chartPopupMenu->addAction(U("Настройка изображения..."));
    setup->setObjectName("SetupMenuItem");
    connect(setup, &QAction::triggered, this, &TKeloTripDiagramForm::SetupMenuItemClick);
    // The reports arrive later; their items are in place already.
    QMenu* print = chartPopupMenu->addMenu(U("Распечатать"));
    print->setObjectName("PrintMenuItem");
    print->addAction(U("Информация о рейсе"))->setObjectName("PrintTripInfoMenuItem");
    print->addAction(U("Станционное расписание"))->setObjectName("PrintStopInfoMenuItem");
    QAction* printVisible = print->addAction(U("Диаграмма"));
    printVisible->setObjectName("PrintDiagramMenuItem");
    connect(printVisible, &QAction::triggered, this, [this] { PrintDiagramMenuItemClick(false); });
    // The whole chart prints as vectors, so the item delivers what its caption says.
    QAction* printWhole = print->addAction(U("Диаграмма(полностью)"));
    printWhole->setObjectName("PrintWholeDiagramMenuItem");
    connect(printWhole, &QAction::triggered, this, [this] { PrintDiagramMenuItemClick(true); });
    QAction* saveImage = print->addAction(U("Сохранить изображение..."));
    saveImage->setObjectName("SaveImageMenuItem");
    connect(saveImage, &QAction::triggered, this, &TKeloTripDiagramForm::SaveDiagramImage);
    // The saved plan of the source below, the whole of it, not this window's unsaved edits.
    QAction* exportGtfs = chartPopupMenu->addAction(U("Экспорт в GTFS..."));
    exportGtfs->setObjectName("ExportGtfsMenuItem");
    connect(exportGtfs, &QAction::triggered, this,
            [this] { KeloExportGtfsFromWindow(this, diagram->GetBottom()); });
}

void TKeloTripDiagramForm::CreateKeloListPopupMenu() {
    keloListPopupMenu = new QMenu(this);
    keloListPopupMenu->setObjectName("KeloListViewPopupMenu");
    const struct {
        const char* caption;
        const char* name;
        void (TKeloTripDiagramForm::*handler)();
    } commands[] = {
        {"Перенести рейс", "KeloMoveAction", &TKeloTripDiagramForm::KeloMoveActionExecute},
        {"Инвертировать рейс", "KeloInvertAction", &TKeloTripDiagramForm::KeloInvertActionExecute},
        {"Создать копию рейса", "KeloCopyAction", &TKeloTripDiagramForm::KeloCopyActionExecute},
        {"Создать серию рейсов...", "KeloSeriesAction",
         &TKeloTripDiagramForm::KeloSeriesActionExecute},
        {"Удалить рейс", "KeloDeleteAction", &TKeloTripDiagramForm::KeloDeleteActionExecute},
    };
    for (const auto& command : commands) {
        QAction* action = keloListPopupMenu->addAction(U(command.caption));
        action->setObjectName(command.name);
        connect(action, &QAction::triggered, this, command.handler);
    }
}

void TKeloTripDiagramForm::FormCreate() {
    ApplyKeloSelection();
    okButton->setEnabled(true);
    okButton->setVisible(true);
}

void TKeloTripDiagramForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The scroll bars exist only once the window is laid out: bring the kelo into view now.
    if (!scrolledOnFirstShow) {
        scrolledOnFirstShow = true;
        ScrollToShownKelo(document->Selected());
    }
}

void TKeloTripDiagramForm::ShowChartNotice(const QString& text) {
    auto* notice = new QLabel(text, scrollBox->viewport());
    notice->setObjectName("ChartNoticeLabel");
    notice->setWordWrap(true);
    notice->setFixedWidth(420);
    notice->adjustSize();
    notice->move(10, 10);
    notice->show();
}

void TKeloTripDiagramForm::closeEvent(QCloseEvent* event) {
    // The edit buffer goes with the window, so unsaved edits are offered for saving first.
    if (diagram->GetEditBufferObject().GetChangeCount() == 0) {
        event->accept();
        return;
    }
    QMessageBox ask(QMessageBox::Question, KeloApplicationTitle(), U("Сохранить изменения?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    ask.setDefaultButton(QMessageBox::Yes);
    switch (ask.exec()) {
    case QMessageBox::Yes:
        SaveChanges();
        // A save the planner stepped back from, or one that failed, keeps the window.
        if (diagram->GetEditBufferObject().GetChangeCount() == 0)
            event->accept();
        else
            event->ignore();
        break;
    case QMessageBox::No:
        event->accept();
        break;
    default:
        event->ignore();
    }
}

// The popup toggles change one value of the display options and apply the whole set, as
// the options dialog does.
void TKeloTripDiagramForm::ToggleGrid() {
    TripDiagramDisplayOptionsType options = diagram->GetDisplayOptions();
    options.showGrid = gridAction->isChecked();
    diagram->ApplyDisplayOptions(options);
}

void TKeloTripDiagramForm::ToggleDirection(bool forward) {
    TripDiagramDisplayOptionsType options = diagram->GetDisplayOptions();
    if (forward)
        options.showForward = !options.showForward;
    else
        options.showBackward = !options.showBackward;
    diagram->ApplyDisplayOptions(options);
}

void TKeloTripDiagramForm::ToggleInOutMarks() {
    TripDiagramDisplayOptionsType options = diagram->GetDisplayOptions();
    options.showInOutMarks = !options.showInOutMarks;
    diagram->ApplyDisplayOptions(options);
}

void TKeloTripDiagramForm::ToggleMonoColor() {
    TripDiagramDisplayOptionsType options = diagram->GetDisplayOptions();
    options.monoColor = !options.monoColor;
    diagram->ApplyDisplayOptions(options);
    keloListView->viewport()->update(); // the colour squares follow
}

// ---- TripDiagramHostClass ----

std::int32_t TKeloTripDiagramForm::GetPaintAreaClientWidth() {
    return paintBox->width();
}

std::int32_t TKeloTripDiagramForm::GetPaintAreaClientHeight() {
    return paintBox->height();
}

void TKeloTripDiagramForm::SetPaintAreaClientSize(std::int32_t width, std::int32_t height) {
    paintBox->resize(width, height);
}

std::int32_t TKeloTripDiagramForm::GetChartScrollAreaClientHeight() {
    return scrollBox->viewport()->height();
}

void TKeloTripDiagramForm::GetHorizScroll(bool& visible, std::int32_t& position,
                                          std::int32_t& range) {
    QScrollBar* bar = scrollBox->horizontalScrollBar();
    visible = bar->maximum() > 0;
    position = bar->value();
    range = paintBox->width();
}

void TKeloTripDiagramForm::SetHorizScrollPosition(std::int32_t position) {
    scrollBox->horizontalScrollBar()->setValue(position);
}

void TKeloTripDiagramForm::GetVertScroll(bool& visible, std::int32_t& position,
                                         std::int32_t& range) {
    QScrollBar* bar = scrollBox->verticalScrollBar();
    visible = bar->maximum() > 0;
    position = bar->value();
    range = paintBox->height();
}

void TKeloTripDiagramForm::SetVertScrollPosition(std::int32_t position) {
    scrollBox->verticalScrollBar()->setValue(position);
}

void TKeloTripDiagramForm::SetZoomMenuTicks(const std::array<bool, 7>& ticked) {
    for (std::size_t i = 0; i < zoomActions.size(); ++i)
        zoomActions[i]->setChecked(ticked[i]);
}

void TKeloTripDiagramForm::SetShowForwardTicked(bool ticked) {
    forwardAction->setChecked(ticked);
}

void TKeloTripDiagramForm::SetShowBackwardTicked(bool ticked) {
    backwardAction->setChecked(ticked);
}

void TKeloTripDiagramForm::SetShowGridTicked(bool ticked) {
    gridAction->setChecked(ticked);
}

void TKeloTripDiagramForm::SetShowInOutMarksTicked(bool ticked) {
    inOutMarksAction->setChecked(ticked);
}

void TKeloTripDiagramForm::SetMonoColorTicked(bool ticked) {
    monoColorAction->setChecked(ticked);
}

void TKeloTripDiagramForm::BeginKeloListUpdate() {
    keloListView->setUpdatesEnabled(false);
}

void TKeloTripDiagramForm::SetKeloListCheck(std::int32_t keloIndex, bool checked) {
    // The diagram has set its entry already; the document keeps the tick by number. While
    // the window is being made, the ticks reach the document all at once afterwards.
    if (keloListModel == nullptr)
        return;
    const std::string number = KeloNumberAt(keloIndex);
    document->SetVisible(number, checked);
    keloListModel->UpdateMarks(number);
}

void TKeloTripDiagramForm::EndKeloListUpdate() {
    keloListView->setUpdatesEnabled(true);
}

void TKeloTripDiagramForm::InvalidatePaintArea() {
    dragSnapshot = QPixmap(); // the scene changed under a dragged kelo
    paintBox->update();
}

namespace {

// Adding hundreds of pieces one by one to a region costs the square of their number; joining
// halves keeps it near linear.
QRegion JoinedRegion(const QRect* pieces, std::size_t count) {
    if (count == 0)
        return QRegion();
    if (count == 1)
        return QRegion(pieces[0]);
    const std::size_t half = count / 2;
    return JoinedRegion(pieces, half).united(JoinedRegion(pieces + half, count - half));
}

} // namespace

void TKeloTripDiagramForm::InvalidatePaintRects(const std::vector<ZoRectType>& rects) {
    // Only what the scroll area shows is painted; pieces elsewhere along the day are dropped
    // here rather than carried through the region.
    const QRect shown(paintBox->mapFrom(scrollBox->viewport(), QPoint(0, 0)),
                      scrollBox->viewport()->size());
    std::vector<QRect> pieces;
    pieces.reserve(rects.size());
    for (const ZoRectType& r : rects) {
        // Two pixels to spare around each box, for the ends a surface gives a wide line.
        const QRect piece = QRect(r.left, r.top, r.Width(), r.Height()).adjusted(-2, -2, 2, 2);
        if (piece.intersects(shown))
            pieces.push_back(piece & shown);
    }
    if (!pieces.empty())
        paintBox->update(JoinedRegion(pieces.data(), pieces.size()));
}
