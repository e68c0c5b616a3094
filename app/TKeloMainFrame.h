#pragma once

#include "KeloDataClass.h"

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
    ~TKeloMainFrame() override;

    QMdiArea* MdiArea() const { return mdiArea; }

    // The trip diagram command: offers every kelo of the source and opens a diagram window for
    // the line of the chosen one. Errors are shown with the error dialog.
    void DoFlightDiagramActionExecute();
    void HelpAboutActionExecute();

    // Status bar panel texts: 0 hint, 1 date, 2 time.
    QString PanelText(int panel) const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void CreateMenus();
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
