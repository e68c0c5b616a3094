#pragma once

#include <QStyledItemDelegate>

/// Paints a cell that holds text alone (no check box, no icon) with the style's own panel and
/// focus frame but a plain elided text: the style's full item layout, run for every cell of a
/// list drawn whole after each click, was most of a click's time in the lists. Other cells
/// go the style's way.
class TKeloPlainTextItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};
