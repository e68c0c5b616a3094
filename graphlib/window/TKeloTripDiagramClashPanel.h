#pragma once

#include "TimetableClashes.h"

#include <QWidget>

#include <string>
#include <vector>

class QLabel;
class QSpinBox;
class QTreeWidget;
class TZoFormStorage;

/// The clash panel of a diagram window: the minimum interval, the number of clashes and
/// their list. A double click on a row asks the window to show that clash.
class TKeloTripDiagramClashPanel : public QWidget {
    Q_OBJECT
public:
    explicit TKeloTripDiagramClashPanel(QWidget* parent);

    // Lists the clashes; `stopNames` by position on the line, texts in the data's code page.
    void ShowClashes(const std::vector<TimetableClashType>& clashes,
                     const std::vector<std::string>& stopNames);
    int MinimumInterval() const;
    void SetMinimumInterval(int minutes);
    // The minimum interval goes into the window's stored settings with the other items.
    void KeepSettingIn(TZoFormStorage& storage);

    QSpinBox* MinimumIntervalEdit() const { return intervalEdit; }
    QLabel* CountLabel() const { return countLabel; }
    QTreeWidget* ClashListView() const { return listView; }

signals:
    void MinimumIntervalChanged(int minutes);
    void ClashActivated(const TimetableClashType& clash);

private:
    QSpinBox* intervalEdit = nullptr;
    QLabel* countLabel = nullptr;
    QTreeWidget* listView = nullptr;
    std::vector<TimetableClashType> shown;
};
