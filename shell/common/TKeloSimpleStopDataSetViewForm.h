#pragma once

#include "TKeloSimpleChoiceForm.h"

/// Modal stop choice. Use:
///
///   TKeloSimpleStopDataSetViewForm choice(data, owner);
///   if (choice.exec() == QDialog::Accepted)
///       use(choice.SelectedCode());   // Windows-1251 bytes of the selected row's caption
class TKeloSimpleStopDataSetViewForm : public TKeloSimpleChoiceForm {
    Q_OBJECT
public:
    // An empty list; the caller adds rows with AddRow(key, name).
    explicit TKeloSimpleStopDataSetViewForm(QWidget* owner = nullptr)
        : TKeloSimpleChoiceForm(KeloChoiceRowKind::Stop, owner) {}
    // Filled with one row per stop of the data source's stop set, in set order.
    explicit TKeloSimpleStopDataSetViewForm(KeloDataPtrClass data, QWidget* owner = nullptr)
        : TKeloSimpleStopDataSetViewForm(owner) {
        AddRowsOf(data);
    }

    // The chosen stop code: the caption of the selected row, empty without a selection.
    std::string SelectedCode() const { return SelectedCaption(); }
};
