#pragma once

#include "TripDiagramListOrder.h"

#include <QSortFilterProxyModel>

#include <vector>

/// Sorts a kelo list by one column with the kelo lists' one order. The sort key is the
/// column index + 1, negative for descending; rows without a time stay last both ways, which
/// a plain ascending / descending flip cannot do, so the proxy always sorts "ascending" and
/// the direction lives in the comparison. The view keeps its selection through the sort.
class TKeloListOrderProxyModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    // A cell sorts by the bytes of this role where it has them (Windows-1251 texts), else by
    // its display text.
    static constexpr int SortBytesRole = Qt::UserRole + 100;

    TKeloListOrderProxyModel(std::vector<TripDiagramListOrder::ColumnKind> kinds, int sortKey,
                             QObject* parent = nullptr);

    int SortKey() const { return sortKey; }
    void SetSortKey(int key);
    // A click on the header: the same column reverses, another sorts ascending.
    void ColumnClick(int column);
    // Negative, 0 or positive for source row `left` before, tied with or after `right`.
    int Compare(const QModelIndex& left, const QModelIndex& right) const;

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    std::vector<TripDiagramListOrder::ColumnKind> kinds;
    int sortKey;
};
