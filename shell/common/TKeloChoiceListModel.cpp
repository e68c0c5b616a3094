#include "TKeloChoiceListModel.h"

#include "KeloQtText.h"

#include <algorithm>
#include <numeric>

QString TKeloListRow::text(int column) const {
    return KeloToQString(column == 0 ? caption : name);
}

TKeloChoiceListModel::TKeloChoiceListModel(QObject* parent) : QAbstractTableModel(parent) {}

int TKeloChoiceListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows.size());
}

int TKeloChoiceListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant TKeloChoiceListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= int(rows.size()))
        return {};
    return rows[std::size_t(index.row())].text(index.column());
}

QVariant TKeloChoiceListModel::headerData(int section, Qt::Orientation orientation,
                                          int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section >= headers.size())
        return {};
    return headers[section];
}

int TKeloChoiceListModel::Insert(TKeloListRow row, const CompareType& compare) {
    // After the last row that does not order after the new one: equal keys keep the order
    // in which they came.
    const auto at = std::upper_bound(
        rows.begin(), rows.end(), row,
        [&](const TKeloListRow& a, const TKeloListRow& b) { return compare(a, b) < 0; });
    const int index = int(at - rows.begin());
    beginInsertRows(QModelIndex(), index, index);
    rows.insert(at, std::move(row));
    endInsertRows();
    return index;
}

void TKeloChoiceListModel::InsertAll(std::vector<TKeloListRow> added, const CompareType& compare) {
    if (added.empty())
        return;
    beginResetModel();
    // The rows already there come first among equal keys, as they would one by one.
    rows.reserve(rows.size() + added.size());
    for (TKeloListRow& row : added)
        rows.push_back(std::move(row));
    std::stable_sort(rows.begin(), rows.end(), [&](const TKeloListRow& a, const TKeloListRow& b) {
        return compare(a, b) < 0;
    });
    endResetModel();
}

void TKeloChoiceListModel::Sort(const CompareType& compare) {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return compare(rows[a], rows[b]) < 0; });
    std::vector<int> place(rows.size());
    std::vector<TKeloListRow> sorted;
    sorted.reserve(rows.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        place[std::size_t(order[i])] = int(i);
        sorted.push_back(std::move(rows[std::size_t(order[i])]));
    }
    rows = std::move(sorted);
    QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    for (const QModelIndex& index : before)
        after.append(this->index(place[std::size_t(index.row())], index.column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
