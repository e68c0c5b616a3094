#include "TKeloTripDiagramKeloListModel.h"

#include "KeloDiagramDocumentClass.h"
#include "KeloQtText.h"
#include "TKeloListOrderProxyModel.h"

#include <QIcon>
#include <QPixmap>

namespace {

QIcon BlankIcon() {
    // Reserves the icon cell of every row, like an empty small-image list.
    static const QIcon blank = [] {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::transparent);
        return QIcon(pixmap);
    }();
    return blank;
}

} // namespace

TKeloTripDiagramKeloListModel::TKeloTripDiagramKeloListModel(KeloDiagramDocumentClass& document,
                                                             HooksType hooks, QObject* parent)
    : QAbstractTableModel(parent), document(document), hooks(std::move(hooks)) {}

TKeloTripDiagramKeloListModel::RowType
TKeloTripDiagramKeloListModel::MakeRow(const std::string& number, KeloKeloPtrClass kelo) const {
    RowType row;
    row.number = number;
    row.keloText = kelo->GetName() + " - [" + number + "]";
    row.texts[0] = hooks.timeText(kelo);
    row.texts[1] = KeloToQString(row.keloText);
    row.texts[2] = KeloFormatDecimal(kelo->GetAverageSpeed(), 1);
    KeloKeloSchedulePtrClass schedule = kelo->GetSchedule();
    if (const std::int32_t count = schedule->GetCount(); count > 0) {
        row.texts[3] = KeloClockText(schedule->GetItem(0)->GetArrival());
        row.texts[4] = KeloClockText(schedule->GetItem(count - 1)->GetArrival());
    }
    return row;
}

void TKeloTripDiagramKeloListModel::IndexRowsFrom(int first) {
    for (int i = first; i < int(rows.size()); ++i)
        rowOf[rows[std::size_t(i)].number] = i;
}

void TKeloTripDiagramKeloListModel::Reset() {
    beginResetModel();
    rows.clear();
    rowOf.clear();
    KeloKeloSetPtrClass kelos = document.GetEditBuffer()->GetKeloSet();
    const std::int32_t count = kelos->GetCount();
    rows.reserve(std::size_t(std::max(count, 0)));
    for (std::int32_t i = 0; i < count; ++i) {
        KeloKeloPtrClass kelo = kelos->GetItem(i);
        if (kelo.IsNull())
            break; // a row that cannot be made ends the list, as the fill always did
        rows.push_back(MakeRow(kelo->GetNumber(), kelo));
    }
    IndexRowsFrom(0);
    endResetModel();
}

void TKeloTripDiagramKeloListModel::AddKelo(const std::string& number) {
    // The change event vouches that the kelo is in the set: no search of the set is needed.
    KeloKeloPtrClass kelo = document.GetEditBuffer()->FindKelo(number);
    if (kelo.IsNull())
        return;
    if (RowOf(number) >= 0) {
        UpdateKelo(number);
        return;
    }
    const int row = int(rows.size());
    beginInsertRows({}, row, row);
    rows.push_back(MakeRow(number, kelo));
    rowOf[number] = row;
    endInsertRows();
}

void TKeloTripDiagramKeloListModel::RemoveKelo(const std::string& number) {
    const int row = RowOf(number);
    if (row < 0)
        return;
    beginRemoveRows({}, row, row);
    rows.erase(rows.begin() + row);
    rowOf.erase(number);
    IndexRowsFrom(row);
    endRemoveRows();
}

void TKeloTripDiagramKeloListModel::UpdateKelo(const std::string& number) {
    const int row = RowOf(number);
    if (row < 0)
        return;
    KeloKeloPtrClass kelo = document.GetEditBuffer()->FindKelo(number);
    if (kelo.IsNull())
        return;
    rows[std::size_t(row)] = MakeRow(number, kelo);
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void TKeloTripDiagramKeloListModel::UpdateMarks(const std::string& number) {
    if (const int row = RowOf(number); row >= 0)
        emit dataChanged(index(row, 0), index(row, 0), {Qt::CheckStateRole, Qt::DecorationRole});
}

void TKeloTripDiagramKeloListModel::RefreshTimes() {
    if (rows.empty())
        return;
    // One walk over the set: a look-up by number per row would search the set each time.
    KeloKeloSetPtrClass kelos = document.GetEditBuffer()->GetKeloSet();
    const std::int32_t count = kelos->GetCount();
    for (std::int32_t i = 0; i < count; ++i) {
        KeloKeloPtrClass kelo = kelos->GetItem(i);
        if (const int row = kelo.IsNull() ? -1 : RowOf(kelo->GetNumber()); row >= 0)
            rows[std::size_t(row)].texts[0] = hooks.timeText(kelo);
    }
    emit dataChanged(index(0, 0), index(int(rows.size()) - 1, 0), {Qt::DisplayRole});
}

int TKeloTripDiagramKeloListModel::RowOf(const std::string& number) const {
    auto found = rowOf.find(number);
    return found == rowOf.end() ? -1 : found->second;
}

int TKeloTripDiagramKeloListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows.size());
}

int TKeloTripDiagramKeloListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 5;
}

QVariant TKeloTripDiagramKeloListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(rows.size()))
        return {};
    const RowType& row = rows[std::size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return row.texts[index.column()];
    case Qt::CheckStateRole:
        if (index.column() == 0)
            return document.Entry(row.number).visible ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::DecorationRole:
        return index.column() == 0 ? QVariant(BlankIcon()) : QVariant();
    case KeloColorRole:
        return hooks.color ? hooks.color(row.number) : QColor(Qt::black);
    case KeloNumberRole:
        return QByteArray(row.number.data(), qsizetype(row.number.size()));
    case TKeloListOrderProxyModel::SortBytesRole:
        if (index.column() == 1)
            return QByteArray(row.keloText.data(), qsizetype(row.keloText.size()));
        return {};
    default:
        return {};
    }
}

bool TKeloTripDiagramKeloListModel::setData(const QModelIndex& index, const QVariant& value,
                                            int role) {
    if (role != Qt::CheckStateRole || !index.isValid() || index.column() != 0 ||
        index.row() >= int(rows.size()))
        return false;
    const std::string number = rows[std::size_t(index.row())].number;
    const bool checked = value.toInt() == Qt::Checked;
    if (document.Entry(number).visible != checked && hooks.checked)
        hooks.checked(number, checked);
    UpdateMarks(number);
    return true;
}

Qt::ItemFlags TKeloTripDiagramKeloListModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
}

QVariant TKeloTripDiagramKeloListModel::headerData(int section, Qt::Orientation orientation,
                                                   int role) const {
    static const char* const captions[] = {"Время", "Рейс", "Скорость, км/ч", "Отпр.", "Приб."};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= 5)
        return {};
    return QString::fromUtf8(captions[section]);
}
