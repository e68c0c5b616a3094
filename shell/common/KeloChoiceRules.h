#pragma once

#include "Cp1251.h"

#include <QString>

#include <string>

class QPushButton;
class QWidget;
class TKeloListRow;
class TKeloSimpleDataSetViewForm;

// The rules the kelo and stop choice windows share.

/// Row order for `sortColumn` (1-based column; negative for descending): column 1 by the
/// captions, column 2 by the names.
int KeloChoiceCompare(int sortColumn, const TKeloListRow& row1, const TKeloListRow& row2);

/// The sort column after a click on the column with 0-based `index`: the same column
/// reverses the order, another column sorts ascending by it.
int KeloNextSortColumn(int sortColumn, int index);

/// Both buttons at the right edge of the panel, `gap` from the edge and apart.
void KeloPlacePanelButtons(const QWidget* panel, QPushButton* okButton, QPushButton* cancelButton,
                           int gap);

/// The close check: closing with Ok needs a selected row; otherwise `refusal` is shown
/// (error box) and the focus goes to the list. Answers whether the window may close.
bool KeloChoiceCloseQuery(TKeloSimpleDataSetViewForm* form, int result, const QString& refusal);
