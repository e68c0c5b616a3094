#pragma once

#include "KeloDataClass.h"
#include "TKeloSimpleDataSetViewForm.h"

class TZoFormStorage;
class TZoStringStorage;

/// Modal kelo choice: columns "Код" and "Название", ordered by a clicked column (by name at
/// first), Ok refused without a selection. Use:
///
///   TKeloSimpleKeloDataSetViewForm choice(data, owner);
///   if (choice.exec() == QDialog::Accepted)
///       use(choice.SelectedNumber());   // Windows-1251 bytes of the selected row's caption
///
/// Only its placement is kept between runs.
class TKeloSimpleKeloDataSetViewForm : public TKeloSimpleDataSetViewForm {
    Q_OBJECT
public:
    // An empty list; the caller adds rows with AddRow(key, name).
    explicit TKeloSimpleKeloDataSetViewForm(QWidget* owner = nullptr);
    // Filled with one row per kelo of the data source's kelo set, in set order: "Код" = GetNumber,
    // "Название" = GetName.
    explicit TKeloSimpleKeloDataSetViewForm(KeloDataPtrClass data, QWidget* owner = nullptr);

    // The chosen kelo number: the caption of the selected row, empty without a selection.
    std::string SelectedNumber() const { return SelectedCaption(); }

    // 1-based column the rows are ordered by, negative for descending.
    int SortColumn() const { return sortColumn; }

    TZoStringStorage* ZoStringStorage = nullptr;
    TZoFormStorage* FormStorage = nullptr;

protected:
    int ListViewCompare(const TKeloListRow& row1, const TKeloListRow& row2) const override;
    bool FormCloseQuery(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ListViewColumnClick(int column);
    void PanelResize();

    int sortColumn = 2;
};
