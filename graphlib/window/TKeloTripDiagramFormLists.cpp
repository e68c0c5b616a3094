// The diagram window's two lists and its info panel: filling, sorting, selection.

#include "TKeloTripDiagramForm.h"

#include "KeloChoiceRules.h"
#include "KeloQtText.h"
#include "KeloTimetableArithmetic.h"
#include "TZoWaitCursor.h"
#include "TripDiagramListOrder.h"
#include "ZoQtDrawingSurfaceClass.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTreeWidget>

#include <algorithm>
#include <cmath>

namespace {

constexpr int KeloIndexRole = Qt::UserRole;
// The cp1251 bytes of the "Рейс" text, compared as the data's own bytes.
constexpr int KeloTextBytesRole = Qt::UserRole + 1;

QString FormatOneDecimal(double value) {
    return KeloFormatDecimal(value, 1);
}

/// Paints the kelo's colour as a 10 x 10 square in the row's icon cell: the colour key of
/// the chart. The square follows the display state at every repaint.
class KeloColorSquareDelegate : public QStyledItemDelegate {
public:
    KeloColorSquareDelegate(TKeloTripDiagramForm& form, QObject* parent)
        : QStyledItemDelegate(parent), form(form) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        if (index.column() != 0 || !index.data(KeloIndexRole).isValid())
            return;
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QWidget* widget = opt.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        const QRect cell = style->subElementRect(QStyle::SE_ItemViewItemDecoration, &opt, widget);
        if (!cell.isValid())
            return;
        const int left = cell.left() + (cell.width() - 10) / 2 - 1;
        const int top = cell.top() + (cell.height() - 10) / 2;
        painter->save();
        painter->setPen(Qt::NoPen);
        painter->setBrush(form.KeloColorOfRow(index));
        painter->drawRect(left, top, 10, 10);
        painter->restore();
    }

protected:
    // The number at the end tells "7-1" from "7-3": where the column is too narrow the
    // name gives way, never the number.
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.column() != 1 || option->rect.width() <= 0)
            return;
        const int split = int(option->text.lastIndexOf(QStringLiteral(" - [")));
        if (split < 0)
            return;
        const QString number = option->text.mid(split);
        const QStyle* style = option->widget ? option->widget->style() : QApplication::style();
        const int margins =
            2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option->widget) + 1);
        const int room =
            option->rect.width() - margins - option->fontMetrics.horizontalAdvance(number);
        if (option->fontMetrics.horizontalAdvance(option->text) <= option->rect.width() - margins)
            return;
        option->text = option->fontMetrics.elidedText(option->text.left(split), Qt::ElideRight,
                                                      std::max(0, room)) +
                       number;
    }

private:
    TKeloTripDiagramForm& form;
};

QIcon BlankIcon() {
    // Reserves the icon cell of every row, like an empty small-image list.
    static const QIcon blank = [] {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::transparent);
        return QIcon(pixmap);
    }();
    return blank;
}

} // namespace

QColor TKeloTripDiagramForm::KeloColorOfRow(const QModelIndex& index) const {
    const QVariant data = index.data(KeloIndexRole);
    const auto& views = diagram->KeloViews();
    const int kelo = data.isValid() ? data.toInt() : -1;
    if (kelo < 0 || kelo >= int(views.size()))
        return Qt::black;
    return ZoColorToQColor(views[kelo].color);
}

QString TKeloTripDiagramForm::KeloTimeAtSelectedStop(KeloKeloPtrClass kelo) {
    KeloStopSetPtrClass stops = diagram->GetView()->GetStopSet();
    if (State().selectedStop < 0 || State().selectedStop >= stops->GetCount())
        return {};
    const std::string code = stops->GetItem(State().selectedStop)->GetCode();
    KeloKeloSchedulePtrClass schedule = kelo->GetSchedule();
    const std::int32_t count = schedule->GetCount();
    for (std::int32_t i = 0; i < count; ++i) {
        KeloStopSchedulePtrClass entry = schedule->GetItem(i);
        if (entry->GetStop()->GetCode() != code)
            continue;
        const KeloTimeType stay = entry->GetStay();
        if (stay.IsEmpty())
            return {};
        return KeloClockText(entry->GetArrival() + stay);
    }
    return {};
}

bool TKeloTripDiagramForm::AddKeloListItem(int index, KeloKeloPtrClass kelo) {
    if (kelo.IsNull())
        return false;
    auto* row = new QTreeWidgetItem();
    row->setIcon(0, BlankIcon());
    row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    const auto& views = diagram->KeloViews();
    const bool visible = index < int(views.size()) && views[index].visible;
    row->setCheckState(0, visible ? Qt::Checked : Qt::Unchecked);
    FillKeloListTexts(row, kelo);
    row->setData(0, KeloIndexRole, index);
    keloListView->addTopLevelItem(row);
    return true;
}

// One filling for a new row and a refreshed one, so the two never show a kelo differently.
void TKeloTripDiagramForm::FillKeloListTexts(QTreeWidgetItem* row, KeloKeloPtrClass kelo) {
    const std::string keloText = kelo->GetName() + " - [" + kelo->GetNumber() + "]";
    row->setText(0, KeloTimeAtSelectedStop(kelo));
    row->setText(1, KeloToQString(keloText));
    row->setData(1, KeloTextBytesRole, QByteArray(keloText.data(), qsizetype(keloText.size())));
    row->setText(2, FormatOneDecimal(kelo->GetAverageSpeed()));
    KeloKeloSchedulePtrClass schedule = kelo->GetSchedule();
    const std::int32_t count = schedule->GetCount();
    row->setText(3, count > 0 ? KeloClockText(schedule->GetItem(0)->GetArrival()) : QString());
    row->setText(4,
                 count > 0 ? KeloClockText(schedule->GetItem(count - 1)->GetArrival()) : QString());
}

QTreeWidgetItem* TKeloTripDiagramForm::FindKeloListItem(int index) const {
    const int rows = keloListView->topLevelItemCount();
    for (int i = 0; i < rows; ++i) {
        QTreeWidgetItem* row = keloListView->topLevelItem(i);
        const QVariant data = row->data(0, KeloIndexRole);
        if (data.isValid() && data.toInt() == index)
            return row;
    }
    return nullptr;
}

void TKeloTripDiagramForm::FillKeloList() {
    if (keloListView->itemDelegate() == nullptr ||
        dynamic_cast<KeloColorSquareDelegate*>(keloListView->itemDelegate()) == nullptr)
        keloListView->setItemDelegate(new KeloColorSquareDelegate(*this, keloListView));

    keloListRebuilding = true;
    keloListView->setUpdatesEnabled(false);
    keloListView->clear();
    KeloKeloSetPtrClass kelos = diagram->GetEditBuffer()->GetKeloSet();
    const std::int32_t count = kelos->GetCount();
    bool allAdded = true;
    for (std::int32_t i = 0; i < count && allAdded; ++i)
        allAdded = AddKeloListItem(i, kelos->GetItem(i));
    keloListRebuilding = false;
    if (allAdded) {
        SortKeloList();
        if (keloListView->topLevelItemCount() > 0) {
            QTreeWidgetItem* row = FindKeloListItem(State().selectedKelo);
            const bool firstInstead = row == nullptr;
            if (firstInstead)
                row = keloListView->topLevelItem(0);
            keloListRebuilding = true;
            keloListView->setCurrentItem(row);
            keloListRebuilding = false;
            keloListView->scrollToItem(row);
            // The first row stands in for a kelo that has no row: it becomes the selected
            // kelo, so the list, the chart and the info panel agree.
            if (firstInstead)
                KeloListViewSelectItem();
        }
    }
    keloListView->setUpdatesEnabled(true);
}

int TKeloTripDiagramForm::KeloListViewCompare(QTreeWidgetItem* row1, QTreeWidgetItem* row2) const {
    using namespace TripDiagramListOrder;
    const int k = std::abs(keloListSortKey);
    const bool descending = keloListSortKey < 0;
    if (k == 1 || k == 4 || k == 5) {
        const int column = k - 1;
        return CompareClockTexts(row1->text(column).toStdString(), row2->text(column).toStdString(),
                                 descending);
    }
    int result = 0;
    if (k == 2) {
        const QByteArray a = row1->data(1, KeloTextBytesRole).toByteArray();
        const QByteArray b = row2->data(1, KeloTextBytesRole).toByteArray();
        result = KeloTextCompare(a.toStdString(), b.toStdString());
    } else if (k == 3) {
        result = CompareNumberTexts(row1->text(2).toStdString(), row2->text(2).toStdString());
    }
    return descending ? -result : result;
}

void TKeloTripDiagramForm::SortKeloList() {
    // The list sorts with its own comparison: rows without a time must stay last both ways,
    // which a plain ascending/descending flip cannot do.
    const bool wasRebuilding = keloListRebuilding;
    keloListRebuilding = true;
    QTreeWidgetItem* current = keloListView->currentItem();
    const int currentIndex = current ? current->data(0, KeloIndexRole).toInt() : -1;
    QList<QTreeWidgetItem*> rows;
    while (keloListView->topLevelItemCount() > 0)
        rows.append(keloListView->takeTopLevelItem(0));
    std::stable_sort(rows.begin(), rows.end(), [this](QTreeWidgetItem* a, QTreeWidgetItem* b) {
        return KeloListViewCompare(a, b) < 0;
    });
    keloListView->addTopLevelItems(rows);
    if (currentIndex != -1)
        if (QTreeWidgetItem* row = FindKeloListItem(currentIndex))
            keloListView->setCurrentItem(row);
    keloListRebuilding = wasRebuilding;
}

void TKeloTripDiagramForm::KeloListViewColumnClick(int column) {
    if (std::abs(keloListSortKey) == column + 1)
        keloListSortKey = -keloListSortKey;
    else
        keloListSortKey = column + 1;
    SortKeloList();
    if (QTreeWidgetItem* row = keloListView->currentItem())
        keloListView->scrollToItem(row);
}

void TKeloTripDiagramForm::KeloListViewChange(QTreeWidgetItem* item) {
    if (keloListRebuilding || item == nullptr)
        return;
    const QVariant data = item->data(0, KeloIndexRole);
    if (!data.isValid())
        return;
    auto& views = diagram->KeloViews();
    const int index = data.toInt();
    if (index < 0 || index >= int(views.size()))
        return;
    const bool visible = item->checkState(0) == Qt::Checked;
    if (views[index].visible == visible)
        return;
    SetKeloVisible(index, visible);
    diagram->BuildScene();
}

void TKeloTripDiagramForm::KeloListViewSelectItem() {
    if (keloListRebuilding)
        return;
    QTreeWidgetItem* row = keloListView->currentItem();
    if (row == nullptr || !row->isSelected())
        return;
    const QVariant data = row->data(0, KeloIndexRole);
    if (!data.isValid())
        return;
    const int index = data.toInt();
    if (index == State().selectedKelo)
        return;
    State().selectedKelo = index;
    ApplyKeloSelectionChange();
    const auto& views = diagram->KeloViews();
    if (index >= 0 && index < int(views.size()) && views[index].visible)
        diagram->ScrollToKelo(index);
}

void TKeloTripDiagramForm::SelectKeloListRow(int index) {
    QTreeWidgetItem* current = keloListView->currentItem();
    if (current != nullptr && current->data(0, KeloIndexRole).toInt() == index)
        return;
    if (QTreeWidgetItem* row = FindKeloListItem(index)) {
        keloListRebuilding = true;
        keloListView->setCurrentItem(row);
        keloListRebuilding = false;
        keloListView->scrollToItem(row);
    }
}

void TKeloTripDiagramForm::FillInfoPanel(bool showZeroCapacity) {
    busModelValue->clear();
    busCapacityValue->clear();
    pathLengthValue->clear();
    pathTimeValue->clear();
    const int index = State().selectedKelo;
    KeloKeloSetPtrClass kelos = diagram->GetEditBuffer()->GetKeloSet();
    if (index < 0 || index >= kelos->GetCount())
        return;
    KeloKeloPtrClass kelo = kelos->GetItem(index);
    KeloBusPtrClass bus = kelo->GetBus();
    if (!bus.IsNull()) {
        busModelValue->setText(KeloToQString(bus->GetModel()));
        const QString seats = QString::number(bus->GetCapacity());
        // An unknown number of seats is stored as 0: a blank reads better than a zero.
        busCapacityValue->setText(seats == "0" && !showZeroCapacity ? QString() : seats);
    }
    pathLengthValue->setText(FormatOneDecimal(kelo->GetDistance()));
    pathTimeValue->setText(KeloTimeText(kelo->GetTravelTime()));
}

void TKeloTripDiagramForm::ApplyKeloSelection() {
    ShowSelectedKelo(nullptr);
}

void TKeloTripDiagramForm::ApplyKeloSelectionChange() {
    const std::vector<int> none;
    ShowSelectedKelo(&none);
}

void TKeloTripDiagramForm::ShowSelectedKelo(const std::vector<int>* changedKelos) {
    TZoWaitCursor wait;
    SelectKeloListRow(State().selectedKelo);
    diagram->ApplyKeloColors();
    // A changed selection and edits of known kelos take the short way of redrawing only the
    // kelos concerned.
    if (changedKelos == nullptr)
        diagram->BuildScene();
    else
        diagram->UpdateKelos(*changedKelos);
    FillInfoPanel(false);
    FillTimetableList(State().selectedKelo);
    keloListView->viewport()->update();
}

void TKeloTripDiagramForm::RefreshKeloDetails() {
    ApplyKeloSelection();
    FillInfoPanel(true);
    QTreeWidgetItem* row = FindKeloListItem(State().selectedKelo);
    KeloKeloSetPtrClass kelos = diagram->GetEditBuffer()->GetKeloSet();
    if (row == nullptr || State().selectedKelo >= kelos->GetCount())
        return;
    KeloKeloPtrClass kelo = kelos->GetItem(State().selectedKelo);
    const std::string keloText = kelo->GetName() + " - [" + kelo->GetNumber() + "]";
    row->setText(1, KeloToQString(keloText));
    row->setData(1, KeloTextBytesRole, QByteArray(keloText.data(), qsizetype(keloText.size())));
    row->setText(2, FormatOneDecimal(kelo->GetAverageSpeed()));
}

void TKeloTripDiagramForm::ApplyStopSelection() {
    diagram->BuildScene();
    RefreshKeloTimes();
}

void TKeloTripDiagramForm::FillTimetableList(int index) {
    timetableListView->setUpdatesEnabled(false);
    timetableListView->clear();
    KeloDataPtrClass buffer = diagram->GetEditBuffer();
    KeloKeloSetPtrClass kelos = buffer->GetKeloSet();
    if (index >= 0 && index < kelos->GetCount()) {
        KeloKeloSchedulePtrClass schedule = kelos->GetItem(index)->GetSchedule();
        KeloTopologyPtrClass topology = buffer->GetTopology();
        const std::int32_t count = schedule->GetCount();
        KeloStopSchedulePtrClass entry =
            count > 0 ? schedule->GetItem(0) : KeloStopSchedulePtrClass();
        std::string code = count > 0 ? entry->GetStop()->GetCode() : std::string();
        for (std::int32_t j = 0; j < count; ++j) {
            auto* row = new QTreeWidgetItem();
            KeloStopPtrClass stop = entry->GetStop();
            const KeloTimeType arrival = entry->GetArrival();
            const KeloTimeType stay = entry->GetStay();
            row->setText(0, KeloToQString(stop->GetName()));
            row->setText(1, KeloClockText(arrival));
            row->setText(2, KeloClockText(arrival + stay));
            row->setText(3, KeloTimeText(stay));
            if (j + 1 < count) {
                KeloStopSchedulePtrClass next = schedule->GetItem(j + 1);
                const std::string nextCode = next->GetStop()->GetCode();
                const KeloRunType run = MeasureKeloRun(arrival, stay, next->GetArrival(),
                                                       topology->GetDistance(code, nextCode));
                row->setText(4, FormatOneDecimal(run.speed));
                row->setText(5, FormatOneDecimal(run.distance));
                entry = next;
                code = nextCode;
            }
            timetableListView->addTopLevelItem(row);
        }
    }
    timetableListView->setUpdatesEnabled(true);
}

void TKeloTripDiagramForm::RefreshKeloTimes() {
    TZoWaitCursor wait;
    keloListRebuilding = true;
    KeloKeloSetPtrClass kelos = diagram->GetEditBuffer()->GetKeloSet();
    const int rows = keloListView->topLevelItemCount();
    for (int i = 0; i < rows; ++i) {
        QTreeWidgetItem* row = keloListView->topLevelItem(i);
        const QVariant data = row->data(0, KeloIndexRole);
        if (data.isValid() && data.toInt() < kelos->GetCount())
            row->setText(0, KeloTimeAtSelectedStop(kelos->GetItem(data.toInt())));
    }
    keloListRebuilding = false;
    SortKeloList();
    if (QTreeWidgetItem* row = keloListView->currentItem())
        keloListView->scrollToItem(row);
}
