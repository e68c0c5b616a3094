// The diagram window's two lists and its info panel: filling, sorting, selection.

#include "TKeloTripDiagramForm.h"

#include "KeloQtText.h"
#include "KeloTimetableArithmetic.h"
#include "TKeloListOrderProxyModel.h"
#include "TKeloPlainTextItemDelegate.h"
#include "TKeloTripDiagramKeloListModel.h"
#include "TZoWaitCursor.h"
#include "ZoQtDrawingSurfaceClass.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QTreeWidget>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

QString FormatOneDecimal(double value) {
    return KeloFormatDecimal(value, 1);
}

/// Paints the kelo's colour as a 10 x 10 square in the row's icon cell: the colour key of
/// the chart. The square follows the display state at every repaint.
class KeloColorSquareDelegate : public TKeloPlainTextItemDelegate {
public:
    using TKeloPlainTextItemDelegate::TKeloPlainTextItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        TKeloPlainTextItemDelegate::paint(painter, option, index);
        if (index.column() != 0)
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
        painter->setBrush(index.data(TKeloTripDiagramKeloListModel::KeloColorRole).value<QColor>());
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
};

} // namespace

QColor TKeloTripDiagramForm::KeloColorOfRow(const QModelIndex& index) const {
    const QVariant color = index.data(TKeloTripDiagramKeloListModel::KeloColorRole);
    return color.isValid() ? color.value<QColor>() : QColor(Qt::black);
}

std::string TKeloTripDiagramForm::KeloNumberOfRow(const QModelIndex& index) const {
    return index.data(TKeloTripDiagramKeloListModel::KeloNumberRole).toByteArray().toStdString();
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

void TKeloTripDiagramForm::CreateKeloList() {
    TKeloTripDiagramKeloListModel::HooksType hooks;
    hooks.timeText = [this](KeloKeloPtrClass kelo) { return KeloTimeAtSelectedStop(kelo); };
    hooks.color = [this](const std::string& number) {
        const int index = ChartPosition(number);
        const auto& views = diagram->KeloViews();
        if (index < 0 || index >= int(views.size()))
            return QColor(Qt::black);
        return ZoColorToQColor(views[std::size_t(index)].color);
    };
    hooks.checked = [this](const std::string& number, bool checked) {
        KeloListViewChange(number, checked);
    };
    keloListModel = new TKeloTripDiagramKeloListModel(*document, std::move(hooks), this);
    using Kind = TripDiagramListOrder::ColumnKind;
    keloListProxy = new TKeloListOrderProxyModel(
        {Kind::Clock, Kind::Text, Kind::Number, Kind::Clock, Kind::Clock}, 1, this);
    keloListProxy->setSourceModel(keloListModel);
    keloListView->setModel(keloListProxy);
    keloListView->setItemDelegate(new KeloColorSquareDelegate(keloListView));
    // A click makes the row current before it selects it, the keyboard the other way round:
    // the kelo follows whichever comes last.
    connect(keloListView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TKeloTripDiagramForm::KeloListViewSelectItem);
    connect(keloListView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TKeloTripDiagramForm::KeloListViewSelectItem);
    // Each column at least as wide as its caption; the first holds check box, colour and time.
    const int widths[] = {100, 250, 95, 50, 50};
    for (int column = 0; column < 5; ++column)
        keloListView->setColumnWidth(
            column, std::max(widths[column], keloListView->header()->sectionSizeHint(column)));
}

QModelIndex TKeloTripDiagramForm::FindKeloListItem(const std::string& number) const {
    const int row = keloListModel->RowOf(number);
    return row < 0 ? QModelIndex() : keloListProxy->mapFromSource(keloListModel->index(row, 0));
}

void TKeloTripDiagramForm::FillKeloList() {
    keloListRebuilding = true;
    keloListModel->Reset();
    keloListRebuilding = false;
    if (keloListProxy->rowCount() == 0)
        return;
    QModelIndex row = FindKeloListItem(document->Selected());
    const bool firstInstead = !row.isValid();
    if (firstInstead)
        row = keloListProxy->index(0, 0);
    keloListRebuilding = true;
    keloListView->setCurrentIndex(row);
    keloListRebuilding = false;
    keloListView->scrollTo(row);
    // The first row stands in for a kelo that has no row: it becomes the selected kelo, so
    // the list, the chart and the info panel agree.
    if (firstInstead)
        KeloListViewSelectItem();
}

int TKeloTripDiagramForm::KeloListSortKey() const {
    return keloListProxy->SortKey();
}

void TKeloTripDiagramForm::KeloListViewColumnClick(int column) {
    keloListRebuilding = true;
    keloListProxy->ColumnClick(column);
    keloListRebuilding = false;
    keloListView->scrollTo(keloListView->currentIndex());
}

void TKeloTripDiagramForm::KeloListViewChange(const std::string& number, bool checked) {
    if (keloListRebuilding || document->Entry(number).visible == checked)
        return;
    SetKeloVisible(number, checked);
    diagram->BuildScene();
}

void TKeloTripDiagramForm::KeloListViewSelectItem() {
    if (keloListRebuilding)
        return;
    const QModelIndex row = keloListView->currentIndex();
    if (!row.isValid() || !keloListView->selectionModel()->isSelected(row.siblingAtColumn(0)))
        return;
    const std::string number = KeloNumberOfRow(row);
    if (number.empty() || number == document->Selected())
        return;
    SelectKelo(number);
    ScrollToShownKelo(number);
}

void TKeloTripDiagramForm::SelectKelo(const std::string& number) {
    document->Select(number);
    ApplyKeloSelectionChange();
}

void TKeloTripDiagramForm::SelectKeloListRow(const std::string& number) {
    const QModelIndex row = FindKeloListItem(number);
    if (!row.isValid() || keloListView->currentIndex().row() == row.row())
        return;
    keloListRebuilding = true;
    keloListView->setCurrentIndex(row);
    keloListRebuilding = false;
    keloListView->scrollTo(row);
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
    // The document holds the selection by number; the picture wants its position.
    State().selectedKelo = ChartPosition(document->Selected());
    SelectKeloListRow(document->Selected());
    diagram->ApplyKeloColors();
    // A changed selection and edits of known kelos take the short way of redrawing only the
    // kelos concerned.
    if (changedKelos == nullptr)
        diagram->BuildScene();
    else
        diagram->UpdateKelos(*changedKelos);
    FillInfoPanel(false);
    FillTimetableList(State().selectedKelo);
    // Every colour square may have changed; a mere change of selection repaints its two rows.
    if (changedKelos == nullptr)
        keloListView->viewport()->update();
    keloListModel->UpdateMarks(shownSelected);
    shownSelected = document->Selected();
    keloListModel->UpdateMarks(shownSelected);
}

void TKeloTripDiagramForm::RefreshKeloDetails() {
    ApplyKeloSelection();
    FillInfoPanel(true);
    keloListModel->UpdateKelo(document->Selected());
}

void TKeloTripDiagramForm::ApplyStopSelection() {
    diagram->BuildScene();
    RefreshKeloTimes();
}

void TKeloTripDiagramForm::FillTimetableList(int index) {
    // The rows go in at once; turning updates off and on again instead would ask for a
    // repaint of the whole widget at every click.
    std::vector<std::unique_ptr<QTreeWidgetItem>> rows;
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
            auto row = std::make_unique<QTreeWidgetItem>();
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
            rows.push_back(std::move(row));
        }
    }
    QList<QTreeWidgetItem*> owned;
    for (std::unique_ptr<QTreeWidgetItem>& row : rows)
        owned.append(row.release());
    timetableListView->addTopLevelItems(owned);
}

void TKeloTripDiagramForm::RefreshKeloTimes() {
    TZoWaitCursor wait;
    keloListRebuilding = true;
    keloListModel->RefreshTimes(); // the proxy sorts the changed column again
    keloListRebuilding = false;
    keloListView->scrollTo(keloListView->currentIndex());
}
