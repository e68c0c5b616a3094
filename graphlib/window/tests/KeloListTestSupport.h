#pragma once

// The diagram window's kelo list as the tests read and click it: rows in the order shown.

#include "TKeloTripDiagramForm.h"

#include <QAbstractItemModel>
#include <QTest>
#include <QTreeView>

#include <string>

namespace kelo_list_test {

inline QAbstractItemModel& Shown(TKeloTripDiagramForm& form) {
    return *form.KeloListView()->model();
}

inline int ListCount(TKeloTripDiagramForm& form) {
    return Shown(form).rowCount();
}

inline QString ListText(TKeloTripDiagramForm& form, int row, int column) {
    return Shown(form).index(row, column).data().toString();
}

inline Qt::CheckState ListCheck(TKeloTripDiagramForm& form, int row) {
    return Shown(form).index(row, 0).data(Qt::CheckStateRole).value<Qt::CheckState>();
}

// Ticks or clears a row's box as a click on it does.
inline void SetListCheck(TKeloTripDiagramForm& form, int row, bool checked) {
    Shown(form).setData(Shown(form).index(row, 0), checked ? Qt::Checked : Qt::Unchecked,
                        Qt::CheckStateRole);
}

// Kelo index of a row in the buffer's kelo set, -1 for none.
inline int ListKelo(TKeloTripDiagramForm& form, int row) {
    return form.Document().IndexOf(form.KeloNumberOfRow(Shown(form).index(row, 0)));
}

inline int CurrentListRow(TKeloTripDiagramForm& form) {
    return form.KeloListView()->currentIndex().row();
}

inline int CurrentListKelo(TKeloTripDiagramForm& form) {
    return ListKelo(form, CurrentListRow(form));
}

// Makes a row current and selected, as the arrow keys do.
inline void SetCurrentListRow(TKeloTripDiagramForm& form, int row) {
    form.KeloListView()->setCurrentIndex(Shown(form).index(row, 0));
}

// A click with the mouse on a row's text, as a planner picks a kelo from the list.
inline void ClickListRow(TKeloTripDiagramForm& form, int row) {
    QTreeView& view = *form.KeloListView();
    const QModelIndex index = Shown(form).index(row, 1);
    view.scrollTo(index);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(index).center());
}

// A double click on a row of the kelo list.
inline void DoubleClickListRow(TKeloTripDiagramForm& form, int row) {
    emit form.KeloListView()->doubleClicked(Shown(form).index(row, 0));
}

} // namespace kelo_list_test
