#include "TKeloTripDiagramClashPanel.h"

#include "KeloQtText.h"
#include "TZoFormStorage.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int ClashRole = Qt::UserRole;

} // namespace

TKeloTripDiagramClashPanel::TKeloTripDiagramClashPanel(QWidget* parent) : QWidget(parent) {
    setObjectName("ClashPanel");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* row = new QHBoxLayout;
    auto* caption = new QLabel(U("Интервал не менее, мин:"), this);
    row->addWidget(caption);
    intervalEdit = new QSpinBox(this);
    intervalEdit->setObjectName("MinimumIntervalEdit");
    intervalEdit->setRange(0, TimetableClashMaximumMinimumInterval);
    intervalEdit->setValue(TimetableClashDefaultMinimumInterval);
    caption->setBuddy(intervalEdit);
    row->addWidget(intervalEdit);
    row->addSpacing(16);
    countLabel = new QLabel(this);
    countLabel->setObjectName("ClashCountLabel");
    row->addWidget(countLabel, 1);
    layout->addLayout(row);

    listView = new QTreeWidget(this);
    listView->setObjectName("ClashListView");
    listView->setRootIsDecorated(false);
    listView->setUniformRowHeights(true);
    listView->setAllColumnsShowFocus(true);
    listView->setSelectionMode(QAbstractItemView::SingleSelection);
    listView->setSelectionBehavior(QAbstractItemView::SelectRows);
    listView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listView->setHeaderLabels({U("Вид"), U("Пункт"), U("Время"), U("Рейс"), U("Мешает рейсу")});
    listView->setColumnWidth(0, 70);
    listView->setColumnWidth(1, 160);
    listView->setColumnWidth(2, 50);
    listView->setColumnWidth(3, 70);
    layout->addWidget(listView, 1);

    connect(intervalEdit, &QSpinBox::valueChanged, this,
            &TKeloTripDiagramClashPanel::MinimumIntervalChanged);
    connect(listView, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        const int row = item->data(0, ClashRole).toInt();
        if (row >= 0 && row < int(shown.size()))
            emit ClashActivated(shown[std::size_t(row)]);
    });
}

void TKeloTripDiagramClashPanel::ShowClashes(const std::vector<TimetableClashType>& clashes,
                                             const std::vector<std::string>& stopNames) {
    shown = clashes;
    countLabel->setText(U("Конфликтов: %1").arg(clashes.size()));
    listView->setUpdatesEnabled(false);
    listView->clear();
    QList<QTreeWidgetItem*> rows;
    rows.reserve(qsizetype(clashes.size()));
    for (std::size_t i = 0; i < clashes.size(); ++i) {
        const TimetableClashType& clash = clashes[i];
        const std::size_t stop = std::size_t(clash.stop);
        auto* row = new QTreeWidgetItem(
            QStringList{clash.kind == TimetableClashKind::Interval ? U("интервал") : U("обгон"),
                        stop < stopNames.size() ? KeloToQString(stopNames[stop]) : QString(),
                        KeloTimeText(KeloTimeType(clash.time)), KeloToQString(clash.keloA),
                        KeloToQString(clash.keloB)});
        row->setData(0, ClashRole, int(i));
        rows.push_back(row);
    }
    listView->addTopLevelItems(rows);
    listView->setUpdatesEnabled(true);
}

int TKeloTripDiagramClashPanel::MinimumInterval() const {
    return intervalEdit->value();
}

void TKeloTripDiagramClashPanel::SetMinimumInterval(int minutes) {
    intervalEdit->setValue(minutes);
}

void TKeloTripDiagramClashPanel::KeepSettingIn(TZoFormStorage& storage) {
    const QString item = QStringLiteral("ClashPanel.MinimumInterval");
    QStringList items = storage.StoredProps();
    items.append(item);
    storage.SetStoredProps(items);
    storage.SetPropertyAccess(
        item, [this] { return QString::number(intervalEdit->value()); },
        [this](const QString& text) {
            bool ok = false;
            const int minutes = text.toInt(&ok);
            // A stored value out of range is skipped like any other.
            if (ok && minutes >= intervalEdit->minimum() && minutes <= intervalEdit->maximum())
                intervalEdit->setValue(minutes);
        });
}
