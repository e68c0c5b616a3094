#pragma once

#include "TKeloChoiceListModel.h"
#include "TKeloSimpleProcessForm.h"

#include <string>
#include <utility>
#include <vector>

class QTreeView;

/// A simple dialog with a report-style list above the Ok/Cancel panel: grid lines,
/// whole-row single selection, rows that cannot be edited.
class TKeloSimpleDataSetViewForm : public TKeloSimpleProcessForm {
    Q_OBJECT
public:
    explicit TKeloSimpleDataSetViewForm(QWidget* owner = nullptr);

    // Adds a row with a caption and one sub-item (Windows-1251 bytes), placed after the
    // rows that do not order after it; answers its position.
    int AddRow(const std::string& caption, const std::string& name);
    // Adds rows of (caption, name) in the order AddRow one by one gives, sorted once: a list
    // of thousands of rows fills in one pass instead of one insertion each.
    void AddRows(std::vector<std::pair<std::string, std::string>> rows);
    int RowCount() const;
    const TKeloListRow* Row(int index) const;
    // The row at `index` made the current and only selected one, as a click does.
    void SelectRow(int index);
    QModelIndex RowIndex(int index) const;
    // The selected row, or null.
    const TKeloListRow* SelectedRow() const;
    // The caption of the selected row (Windows-1251 bytes), empty without a selection.
    std::string SelectedCaption() const;

    void done(int result) override;

    QTreeView* ListView = nullptr;

protected:
    // Order of two rows: negative, zero or positive. Unordered by default (in the order
    // the rows were added).
    virtual int ListViewCompare(const TKeloListRow& row1, const TKeloListRow& row2) const;
    // Stable re-ordering of all rows by ListViewCompare; the selection stays.
    void SortRows();
    TKeloChoiceListModel* Model() const { return model; }
    // Asked before the dialog closes with `result`; false keeps it open.
    virtual bool FormCloseQuery(int result);

private:
    TKeloChoiceListModel::CompareType Compare() const;

    TKeloChoiceListModel* model = nullptr;
};
