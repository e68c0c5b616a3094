#include "TKeloSimpleChoiceForm.h"

#include "KeloChoiceRules.h"
#include "TZoFormStorage.h"
#include "TZoStringStorage.h"

#include <QEvent>
#include <QHeaderView>
#include <QTreeView>

#include <algorithm>

TKeloSimpleChoiceForm::TKeloSimpleChoiceForm(KeloChoiceRowKind kind, QWidget* owner)
    : TKeloSimpleDataSetViewForm(owner), kind(kind) {
    // The object name keys the kept placement, so each kind keeps its own.
    const bool kelos = kind == KeloChoiceRowKind::Kelo;
    setObjectName(kelos ? QStringLiteral("KeloSimpleKeloDataSetViewForm")
                        : QStringLiteral("KeloSimpleStopDataSetViewForm"));
    setWindowTitle(kelos ? QString::fromUtf8("Выбор рейса")
                         : QString::fromUtf8("Выбор остановочного пункта"));
    MakeSizeable();

    Model()->SetHeaders({QString::fromUtf8("Код"), QString::fromUtf8("Название")});
    ListView->header()->resizeSection(0, 100);
    ListView->header()->resizeSection(1, 400);
    ListView->header()->setSectionsClickable(true);
    connect(ListView->header(), &QHeaderView::sectionClicked, this,
            &TKeloSimpleChoiceForm::ListViewColumnClick);
    // A double-click on a row chooses it, as Ok does.
    connect(ListView, &QTreeView::doubleClicked, this, [this] { accept(); });

    // The panel's tag: the gap beside and between the buttons.
    Panel->setProperty("tag", 10);
    Panel->installEventFilter(this);

    ZoStringStorage = new TZoStringStorage({QString::fromUtf8("Не выбран рейс")}, this);
    FormStorage = new TZoFormStorage(this);
}

void TKeloSimpleChoiceForm::AddRowsOf(KeloDataPtrClass data) {
    std::vector<std::pair<std::string, std::string>> rows;
    if (kind == KeloChoiceRowKind::Kelo) {
        KeloKeloSetPtrClass kelos = data->GetKeloSet();
        const std::int32_t count = kelos->GetCount();
        rows.reserve(std::size_t(std::max(count, 0)));
        for (std::int32_t i = 0; i < count; ++i) {
            KeloKeloPtrClass kelo = kelos->GetItem(i);
            rows.emplace_back(kelo->GetNumber(), kelo->GetName());
        }
    } else {
        KeloStopSetPtrClass stops = data->GetStopSet();
        const std::int32_t count = stops->GetCount();
        rows.reserve(std::size_t(std::max(count, 0)));
        for (std::int32_t i = 0; i < count; ++i) {
            KeloStopPtrClass stop = stops->GetItem(i);
            rows.emplace_back(stop->GetCode(), stop->GetName());
        }
    }
    AddRows(std::move(rows));
}

int TKeloSimpleChoiceForm::ListViewCompare(const TKeloListRow& row1,
                                           const TKeloListRow& row2) const {
    return KeloChoiceCompare(sortColumn, row1, row2);
}

void TKeloSimpleChoiceForm::ListViewColumnClick(int column) {
    sortColumn = KeloNextSortColumn(sortColumn, column);
    SortRows();
}

bool TKeloSimpleChoiceForm::FormCloseQuery(int result) {
    return KeloChoiceCloseQuery(this, result, ZoStringStorage->Line(0));
}

void TKeloSimpleChoiceForm::PanelResize() {
    KeloPlacePanelButtons(Panel, OkButton, CancelButton, Panel->property("tag").toInt());
}

bool TKeloSimpleChoiceForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Panel && event->type() == QEvent::Resize)
        PanelResize();
    return TKeloSimpleDataSetViewForm::eventFilter(watched, event);
}
