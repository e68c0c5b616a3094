#include "TKeloMainFrame.h"

#include "KeloErrorReport.h"
#include "KeloLineOf.h"
#include "KeloMessageBoxes.h"
#include "KeloOneKeloSourceClass.h"
#include "KeloQtText.h"
#include "KeloSelectableDataClass.h"
#include "KeloStartupSource.h"
#include "TKeloAboutForm.h"
#include "TKeloGtfsExportDialog.h"
#include "TKeloGtfsImportDialog.h"
#include "TKeloSimpleKeloDataSetViewForm.h"
#include "TKeloTripDiagramForm.h"
#include "TZoStringStorage.h"

#include <QAction>
#include <QCloseEvent>
#include <QDate>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTime>
#include <QTimer>

#include <exception>
#include <memory>
#include <utility>

namespace {

constexpr int DatePanelWidth = 250;
constexpr int TimePanelWidth = 100;

QLabel* MakePanel(QWidget* parent, Qt::Alignment alignment) {
    auto* panel = new QLabel(parent);
    panel->setAlignment(alignment | Qt::AlignVCenter);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    return panel;
}

// A source without a plan file; the other fields keep their defaults (a read-failure
// question that answers "none").
KeloStartupSourceType PlanOf(KeloDataPtrClass source) {
    KeloStartupSourceType plan;
    plan.source = std::move(source);
    return plan;
}

} // namespace

TKeloMainFrame::TKeloMainFrame(KeloDataPtrClass source, QWidget* parent)
    : TKeloMainFrame(PlanOf(source), parent) {}

TKeloMainFrame::TKeloMainFrame(const KeloStartupSourceType& plan, QWidget* parent)
    : QMainWindow(parent), source(plan.source), plan(plan) {
    setObjectName("KeloMainFrame");
    setWindowTitle("Kelo");
    resize(654, 480);
    // Centred on the desktop: the place the window returns to when it is restored.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    mdiArea = new QMdiArea(this);
    mdiArea->setObjectName("MdiArea");
    mdiArea->setBackground(palette().brush(QPalette::Dark));
    setCentralWidget(mdiArea);

    ZoStringStorage = new TZoStringStorage(this);
    ZoStringStorage->setObjectName("ZoStringStorage");
    ZoStringStorage->SetLines({QString::fromUtf8("Завершить работу приложения?")});

    auto* bar = new QStatusBar(this);
    bar->setObjectName("StatusBar");
    bar->setSizeGripEnabled(false);
    setStatusBar(bar);
    hintPanel = MakePanel(bar, Qt::AlignLeft);
    // Panel 0 takes what the date and the clock leave, through the bar's layout (stretch 1),
    // and never asks for more: a long hint is cut, it does not widen the window.
    hintPanel->setMinimumWidth(50);
    hintPanel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    datePanel = MakePanel(bar, Qt::AlignHCenter);
    datePanel->setFixedWidth(DatePanelWidth);
    timePanel = MakePanel(bar, Qt::AlignHCenter);
    timePanel->setFixedWidth(TimePanelWidth);
    bar->addWidget(hintPanel, 1);
    bar->addPermanentWidget(datePanel);
    bar->addPermanentWidget(timePanel);

    ClockTimer = new QTimer(this);
    ClockTimer->setObjectName("ClockTimer");
    ClockTimer->setInterval(500);
    connect(ClockTimer, &QTimer::timeout, this, &TKeloMainFrame::ClockTimerTimer);
    DataTimer = new QTimer(this);
    DataTimer->setObjectName("DataTimer");
    DataTimer->setInterval(180000);
    connect(DataTimer, &QTimer::timeout, this, &TKeloMainFrame::DataTimerTimer);

    CreateMenus();
    FormCreate();
    ShowPlan();
}

void TKeloMainFrame::ShowPlan() {
    // The caption names the plan by its file name: a whole path would push the name of a
    // maximised diagram window out of sight.
    QString name = plan.file.empty() ? plan.planName : QFileInfo(plan.planName).fileName();
    if (!plan.saveRefusal.isEmpty())
        name += QString::fromUtf8(" (только просмотр)");
    setWindowTitle(plan.planName.isEmpty() ? QStringLiteral("Kelo")
                                           : QStringLiteral("Kelo - ") + name);
}

TKeloMainFrame::~TKeloMainFrame() = default;

QAction* TKeloMainFrame::AddAction(QMenu* menu, const QString& objectName, const QString& caption,
                                   const QString& hint) {
    auto* action = new QAction(caption, this);
    action->setObjectName(objectName);
    action->setStatusTip(hint);
    menu->addAction(action);
    return action;
}

void TKeloMainFrame::CreateMenus() {
    auto u = [](const char* text) { return QString::fromUtf8(text); };
    auto addMenu = [&](QMenu* parentMenu, const char* name, const char* caption, const char* hint) {
        QMenu* menu = parentMenu ? parentMenu->addMenu(u(caption)) : menuBar()->addMenu(u(caption));
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(name);
        menu->menuAction()->setStatusTip(u(hint));
        menu->setToolTipsVisible(false);
        return menu;
    };

    QMenu* session = addMenu(nullptr, "SessionMenuItem", "&Сеанс", "Меню сеанса");
    for (QAction* hidden : {AddAction(session, "SessionCurrentDateMenuItem", u("Текущая дата"),
                                      u("Показать текущую дату")),
                            AddAction(session, "SessionCurrentTimeMenuItem", u("Текущее время"),
                                      u("Показать текущее время"))}) {
        hidden->setVisible(false);
        hidden->setEnabled(false);
    }
    QAction* sessionSeparator = session->addSeparator();
    sessionSeparator->setObjectName("SessionSeparatorMenuItem");
    sessionSeparator->setVisible(false);
    QAction* openPlan = AddAction(session, "SessionOpenPlanMenuItem", u("Открыть план..."),
                                  u("Открыть другой файл плана"));
    connect(openPlan, &QAction::triggered, this, &TKeloMainFrame::OpenPlanActionExecute);
    QAction* newPlan = AddAction(session, "SessionNewPlanMenuItem", u("Новый план..."),
                                 u("Создать новый план из встроенных данных"));
    connect(newPlan, &QAction::triggered, this, &TKeloMainFrame::NewPlanActionExecute);
    session->addSeparator()->setObjectName("SessionPlanSeparatorMenuItem");
    QAction* exitAction =
        AddAction(session, "SessionExitMenuItem", u("&Выход"), u("Выход из задачи"));
    connect(exitAction, &QAction::triggered, this, &QWidget::close);

    QMenu* setup = addMenu(nullptr, "SetupMenuItem", "&Настройки", "Настройка параметров");
    setup->menuAction()->setVisible(false);
    setup->menuAction()->setEnabled(false);

    QMenu* work = addMenu(nullptr, "DoMenuItem", "&Работа", "");
    QAction* diagram = AddAction(work, "DoFlightDiagramMenuItem", u("Диаграмма рейсов"),
                                 u("Диграммы существующих рейсов"));
    connect(diagram, &QAction::triggered, this, &TKeloMainFrame::DoFlightDiagramActionExecute);
    DoFlightDiagramWizardMenuItem =
        AddAction(work, "DoFlightDiagramWizardMenuItem", u("Диаграмма рейсов (мастер)"), QString());
    // The plan leaves and arrives as a GTFS feed; a new plan opens at once.
    connect(AddAction(work, "DoImportGtfsMenuItem", u("Импорт GTFS..."), u("Импорт расписания")),
            &QAction::triggered, this, [this] {
                if (const auto plan = KeloImportGtfsFromWindow(this))
                    if (KeloDataPtrClass opened = OpenStartupSourceOrReport(*plan);
                        !opened.IsNull()) {
                        source = opened;
                        DoFlightDiagramActionExecute();
                    }
            });
    connect(AddAction(work, "DoExportGtfsMenuItem", u("Экспорт в GTFS..."), u("Экспорт плана")),
            &QAction::triggered, this, [this] { KeloExportGtfsFromWindow(this, source); });

    ReportsMenuItem = addMenu(nullptr, "ReportsMenuItem", "О&тчеты", "Отчеты выдаваемые системой");
    AddAction(ReportsMenuItem, "ReportsStopInfoMenuItem", u("Станционное расписание"), QString());
    AddAction(ReportsMenuItem, "ReportsTripInfoMenuItem", u("Информация о рейсе"), QString());

    DataBaseMenuItem = addMenu(nullptr, "DataBaseMenuItem", "&База", "Объекты управления системой");
    AddAction(DataBaseMenuItem, "DoFlightDataNewMenuItem", u("Ввод данных нового рейса"),
              u("Визард ввода новых рейсов"));
    QMenu* topology =
        addMenu(DataBaseMenuItem, "ObjectsTopologyMenuItem", "Топология", "Топологические объекты");
    AddAction(topology, "ObjectsPopulatedPointsMenuItem", u("Населенные пункты"),
              u("Перечень населенных пунктов"));
    AddAction(topology, "ObjectsRegionsMenuItem", u("Регионы"), u("Перечень регионов"));
    AddAction(topology, "ObjectsStopPointsMenuItem", u("Остановочные пункты"),
              u("Перечень остановочных пунктов"));
    AddAction(topology, "ObjectsWayAreasMenuItem", u("Участки пути"),
              u("Перечень путевых участков"));
    QMenu* transport = addMenu(DataBaseMenuItem, "ObjectsTransportationsMenuItem", "Перевозки",
                               "Объекты перевозок");
    AddAction(transport, "ObjectsFlightsMenuItem", u("Рейсы"), u("Перечень рейсов"));
    AddAction(transport, "ObjectsFlightTimetableMenuItem", u("Расписание рейсов"),
              u("Список расписаний рейсов"));
    AddAction(transport, "ObjectsTransportStatisticsMenuItem", u("Статистика перевозок"),
              u("Обобщенная статистика перевозок"));
    AddAction(DataBaseMenuItem, "ObjectsStopPointOwnersMenuItem",
              u("Владельцы остановочных пунктов"), u("Список владельцев установочных пунктов"));
    AddAction(DataBaseMenuItem, "ObjectsTransportersMenuItem", u("Перевозчики"),
              u("Перечень перевозчиков"));
    AddAction(DataBaseMenuItem, "SetupStopPointTypesMenuItem", u("Виды остановочных пунктов"),
              u("Настройка остановочных пунктов"));
    AddAction(DataBaseMenuItem, "SetupTransportTypesMenuItem", u("Виды транспорта"),
              u("Настройка видов транспорта"));
    AddAction(DataBaseMenuItem, "BaseRegulationMenuItem", u("Регламент базы данных"), QString());

    WindowMenuItem = addMenu(nullptr, "WindowMenuItem", "О&кна", "Управление окнами системы");
    QAction* arrange = AddAction(WindowMenuItem, "WindowArrangeMenuItem", u("&Расположить"), {});
    connect(arrange, &QAction::triggered, this, &TKeloMainFrame::ArrangeIcons);
    QAction* cascade = AddAction(WindowMenuItem, "WindowCascadeMenuItem", u("&Каскадом"), {});
    connect(cascade, &QAction::triggered, mdiArea, &QMdiArea::cascadeSubWindows);
    QAction* tileHorz =
        AddAction(WindowMenuItem, "WindowTileHorzMenuItem", u("&Горизонтально"), {});
    connect(tileHorz, &QAction::triggered, this, [this] { TileChildren(Qt::Vertical); });
    QAction* tileVert = AddAction(WindowMenuItem, "WindowTileVertMenuItem", u("&Вертикально"), {});
    connect(tileVert, &QAction::triggered, this, [this] { TileChildren(Qt::Horizontal); });
    QAction* minimizeAll =
        AddAction(WindowMenuItem, "WindowMinimizeAllMenuItem", u("&Свернуть"), {});
    connect(minimizeAll, &QAction::triggered, this, [this] {
        for (QMdiSubWindow* child : mdiArea->subWindowList())
            child->showMinimized();
    });
    windowMenuFixedItems = WindowMenuItem->actions();
    connect(WindowMenuItem, &QMenu::aboutToShow, this, &TKeloMainFrame::FillWindowMenu);

    QMenu* help = addMenu(nullptr, "HelpMenuItem", "&Справка", "Справочная информация");
    AddAction(help, "HelpUserGuideMenuItem", u("Руководство пользователя"),
              u("Руководство пользователя"));
    help->addSeparator()->setObjectName("HelpSeparatorMenuItem");
    QAction* about =
        AddAction(help, "HelpAboutMenuItem", u("О программе"), u("Основные сведенья о программе"));
    connect(about, &QAction::triggered, this, &TKeloMainFrame::HelpAboutActionExecute);
}

void TKeloMainFrame::TileChildren(Qt::Orientation direction) {
    // Children that are not minimised share the area in equal bands, one after another
    // along `direction` (horizontal tiling stacks the bands downwards).
    QList<QMdiSubWindow*> children;
    for (QMdiSubWindow* child : mdiArea->subWindowList())
        if (!child->isMinimized())
            children.append(child);
    if (children.isEmpty())
        return;
    const QRect area = mdiArea->viewport()->rect();
    const bool across = direction == Qt::Horizontal;
    const int band = (across ? area.width() : area.height()) / int(children.size());
    int offset = 0;
    for (QMdiSubWindow* child : children) {
        child->showNormal();
        if (across)
            child->setGeometry(offset, 0, band, area.height());
        else
            child->setGeometry(0, offset, area.width(), band);
        offset += band;
    }
}

void TKeloMainFrame::ArrangeIcons() {
    // Minimised children line up along the bottom of the area, left to right, in the order
    // they were opened; a row that is full continues in a row above it.
    const QRect area = mdiArea->viewport()->rect();
    int x = 0;
    int rowTop = area.bottom() + 1;
    int rowHeight = 0;
    for (QMdiSubWindow* child : mdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (!child->isMinimized())
            continue;
        const QSize size = child->size();
        if (rowHeight == 0 || (x > 0 && x + size.width() > area.width())) {
            rowTop -= rowHeight == 0 ? size.height() : rowHeight;
            rowHeight = size.height();
            x = 0;
        }
        child->move(x, rowTop + rowHeight - size.height());
        x += size.width();
    }
}

void TKeloMainFrame::FillWindowMenu() {
    // The platform's window list: the fixed items, a separator, then one item per child.
    for (QAction* action : WindowMenuItem->actions())
        if (!windowMenuFixedItems.contains(action)) {
            WindowMenuItem->removeAction(action);
            action->deleteLater();
        }
    const auto children = mdiArea->subWindowList();
    if (children.isEmpty())
        return;
    QAction* separator = WindowMenuItem->addSeparator();
    separator->setParent(WindowMenuItem);
    int number = 1;
    for (QMdiSubWindow* child : children) {
        auto* item =
            new QAction(QString("&%1 %2").arg(number++).arg(child->windowTitle()), WindowMenuItem);
        item->setCheckable(true);
        item->setChecked(child == mdiArea->activeSubWindow());
        connect(item, &QAction::triggered, this, [this, child] {
            if (child->isMinimized())
                child->showNormal();
            mdiArea->setActiveSubWindow(child);
        });
        WindowMenuItem->addAction(item);
    }
}

void TKeloMainFrame::FormCreate() {
    ClockTimer->start();
    DataTimer->start();
    DoFlightDiagramWizardMenuItem->setEnabled(false);
    ReportsMenuItem->menuAction()->setEnabled(false);
    DataBaseMenuItem->menuAction()->setEnabled(false);
}

void TKeloMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shownOnce) {
        shownOnce = true;
        DataTimerTimer();
        ClockTimerTimer();
    }
}

void TKeloMainFrame::ClockTimerTimer() {
    timePanel->setText(QTime::currentTime().toString("HH:mm:ss"));
}

void TKeloMainFrame::DataTimerTimer() {
    // The interface is Russian, so is the date, whatever the locale.
    datePanel->setText(QLocale(QLocale::Russian, QLocale::Russia)
                           .toString(QDate::currentDate(), "dd MMMM yyyy (dddd)"));
}

void TKeloMainFrame::ShowApplicationHint(const QString& hint) {
    const int bar = hint.indexOf('|');
    hintPanel->setText(bar < 0 ? hint : hint.mid(bar + 1));
}

bool TKeloMainFrame::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        ShowApplicationHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

QString TKeloMainFrame::PanelText(int panel) const {
    switch (panel) {
    case 0:
        return hintPanel->text();
    case 1:
        return datePanel->text();
    default:
        return timePanel->text();
    }
}

void TKeloMainFrame::closeEvent(QCloseEvent* event) {
    if (KeloAskYesNo(ZoStringStorage->Line(0), this) && CloseDiagramWindows())
        event->accept();
    else
        event->ignore();
}

bool TKeloMainFrame::CloseDiagramWindows() {
    for (QMdiSubWindow* child : mdiArea->subWindowList())
        if (!child->close())
            return false;
    return true;
}

bool TKeloMainFrame::SwitchPlan(const std::string& file, bool create) {
    if (!CloseDiagramWindows())
        return false;
    KeloStartupSourceType opened = create ? CreatePlanFile(file) : OpenStartupSource(file);
    if (opened.source.IsNull()) {
        KeloShowError(opened.error, this);
        return false;
    }
    plan = std::move(opened);
    source = plan.source;
    RememberPlanFile(plan.file);
    ShowPlan();
    return true;
}

void TKeloMainFrame::OpenPlanActionExecute() {
    const QString file = QFileDialog::getOpenFileName(
        this, QString::fromUtf8("Открыть план"), QFileInfo(plan.planName).absolutePath(),
        QString::fromUtf8("Планы Kelo (*.db);;Все файлы (*)"));
    if (!file.isEmpty() && SwitchPlan(file.toLocal8Bit().toStdString(), false))
        DoFlightDiagramActionExecute();
}

void TKeloMainFrame::NewPlanActionExecute() {
    // An existing file is refused rather than replaced, so the dialog does not offer to.
    const QString file = QFileDialog::getSaveFileName(
        this, QString::fromUtf8("Новый план"), QFileInfo(plan.planName).absolutePath(),
        QString::fromUtf8("Планы Kelo (*.db)"), nullptr, QFileDialog::DontConfirmOverwrite);
    if (file.isEmpty())
        return;
    const QString named = QFileInfo(file).suffix().isEmpty() ? file + ".db" : file;
    if (SwitchPlan(named.toLocal8Bit().toStdString(), true))
        DoFlightDiagramActionExecute();
}

bool TKeloMainFrame::TrustPlan() {
    if (!plan.awaitWholeCheck)
        return !planRefused;
    const QString damage = std::exchange(plan.awaitWholeCheck, {})();
    if (damage.isEmpty())
        return true;
    KeloShowError(damage, this);
    planRefused = true;
    hide();
    return false;
}

void TKeloMainFrame::DoFlightDiagramActionExecute() {
    try {
        auto choice = std::make_unique<TKeloSimpleKeloDataSetViewForm>(source, this);
        const int answer = choice->exec();
        // The modal list is all the planner could reach while the check ran behind it.
        if (!TrustPlan() || answer != QDialog::Accepted)
            return;
        const std::string number = choice->SelectedNumber();
        choice.reset();

        const std::vector<std::string> line = KeloLineOf(source, number);

        // A kelo without stops lies on no line: its window holds that kelo alone, so its
        // timetable can be given again, and the chart says why it is empty.
        auto* form = new TKeloTripDiagramForm(
            nullptr, number, line,
            line.empty() ? KeloDataPtrClass(new KeloOneKeloSourceClass(source, number))
                         : KeloSelectStops(source, line));
        if (line.empty())
            form->ShowChartNotice(
                QString::fromUtf8("У рейса №%1 нет остановок, поэтому диаграмма пуста. Задайте "
                                  "его расписание: дважды щёлкните по списку расписания.")
                    .arg(KeloToQString(number)));
        form->SetSaveRefusal(plan.saveRefusal);
        QMdiSubWindow* child = mdiArea->addSubWindow(form);
        child->setAttribute(Qt::WA_DeleteOnClose);
        form->show();
        child->show();
    } catch (const std::exception& error) {
        ShowExceptionError(error, this);
    }
}

void TKeloMainFrame::HelpAboutActionExecute() {
    try {
        TKeloAboutForm about(this);
        about.exec();
    } catch (const std::exception& error) {
        ShowExceptionError(error, this);
    }
}
