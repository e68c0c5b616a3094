#pragma once

#include "KeloDataClass.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QString>

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

class KeloDiagramDocumentClass;

/// The diagram window's kelo list: one row per kelo of the document, keyed by kelo number,
/// with the columns "Время", "Рейс", "Скорость, км/ч", "Отпр." and "Приб." and the check box
/// of the kelo's visibility. Rows come, go and change one by one as the document's change
/// events say; the texts are kept, so sorting and painting never read the data.
class TKeloTripDiagramKeloListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The kelo number of a row, as its Windows-1251 bytes.
    static constexpr int KeloNumberRole = Qt::UserRole;
    // The kelo's colour in the chart, for the row's colour square.
    static constexpr int KeloColorRole = Qt::UserRole + 1;

    /// What the window supplies: the "Время" text of a kelo, a kelo's colour key and what
    /// a tick by the planner does.
    struct HooksType {
        std::function<QString(KeloKeloPtrClass)> timeText;
        std::function<QColor(const std::string&)> color;
        std::function<void(const std::string&, bool)> checked;
    };

    TKeloTripDiagramKeloListModel(KeloDiagramDocumentClass& document, HooksType hooks,
                                  QObject* parent = nullptr);

    // Every row again, from the document's kelos in their set order.
    void Reset();
    // One row each: a kelo that came, one that went, one whose texts changed.
    void AddKelo(const std::string& number);
    void RemoveKelo(const std::string& number);
    void UpdateKelo(const std::string& number);
    // Repaints the row's check box and colour square without reading the kelo.
    void UpdateMarks(const std::string& number);
    // The "Время" column of every row, after the time axis moved to another stop.
    void RefreshTimes();
    // The row of a kelo, -1 when it has none; the number of a row.
    int RowOf(const std::string& number) const;
    const std::string& NumberAt(int row) const { return rows[std::size_t(row)].number; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct RowType {
        std::string number;
        std::string keloText; // "name - [number]", Windows-1251
        QString texts[5];
    };
    RowType MakeRow(const std::string& number, KeloKeloPtrClass kelo) const;
    void IndexRowsFrom(int first);

    KeloDiagramDocumentClass& document;
    HooksType hooks;
    std::vector<RowType> rows;
    std::unordered_map<std::string, int> rowOf;
};
