#include "TKeloListOrderProxyModel.h"

#include <cstdlib>

namespace {

std::string SortText(const QModelIndex& index) {
    const QVariant bytes = index.data(TKeloListOrderProxyModel::SortBytesRole);
    if (bytes.isValid())
        return bytes.toByteArray().toStdString();
    return index.data(Qt::DisplayRole).toString().toStdString();
}

} // namespace

TKeloListOrderProxyModel::TKeloListOrderProxyModel(
    std::vector<TripDiagramListOrder::ColumnKind> kinds, int sortKey, QObject* parent)
    : QSortFilterProxyModel(parent), kinds(std::move(kinds)), sortKey(sortKey) {
    setDynamicSortFilter(true);
    sort(0, Qt::AscendingOrder);
}

void TKeloListOrderProxyModel::SetSortKey(int key) {
    sortKey = key;
    invalidate();
    sort(0, Qt::AscendingOrder);
}

void TKeloListOrderProxyModel::ColumnClick(int column) {
    SetSortKey(std::abs(sortKey) == column + 1 ? -sortKey : column + 1);
}

int TKeloListOrderProxyModel::Compare(const QModelIndex& left, const QModelIndex& right) const {
    const int column = std::abs(sortKey) - 1;
    if (column < 0 || column >= int(kinds.size()))
        return 0;
    return TripDiagramListOrder::CompareCells(kinds[std::size_t(column)],
                                              SortText(left.siblingAtColumn(column)),
                                              SortText(right.siblingAtColumn(column)), sortKey < 0);
}

bool TKeloListOrderProxyModel::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    return Compare(left, right) < 0;
}
