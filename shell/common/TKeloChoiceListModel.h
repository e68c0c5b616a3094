#pragma once

#include <QAbstractTableModel>
#include <QString>

#include <functional>
#include <string>
#include <utility>
#include <vector>

/// One row of a choice list: the caption (a key) and its single sub-item (a name), kept as
/// the Windows-1251 bytes the data gave, which the ordering compares.
class TKeloListRow {
public:
    TKeloListRow(std::string caption, std::string name)
        : caption(std::move(caption)), name(std::move(name)) {}

    const std::string& CaptionBytes() const { return caption; }
    const std::string& NameBytes() const { return name; }
    // The text shown in a column: 0 the caption, 1 the name.
    QString text(int column) const;

private:
    std::string caption;
    std::string name;
};

/// The rows of a choice list as a table of two columns, "Код" and "Название". The rows are
/// plain values; their texts are made only when the view shows them, so a list of tens of
/// thousands of kelos costs no object per row.
class TKeloChoiceListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Negative, zero or positive: the order of two rows.
    using CompareType = std::function<int(const TKeloListRow&, const TKeloListRow&)>;

    explicit TKeloChoiceListModel(QObject* parent = nullptr);

    void SetHeaders(const QStringList& value) { headers = value; }
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    const TKeloListRow& Row(int index) const { return rows[std::size_t(index)]; }
    // Inserts a row after the rows that do not order after it.
    int Insert(TKeloListRow row, const CompareType& compare);
    // Adds rows where Insert one by one would put them, sorting once.
    void InsertAll(std::vector<TKeloListRow> added, const CompareType& compare);
    // Stable re-ordering; selections and the current row follow their rows.
    void Sort(const CompareType& compare);

private:
    std::vector<TKeloListRow> rows;
    QStringList headers;
};
