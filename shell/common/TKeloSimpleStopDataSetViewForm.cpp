#include "TKeloSimpleStopDataSetViewForm.h"

#include "KeloChoiceRules.h"
#include "TZoFormStorage.h"
#include "TZoStringStorage.h"

#include <QEvent>
#include <QHeaderView>
#include <QTreeWidget>

TKeloSimpleStopDataSetViewForm::TKeloSimpleStopDataSetViewForm(QWidget* owner)
    : TKeloSimpleDataSetViewForm(owner) {
    setObjectName(QStringLiteral("KeloSimpleStopDataSetViewForm"));
    setWindowTitle(QString::fromUtf8("Выбор остановочного пункта"));
    MakeSizeable();

    ListView->setHeaderLabels({QString::fromUtf8("Код"), QString::fromUtf8("Название")});
    ListView->header()->resizeSection(0, 100);
    ListView->header()->resizeSection(1, 400);
    ListView->header()->setSectionsClickable(true);
    connect(ListView->header(), &QHeaderView::sectionClicked, this,
            &TKeloSimpleStopDataSetViewForm::ListViewColumnClick);

    // The panel's tag: the gap beside and between the buttons.
    Panel->setProperty("tag", 10);
    Panel->installEventFilter(this);

    ZoStringStorage = new TZoStringStorage({QString::fromUtf8("Не выбран рейс")}, this);
    FormStorage = new TZoFormStorage(this);
}

TKeloSimpleStopDataSetViewForm::TKeloSimpleStopDataSetViewForm(KeloDataPtrClass data,
                                                               QWidget* owner)
    : TKeloSimpleStopDataSetViewForm(owner) {
    KeloStopSetPtrClass stops = data->GetStopSet();
    const std::int32_t count = stops->GetCount();
    for (std::int32_t i = 0; i < count; ++i) {
        KeloStopPtrClass stop = stops->GetItem(i);
        AddRow(stop->GetCode(), stop->GetName());
    }
}

int TKeloSimpleStopDataSetViewForm::ListViewCompare(const TKeloListRow& row1,
                                                    const TKeloListRow& row2) const {
    return KeloChoiceCompare(sortColumn, row1, row2);
}

void TKeloSimpleStopDataSetViewForm::ListViewColumnClick(int column) {
    sortColumn = KeloNextSortColumn(sortColumn, column);
    SortRows();
}

bool TKeloSimpleStopDataSetViewForm::FormCloseQuery(int result) {
    return KeloChoiceCloseQuery(this, result, ZoStringStorage->Line(0));
}

void TKeloSimpleStopDataSetViewForm::PanelResize() {
    KeloPlacePanelButtons(Panel, OkButton, CancelButton, Panel->property("tag").toInt());
}

bool TKeloSimpleStopDataSetViewForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Panel && event->type() == QEvent::Resize)
        PanelResize();
    return TKeloSimpleDataSetViewForm::eventFilter(watched, event);
}
