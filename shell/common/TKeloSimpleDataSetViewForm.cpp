#include "TKeloSimpleDataSetViewForm.h"

#include "KeloQtText.h"

#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeWidget>

#include <algorithm>

namespace {

// Report-style list cells with grid lines between rows and columns.
class GridDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        painter->save();
        painter->setPen(option.palette.color(QPalette::Midlight));
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
        painter->restore();
    }
};

} // namespace

TKeloListRow::TKeloListRow(std::string caption, std::string name)
    : caption(std::move(caption)), name(std::move(name)) {
    setText(0, KeloToQString(this->caption));
    setText(1, KeloToQString(this->name));
}

TKeloSimpleDataSetViewForm::TKeloSimpleDataSetViewForm(QWidget* owner)
    : TKeloSimpleProcessForm(owner) {
    setObjectName(QStringLiteral("KeloSimpleDataSetViewForm"));
    ListView = new QTreeWidget(this);
    ListView->setObjectName(QStringLiteral("ListView"));
    ListView->setRootIsDecorated(false);
    ListView->setItemsExpandable(false);
    ListView->setUniformRowHeights(true);
    ListView->setAllColumnsShowFocus(true);
    ListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView->setSortingEnabled(false);
    ListView->setItemDelegate(new GridDelegate(ListView));
    ListView->header()->setStretchLastSection(false);
    ListView->header()->setSectionsMovable(false);
    ReplaceClientArea(ListView);
    CancelButton->setText(QString::fromUtf8("Отмена"));
}

int TKeloSimpleDataSetViewForm::ListViewCompare(const TKeloListRow&, const TKeloListRow&) const {
    return 0;
}

TKeloListRow* TKeloSimpleDataSetViewForm::AddRow(const std::string& caption,
                                                 const std::string& name) {
    auto* row = new TKeloListRow(caption, name);
    // After the last row that does not order after the new one: equal keys keep the
    // order in which they came.
    int low = 0;
    int high = ListView->topLevelItemCount();
    while (low < high) {
        const int middle = (low + high) / 2;
        if (ListViewCompare(*row, *Row(middle)) < 0)
            high = middle;
        else
            low = middle + 1;
    }
    ListView->insertTopLevelItem(low, row);
    return row;
}

void TKeloSimpleDataSetViewForm::AddRows(std::vector<std::pair<std::string, std::string>> rows) {
    // The rows already there come first among equal keys, as they would one by one.
    QList<QTreeWidgetItem*> all = ListView->invisibleRootItem()->takeChildren();
    all.reserve(all.size() + qsizetype(rows.size()));
    for (auto& [caption, name] : rows)
        all.append(new TKeloListRow(std::move(caption), std::move(name)));
    std::stable_sort(all.begin(), all.end(), [this](QTreeWidgetItem* a, QTreeWidgetItem* b) {
        return ListViewCompare(*static_cast<TKeloListRow*>(a), *static_cast<TKeloListRow*>(b)) < 0;
    });
    ListView->addTopLevelItems(all);
}

int TKeloSimpleDataSetViewForm::RowCount() const {
    return ListView->topLevelItemCount();
}

TKeloListRow* TKeloSimpleDataSetViewForm::Row(int index) const {
    return static_cast<TKeloListRow*>(ListView->topLevelItem(index));
}

TKeloListRow* TKeloSimpleDataSetViewForm::SelectedRow() const {
    const QList<QTreeWidgetItem*> selected = ListView->selectedItems();
    return selected.isEmpty() ? nullptr : static_cast<TKeloListRow*>(selected.first());
}

std::string TKeloSimpleDataSetViewForm::SelectedCaption() const {
    const TKeloListRow* row = SelectedRow();
    return row != nullptr ? row->CaptionBytes() : std::string();
}

void TKeloSimpleDataSetViewForm::SortRows() {
    TKeloListRow* selected = SelectedRow();
    QTreeWidgetItem* current = ListView->currentItem();
    QList<QTreeWidgetItem*> rows = ListView->invisibleRootItem()->takeChildren();
    std::stable_sort(rows.begin(), rows.end(), [this](QTreeWidgetItem* a, QTreeWidgetItem* b) {
        return ListViewCompare(*static_cast<TKeloListRow*>(a), *static_cast<TKeloListRow*>(b)) < 0;
    });
    ListView->addTopLevelItems(rows);
    if (current != nullptr)
        ListView->setCurrentItem(current, 0, QItemSelectionModel::NoUpdate);
    if (selected != nullptr) {
        selected->setSelected(true);
        ListView->scrollToItem(selected);
    }
}

bool TKeloSimpleDataSetViewForm::FormCloseQuery(int) {
    return true;
}

void TKeloSimpleDataSetViewForm::done(int result) {
    if (!FormCloseQuery(result))
        return;
    QDialog::done(result);
}
