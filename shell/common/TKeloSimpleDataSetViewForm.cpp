#include "TKeloSimpleDataSetViewForm.h"

#include "KeloQtText.h"

#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeView>

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

TKeloSimpleDataSetViewForm::TKeloSimpleDataSetViewForm(QWidget* owner)
    : TKeloSimpleProcessForm(owner) {
    setObjectName(QStringLiteral("KeloSimpleDataSetViewForm"));
    ListView = new QTreeView(this);
    ListView->setObjectName(QStringLiteral("ListView"));
    model = new TKeloChoiceListModel(ListView);
    ListView->setModel(model);
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

TKeloChoiceListModel::CompareType TKeloSimpleDataSetViewForm::Compare() const {
    return [this](const TKeloListRow& a, const TKeloListRow& b) { return ListViewCompare(a, b); };
}

int TKeloSimpleDataSetViewForm::AddRow(const std::string& caption, const std::string& name) {
    return model->Insert(TKeloListRow(caption, name), Compare());
}

void TKeloSimpleDataSetViewForm::AddRows(std::vector<std::pair<std::string, std::string>> rows) {
    std::vector<TKeloListRow> added;
    added.reserve(rows.size());
    for (auto& [caption, name] : rows)
        added.emplace_back(std::move(caption), std::move(name));
    model->InsertAll(std::move(added), Compare());
}

int TKeloSimpleDataSetViewForm::RowCount() const {
    return model->rowCount();
}

const TKeloListRow* TKeloSimpleDataSetViewForm::Row(int index) const {
    return index >= 0 && index < RowCount() ? &model->Row(index) : nullptr;
}

QModelIndex TKeloSimpleDataSetViewForm::RowIndex(int index) const {
    return model->index(index, 0);
}

void TKeloSimpleDataSetViewForm::SelectRow(int index) {
    ListView->selectionModel()->setCurrentIndex(
        RowIndex(index), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

const TKeloListRow* TKeloSimpleDataSetViewForm::SelectedRow() const {
    const QModelIndexList selected = ListView->selectionModel()->selectedRows();
    return selected.isEmpty() ? nullptr : Row(selected.first().row());
}

std::string TKeloSimpleDataSetViewForm::SelectedCaption() const {
    const TKeloListRow* row = SelectedRow();
    return row != nullptr ? row->CaptionBytes() : std::string();
}

void TKeloSimpleDataSetViewForm::SortRows() {
    model->Sort(Compare());
    const QModelIndexList selected = ListView->selectionModel()->selectedRows();
    if (!selected.isEmpty())
        ListView->scrollTo(selected.first());
}

bool TKeloSimpleDataSetViewForm::FormCloseQuery(int) {
    return true;
}

void TKeloSimpleDataSetViewForm::done(int result) {
    if (!FormCloseQuery(result))
        return;
    QDialog::done(result);
}
