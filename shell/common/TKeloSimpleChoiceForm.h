#pragma once

#include "KeloDataClass.h"
#include "TKeloSimpleDataSetViewForm.h"

class TZoFormStorage;
class TZoStringStorage;

/// The kind of rows a choice form offers: kelos (number, name) or stops (code, name).
enum class KeloChoiceRowKind { Kelo, Stop };

/// Modal choice of one row: columns "Код" and "Название", ordered by a clicked column (by
/// name at first), Ok refused without a selection. Only its placement is kept between runs.
/// The kelo and stop choices are this form over their kind of rows.
class TKeloSimpleChoiceForm : public TKeloSimpleDataSetViewForm {
    Q_OBJECT
public:
    // 1-based column the rows are ordered by, negative for descending.
    int SortColumn() const { return sortColumn; }

    TZoStringStorage* ZoStringStorage = nullptr;
    TZoFormStorage* FormStorage = nullptr;

protected:
    // An empty list of `kind` rows; the caller adds rows with AddRow(key, name).
    TKeloSimpleChoiceForm(KeloChoiceRowKind kind, QWidget* owner);
    // One row per kelo or stop of the source's set, in set order: "Код" = number or code,
    // "Название" = name.
    void AddRowsOf(KeloDataPtrClass data);

    int ListViewCompare(const TKeloListRow& row1, const TKeloListRow& row2) const override;
    bool FormCloseQuery(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ListViewColumnClick(int column);
    void PanelResize();

    KeloChoiceRowKind kind;
    int sortColumn = 2;
};
