#include "KeloChoiceRules.h"

#include "KeloMessageBoxes.h"
#include "TKeloSimpleDataSetViewForm.h"

#include <QDialog>
#include <QPushButton>
#include <QTreeView>

#include <algorithm>
#include <cstdlib>

int KeloChoiceCompare(int sortColumn, const TKeloListRow& row1, const TKeloListRow& row2) {
    int result = 0;
    switch (std::abs(sortColumn)) {
    case 1:
        result = KeloTextCompare(row1.CaptionBytes(), row2.CaptionBytes());
        break;
    case 2:
        result = KeloTextCompare(row1.NameBytes(), row2.NameBytes());
        break;
    default:
        break;
    }
    return sortColumn < 0 ? -result : result;
}

int KeloNextSortColumn(int sortColumn, int index) {
    return std::abs(sortColumn) == index + 1 ? -sortColumn : index + 1;
}

void KeloPlacePanelButtons(const QWidget* panel, QPushButton* okButton, QPushButton* cancelButton,
                           int gap) {
    cancelButton->move(panel->width() - cancelButton->width() - gap, cancelButton->y());
    okButton->move(cancelButton->x() - okButton->width() - gap, okButton->y());
}

bool KeloChoiceCloseQuery(TKeloSimpleDataSetViewForm* form, int result, const QString& refusal) {
    if (result != QDialog::Accepted || form->SelectedRow() != nullptr)
        return true;
    KeloShowError(refusal, form);
    form->ListView->setFocus();
    return false;
}
