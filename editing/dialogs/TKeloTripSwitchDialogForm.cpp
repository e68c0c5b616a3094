#include "TKeloTripSwitchDialogForm.h"

#include "KeloQtText.h"
#include "TKeloListOrderProxyModel.h"
#include "TZoFormStorage.h"
#include "TZoStringStorage.h"
#include "TripDiagramListOrder.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int KeloIndexRole = Qt::UserRole;
// The tick as it was before the latest change of the row, to tell ticks from other changes.
constexpr int CheckedBeforeRole = Qt::UserRole + 2;
constexpr int PanelTag = 10;

/// A report list in which a click on a row's check box ticks it without changing which rows
/// are selected, so one tick can act on several selected rows.
class SwitchListView : public QTreeView {
public:
    using QTreeView::QTreeView;

protected:
    void mousePressEvent(QMouseEvent* event) override {
        const QModelIndex index = CheckBoxAt(event);
        if (index.isValid()) {
            const bool checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
            model()->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
            event->accept();
            return;
        }
        QTreeView::mousePressEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        // The press already ticked the box; the release must not tick it back.
        if (CheckBoxAt(event).isValid()) {
            event->accept();
            return;
        }
        QTreeView::mouseReleaseEvent(event);
    }

private:
    // The row whose check box the left button is on, or none.
    QModelIndex CheckBoxAt(QMouseEvent* event) {
        const QModelIndex index = indexAt(event->position().toPoint());
        if (!index.isValid() || index.column() != 0 || event->button() != Qt::LeftButton)
            return {};
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        option.rect = visualRect(index);
        option.features |= QStyleOptionViewItem::HasCheckIndicator;
        const QRect box =
            style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, this);
        return box.contains(event->position().toPoint()) ? index : QModelIndex();
    }
};

QStandardItem* Cell(const QString& text) {
    auto* cell = new QStandardItem(text);
    cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return cell;
}

// A Windows-1251 text, sorted by its bytes.
QStandardItem* TextCell(const std::string& bytes) {
    QStandardItem* cell = Cell(KeloToQString(bytes));
    cell->setData(QByteArray(bytes.data(), qsizetype(bytes.size())),
                  TKeloListOrderProxyModel::SortBytesRole);
    return cell;
}

} // namespace

TKeloTripSwitchDialogForm::TKeloTripSwitchDialogForm(QWidget* parent) : QDialog(parent) {
    setObjectName("TKeloTripSwitchDialogForm");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(QString::fromUtf8("Выбор рейсов"));
    resize(587, 408);

    ZoStringStorage = new TZoStringStorage({QString::fromUtf8("Выбор рейса")}, this);
    ZoStringStorage->setObjectName("ZoStringStorage");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    KeloListView = new SwitchListView(this);
    KeloListView->setObjectName("KeloListView");
    KeloListView->setRootIsDecorated(false);
    KeloListView->setUniformRowHeights(true);
    KeloListView->setAllColumnsShowFocus(true);
    KeloListView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    KeloListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    KeloListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    KeloListView->setSortingEnabled(false);
    rowsModel = new QStandardItemModel(0, 7, this);
    rowsModel->setHorizontalHeaderLabels(
        {QString::fromUtf8("Время (баз.), приб."), QString::fromUtf8("Название"),
         QString::fromUtf8("Рейс"), QString::fromUtf8("Время отпр."),
         QString::fromUtf8("Время приб."), QString::fromUtf8("Расстояние"),
         QString::fromUtf8("Скорость,км/ч")});
    using Kind = TripDiagramListOrder::ColumnKind;
    sortedRows = new TKeloListOrderProxyModel(
        {Kind::Clock, Kind::Text, Kind::Text, Kind::Clock, Kind::Clock, Kind::Number, Kind::Number},
        sortColumn, this);
    sortedRows->setSourceModel(rowsModel);
    KeloListView->setModel(sortedRows);
    KeloListView->header()->setSectionsClickable(true);
    KeloListView->setColumnWidth(0, 130);
    KeloListView->setColumnWidth(1, 300);
    KeloListView->setColumnWidth(6, 83);
    layout->addWidget(KeloListView, 1);

    Panel = new QWidget(this);
    Panel->setObjectName("Panel");
    Panel->setFixedHeight(41);
    NextButton = new QPushButton(QStringLiteral("Ok"), Panel);
    NextButton->setObjectName("NextButton");
    NextButton->setDefault(true);
    NextButton->setGeometry(0, 8, 75, 25);
    CancelButton = new QPushButton(QString::fromUtf8("Отмена"), Panel);
    CancelButton->setObjectName("CancelButton");
    CancelButton->setGeometry(0, 8, 75, 25);
    layout->addWidget(Panel);

    connect(NextButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(KeloListView->header(), &QHeaderView::sectionClicked, this,
            &TKeloTripSwitchDialogForm::KeloListViewColumnClick);
    connect(rowsModel, &QStandardItemModel::itemChanged, this,
            &TKeloTripSwitchDialogForm::KeloListViewChange);

    FormStorage = new TZoFormStorage(this);
    FormStorage->setObjectName("FormStorage");
    FormStorage->SetSection("TKeloTripSwitchDialogForm");
    PanelResize();
}

void TKeloTripSwitchDialogForm::AddRows(const std::vector<KeloSwitchRowType>& rows) {
    syncingChecks = true;
    for (const KeloSwitchRowType& data : rows) {
        QList<QStandardItem*> row;
        QStandardItem* time = Cell(data.time);
        time->setFlags(time->flags() | Qt::ItemIsUserCheckable);
        time->setCheckState(data.checked ? Qt::Checked : Qt::Unchecked);
        time->setData(data.checked, CheckedBeforeRole);
        time->setData(data.keloIndex, KeloIndexRole);
        row << time << TextCell(data.name) << TextCell(data.number) << Cell(data.departure)
            << Cell(data.arrival) << Cell(data.distance) << Cell(data.speed);
        for (int column = 5; column <= 6; ++column)
            row[column]->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        rowsModel->appendRow(row);
    }
    syncingChecks = false;
}

std::vector<std::pair<int, bool>> TKeloTripSwitchDialogForm::Checks() const {
    std::vector<std::pair<int, bool>> checks;
    for (int i = 0; i < sortedRows->rowCount(); ++i) {
        const QModelIndex row = sortedRows->index(i, 0);
        checks.emplace_back(row.data(KeloIndexRole).toInt(),
                            row.data(Qt::CheckStateRole).toInt() == Qt::Checked);
    }
    return checks;
}

int TKeloTripSwitchDialogForm::FirstSelectedKelo() const {
    for (int i = 0; i < sortedRows->rowCount(); ++i)
        if (const QModelIndex row = sortedRows->index(i, 0);
            KeloListView->selectionModel()->isSelected(row))
            return row.data(KeloIndexRole).toInt();
    return -1;
}

void TKeloTripSwitchDialogForm::KeloListViewColumnClick(int column) {
    // Another column keeps the direction; the same one reverses it.
    if (column + 1 == sortColumn)
        sortAscending = !sortAscending;
    else
        sortColumn = column + 1;
    sortedRows->SetSortKey(sortAscending ? sortColumn : -sortColumn);
}

void TKeloTripSwitchDialogForm::KeloListViewChange(QStandardItem* cell) {
    if (syncingChecks || cell == nullptr || cell->column() != 0)
        return;
    const bool checked = cell->checkState() == Qt::Checked;
    if (checked == cell->data(CheckedBeforeRole).toBool())
        return;
    syncingChecks = true;
    cell->setData(checked, CheckedBeforeRole);
    QItemSelectionModel* selection = KeloListView->selectionModel();
    const QModelIndex shown = sortedRows->mapFromSource(cell->index());
    if (selection->isSelected(shown) && selection->selectedRows().size() > 1) {
        for (const QModelIndex& other : selection->selectedRows()) {
            QStandardItem* item = rowsModel->itemFromIndex(sortedRows->mapToSource(other));
            if (item == cell)
                continue;
            item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
            item->setData(checked, CheckedBeforeRole);
        }
    }
    syncingChecks = false;
}

void TKeloTripSwitchDialogForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    PanelResize();
}

void TKeloTripSwitchDialogForm::PanelResize() {
    CancelButton->move(Panel->width() - CancelButton->width() - PanelTag, CancelButton->y());
    NextButton->move(CancelButton->x() - NextButton->width() - PanelTag, NextButton->y());
}
