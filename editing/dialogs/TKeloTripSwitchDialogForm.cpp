#include "TKeloTripSwitchDialogForm.h"

#include "KeloQtText.h"
#include "TZoFormStorage.h"
#include "TZoStringStorage.h"
#include "TripDiagramListOrder.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int KeloIndexRole = Qt::UserRole;
constexpr int TextBytesRole = Qt::UserRole + 1;
// The tick as it was before the latest change of the row, to tell ticks from other changes.
constexpr int CheckedBeforeRole = Qt::UserRole + 2;
constexpr int PanelTag = 10;

/// A report list in which a click on a row's check box ticks it without changing which rows
/// are selected, so one tick can act on several selected rows.
class SwitchListView : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;

protected:
    void mousePressEvent(QMouseEvent* event) override {
        const QModelIndex index = indexAt(event->position().toPoint());
        if (index.isValid() && index.column() == 0 && event->button() == Qt::LeftButton) {
            QStyleOptionViewItem option;
            initViewItemOption(&option);
            option.rect = visualRect(index);
            option.features |= QStyleOptionViewItem::HasCheckIndicator;
            const QRect box =
                style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, this);
            if (box.contains(event->position().toPoint())) {
                QTreeWidgetItem* row = itemFromIndex(index);
                row->setCheckState(0,
                                   row->checkState(0) == Qt::Checked ? Qt::Unchecked : Qt::Checked);
                event->accept();
                return;
            }
        }
        QTreeWidget::mousePressEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        // The press already ticked the box; the release must not tick it back.
        const QModelIndex index = indexAt(event->position().toPoint());
        if (index.isValid() && index.column() == 0) {
            QStyleOptionViewItem option;
            initViewItemOption(&option);
            option.rect = visualRect(index);
            option.features |= QStyleOptionViewItem::HasCheckIndicator;
            if (style()
                    ->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, this)
                    .contains(event->position().toPoint())) {
                event->accept();
                return;
            }
        }
        QTreeWidget::mouseReleaseEvent(event);
    }
};

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
    KeloListView->setHeaderLabels(
        {QString::fromUtf8("Время (баз.), приб."), QString::fromUtf8("Название"),
         QString::fromUtf8("Рейс"), QString::fromUtf8("Время отпр."),
         QString::fromUtf8("Время приб."), QString::fromUtf8("Расстояние"),
         QString::fromUtf8("Скорость,км/ч")});
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
    connect(KeloListView, &QTreeWidget::itemChanged, this,
            [this](QTreeWidgetItem* row, int) { KeloListViewChange(row); });

    FormStorage = new TZoFormStorage(this);
    FormStorage->setObjectName("FormStorage");
    FormStorage->SetSection("TKeloTripSwitchDialogForm");
    PanelResize();
}

void TKeloTripSwitchDialogForm::AddRows(const std::vector<KeloSwitchRowType>& rows) {
    syncingChecks = true;
    for (const KeloSwitchRowType& data : rows) {
        auto* row = new QTreeWidgetItem();
        row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        row->setText(0, data.time);
        row->setCheckState(0, data.checked ? Qt::Checked : Qt::Unchecked);
        row->setData(0, CheckedBeforeRole, data.checked);
        row->setData(0, KeloIndexRole, data.keloIndex);
        row->setText(1, KeloToQString(data.name));
        row->setData(1, TextBytesRole, QByteArray(data.name.data(), qsizetype(data.name.size())));
        row->setText(2, KeloToQString(data.number));
        row->setData(2, TextBytesRole,
                     QByteArray(data.number.data(), qsizetype(data.number.size())));
        row->setText(3, data.departure);
        row->setText(4, data.arrival);
        row->setText(5, data.distance);
        row->setText(6, data.speed);
        for (int column = 5; column <= 6; ++column)
            row->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
        KeloListView->addTopLevelItem(row);
    }
    syncingChecks = false;
    SortRows();
}

std::vector<std::pair<int, bool>> TKeloTripSwitchDialogForm::Checks() const {
    std::vector<std::pair<int, bool>> checks;
    for (int i = 0; i < KeloListView->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = KeloListView->topLevelItem(i);
        checks.emplace_back(row->data(0, KeloIndexRole).toInt(), row->checkState(0) == Qt::Checked);
    }
    return checks;
}

int TKeloTripSwitchDialogForm::FirstSelectedKelo() const {
    for (int i = 0; i < KeloListView->topLevelItemCount(); ++i)
        if (QTreeWidgetItem* row = KeloListView->topLevelItem(i); row->isSelected())
            return row->data(0, KeloIndexRole).toInt();
    return -1;
}

void TKeloTripSwitchDialogForm::KeloListViewColumnClick(int column) {
    if (column + 1 == sortColumn)
        sortAscending = !sortAscending;
    else
        sortColumn = column + 1;
    SortRows();
}

int TKeloTripSwitchDialogForm::KeloListViewCompare(QTreeWidgetItem* row1,
                                                   QTreeWidgetItem* row2) const {
    using Kind = TripDiagramListOrder::ColumnKind;
    static constexpr Kind kinds[] = {Kind::Clock, Kind::Text,   Kind::Text,  Kind::Clock,
                                     Kind::Clock, Kind::Number, Kind::Number};
    const int column = sortColumn - 1;
    const auto text = [column](QTreeWidgetItem* row) {
        const QVariant bytes = row->data(column, TextBytesRole);
        return bytes.isValid() ? bytes.toByteArray().toStdString()
                               : row->text(column).toStdString();
    };
    return TripDiagramListOrder::CompareCells(kinds[column], text(row1), text(row2),
                                              !sortAscending);
}

void TKeloTripSwitchDialogForm::SortRows() {
    const bool wasSyncing = syncingChecks;
    syncingChecks = true;
    QList<QTreeWidgetItem*> selected = KeloListView->selectedItems();
    QTreeWidgetItem* current = KeloListView->currentItem();
    QList<QTreeWidgetItem*> rows;
    while (KeloListView->topLevelItemCount() > 0)
        rows.append(KeloListView->takeTopLevelItem(0));
    std::stable_sort(rows.begin(), rows.end(), [this](QTreeWidgetItem* a, QTreeWidgetItem* b) {
        return KeloListViewCompare(a, b) < 0;
    });
    KeloListView->addTopLevelItems(rows);
    if (current != nullptr)
        KeloListView->setCurrentItem(current, 0, QItemSelectionModel::NoUpdate);
    for (QTreeWidgetItem* row : selected)
        row->setSelected(true);
    syncingChecks = wasSyncing;
}

void TKeloTripSwitchDialogForm::KeloListViewChange(QTreeWidgetItem* row) {
    if (syncingChecks || row == nullptr)
        return;
    const bool checked = row->checkState(0) == Qt::Checked;
    if (checked == row->data(0, CheckedBeforeRole).toBool())
        return;
    syncingChecks = true;
    row->setData(0, CheckedBeforeRole, checked);
    if (row->isSelected() && KeloListView->selectedItems().size() > 1) {
        for (int i = 0; i < KeloListView->topLevelItemCount(); ++i) {
            QTreeWidgetItem* other = KeloListView->topLevelItem(i);
            if (other == row || !other->isSelected())
                continue;
            other->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
            other->setData(0, CheckedBeforeRole, checked);
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
