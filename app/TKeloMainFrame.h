#pragma once

#include "KeloDataClass.h"
#include "KeloStartupSource.h"

#include <QMainWindow>

#include <functional>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QTimer;
class TZoStringStorage;

/// The MDI frame of the program: menus, the three-panel status bar with clock and date,
/// the window menu and the trip diagram command that opens diagram windows as children.
class TKeloMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // Over the bottom source start-up chose: the choice list and every diagram window
    // read it, each window through its own cache, edit buffer and view.
    explicit TKeloMainFrame(KeloDataPtrClass source, QWidget* parent = nullptr);
    // Over the plan start-up opened: its name shows in the caption, and where it cannot
    // be saved every diagram window says why.
    explicit TKeloMainFrame(const KeloStartupSourceType& plan, QWidget* parent = nullptr);
    ~TKeloMainFrame() override;

    QMdiArea* MdiArea() const { return mdiArea; }

    // The trip diagram command: offers every kelo of the source and opens a diagram window for
    // the line of the chosen one. Errors are shown with the error dialog.
    void DoFlightDiagramActionExecute();
    void HelpAboutActionExecute();
    // "Открыть план..." and "Новый план...": ask for a file, then switch to it.
    void OpenPlanActionExecute();
    void NewPlanActionExecute();
    // Closes every diagram window (each asks about its unsaved changes) and then works on
    // `file`, made from the built-in data set first when `create`; remembered for the next
    // start. False when a window stayed open or the file was refused (with a message).
    bool SwitchPlan(const std::string& file, bool create);
    const KeloStartupSourceType& Plan() const { return plan; }
    // The plan's whole-file check, run behind the start, found it damaged: the planner was
    // told and the window hidden.
    bool PlanRefused() const { return planRefused; }
    // Waits for a whole-file check still running behind the start; false, after saying why
    // and hiding the window, for a plan that cannot be trusted.
    bool TrustPlan();

    // Status bar panel texts: 0 hint, 1 date, 2 time.
    QString PanelText(int panel) const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void CreateMenus();
    void ShowPlan();
    // Closes the diagram windows one by one; false when one of them stays.
    bool CloseDiagramWindows();
    void FormCreate();
    void ClockTimerTimer();
    void DataTimerTimer();
    void ShowApplicationHint(const QString& hint);
    void FillWindowMenu();
    void TileChildren(Qt::Orientation direction);
    void ArrangeIcons();
    QAction* AddAction(QMenu* menu, const QString& objectName, const QString& caption,
                       const QString& hint);

    KeloDataPtrClass source;
    KeloStartupSourceType plan;
    bool planRefused = false;
    QMdiArea* mdiArea = nullptr;
    QLabel* hintPanel = nullptr;
    QLabel* datePanel = nullptr;
    QLabel* timePanel = nullptr;
    QTimer* ClockTimer = nullptr;
    QTimer* DataTimer = nullptr;
    TZoStringStorage* ZoStringStorage = nullptr;
    QMenu* WindowMenuItem = nullptr;
    QList<QAction*> windowMenuFixedItems;
    QAction* DoFlightDiagramWizardMenuItem = nullptr;
    QMenu* ReportsMenuItem = nullptr;
    QMenu* DataBaseMenuItem = nullptr;
    bool shownOnce = false;
};
