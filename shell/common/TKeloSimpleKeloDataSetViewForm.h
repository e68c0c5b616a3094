#pragma once

#include "TKeloSimpleChoiceForm.h"

/// Modal kelo choice. Use:
///
///   TKeloSimpleKeloDataSetViewForm choice(data, owner);
///   if (choice.exec() == QDialog::Accepted)
///       use(choice.SelectedNumber());   // Windows-1251 bytes of the selected row's caption
class TKeloSimpleKeloDataSetViewForm : public TKeloSimpleChoiceForm {
    Q_OBJECT
public:
    // An empty list; the caller adds rows with AddRow(key, name).
    explicit TKeloSimpleKeloDataSetViewForm(QWidget* owner = nullptr)
        : TKeloSimpleChoiceForm(KeloChoiceRowKind::Kelo, owner) {}
    // Filled with one row per kelo of the data source's kelo set, in set order.
    explicit TKeloSimpleKeloDataSetViewForm(KeloDataPtrClass data, QWidget* owner = nullptr)
        : TKeloSimpleKeloDataSetViewForm(owner) {
        AddRowsOf(data);
    }

    // The chosen kelo number: the caption of the selected row, empty without a selection.
    std::string SelectedNumber() const { return SelectedCaption(); }
};
