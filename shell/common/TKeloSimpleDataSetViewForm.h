#pragma once

#include "TKeloSimpleProcessForm.h"

#include <QTreeWidgetItem>

#include <string>
#include <utility>
#include <vector>

class QTreeWidget;

/// One row of a choice list: the caption (a key) and its single sub-item (a name), shown as
/// text and kept as the Windows-1251 bytes the data gave, which the ordering compares.
class TKeloListRow : public QTreeWidgetItem {
public:
    TKeloListRow(std::string caption, std::string name);

    const std::string& CaptionBytes() const { return caption; }
    const std::string& NameBytes() const { return name; }

private:
    std::string caption;
    std::string name;
};

/// A simple dialog with a report-style list above the Ok/Cancel panel: grid lines,
/// whole-row single selection, rows that cannot be edited.
class TKeloSimpleDataSetViewForm : public TKeloSimpleProcessForm {
    Q_OBJECT
public:
    explicit TKeloSimpleDataSetViewForm(QWidget* owner = nullptr);

    // Adds a row with a caption and one sub-item (Windows-1251 bytes), placed after the
    // rows that do not order after it.
    TKeloListRow* AddRow(const std::string& caption, const std::string& name);
    // Adds rows of (caption, name) in the order AddRow one by one gives, sorted once: a list
    // of thousands of rows fills in one pass instead of one insertion each.
    void AddRows(std::vector<std::pair<std::string, std::string>> rows);
    int RowCount() const;
    TKeloListRow* Row(int index) const;
    // The selected row, or null.
    TKeloListRow* SelectedRow() const;
    // The caption of the selected row (Windows-1251 bytes), empty without a selection.
    std::string SelectedCaption() const;

    void done(int result) override;

    QTreeWidget* ListView = nullptr;

protected:
    // Order of two rows: negative, zero or positive. Unordered by default (in the order
    // the rows were added).
    virtual int ListViewCompare(const TKeloListRow& row1, const TKeloListRow& row2) const;
    // Stable re-ordering of all rows by ListViewCompare; the selection stays.
    void SortRows();
    // Asked before the dialog closes with `result`; false keeps it open.
    virtual bool FormCloseQuery(int result);
};
