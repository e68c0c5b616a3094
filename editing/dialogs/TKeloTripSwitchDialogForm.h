#pragma once

#include <QDialog>

#include <string>
#include <vector>

class QPushButton;
class QStandardItem;
class QStandardItemModel;
class QTreeView;
class QWidget;
class TKeloListOrderProxyModel;
class TZoFormStorage;
class TZoStringStorage;

/// One kelo as the choice dialog lists it; texts are ready to show, the name and number
/// are Windows-1251 bytes.
struct KeloSwitchRowType {
    int keloIndex = -1;
    bool checked = false;
    QString time; // at the window's selected stop
    std::string name;
    std::string number;
    QString departure; // arrival at the first entry
    QString arrival;   // arrival at the last entry
    QString distance;
    QString speed;
};

/// Lists every kelo of a diagram window to tick which are shown and pick one. Sorts by any
/// column; ticking one of several selected rows ticks them all. Keeps its placement.
class TKeloTripSwitchDialogForm : public QDialog {
    Q_OBJECT
public:
    explicit TKeloTripSwitchDialogForm(QWidget* parent = nullptr);

    void AddRows(const std::vector<KeloSwitchRowType>& rows);
    // Kelo index and tick of every row, in the displayed order.
    std::vector<std::pair<int, bool>> Checks() const;
    // Kelo index of the first selected row in the displayed order, or -1.
    int FirstSelectedKelo() const;

    void KeloListViewColumnClick(int column);
    int SortColumn() const { return sortColumn; }
    bool SortAscending() const { return sortAscending; }

    QTreeView* KeloListView = nullptr;
    QWidget* Panel = nullptr;
    QPushButton* NextButton = nullptr;
    QPushButton* CancelButton = nullptr;
    TZoStringStorage* ZoStringStorage = nullptr;
    TZoFormStorage* FormStorage = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void KeloListViewChange(QStandardItem* cell);
    void PanelResize();

    QStandardItemModel* rowsModel = nullptr;
    TKeloListOrderProxyModel* sortedRows = nullptr;
    int sortColumn = 1;
    bool sortAscending = true;
    bool syncingChecks = false;
};
