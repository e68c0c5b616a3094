#include "TKeloSimpleKeloDataSetViewForm.h"

#include "KeloChoiceRules.h"
#include "TZoFormStorage.h"
#include "TZoStringStorage.h"

#include <QEvent>
#include <QHeaderView>
#include <QTreeWidget>

TKeloSimpleKeloDataSetViewForm::TKeloSimpleKeloDataSetViewForm(QWidget* owner)
    : TKeloSimpleDataSetViewForm(owner) {
    setObjectName(QStringLiteral("KeloSimpleKeloDataSetViewForm"));
    setWindowTitle(QString::fromUtf8("Выбор рейса"));
    MakeSizeable();

    ListView->setHeaderLabels({QString::fromUtf8("Код"), QString::fromUtf8("Название")});
    ListView->header()->resizeSection(0, 100);
    ListView->header()->resizeSection(1, 400);
    ListView->header()->setSectionsClickable(true);
    connect(ListView->header(), &QHeaderView::sectionClicked, this,
            &TKeloSimpleKeloDataSetViewForm::ListViewColumnClick);
    // A double-click on a kelo chooses it, as Ok does.
    connect(ListView, &QTreeWidget::itemDoubleClicked, this, [this] { accept(); });

    // The panel's tag: the gap beside and between the buttons.
    Panel->setProperty("tag", 10);
    Panel->installEventFilter(this);

    ZoStringStorage = new TZoStringStorage({QString::fromUtf8("Не выбран рейс")}, this);
    FormStorage = new TZoFormStorage(this);
}

TKeloSimpleKeloDataSetViewForm::TKeloSimpleKeloDataSetViewForm(KeloDataPtrClass data,
                                                               QWidget* owner)
    : TKeloSimpleKeloDataSetViewForm(owner) {
    KeloKeloSetPtrClass kelos = data->GetKeloSet();
    const std::int32_t count = kelos->GetCount();
    for (std::int32_t i = 0; i < count; ++i) {
        KeloKeloPtrClass kelo = kelos->GetItem(i);
        AddRow(kelo->GetNumber(), kelo->GetName());
    }
}

int TKeloSimpleKeloDataSetViewForm::ListViewCompare(const TKeloListRow& row1,
                                                    const TKeloListRow& row2) const {
    return KeloChoiceCompare(sortColumn, row1, row2);
}

void TKeloSimpleKeloDataSetViewForm::ListViewColumnClick(int column) {
    sortColumn = KeloNextSortColumn(sortColumn, column);
    SortRows();
}

bool TKeloSimpleKeloDataSetViewForm::FormCloseQuery(int result) {
    return KeloChoiceCloseQuery(this, result, ZoStringStorage->Line(0));
}

void TKeloSimpleKeloDataSetViewForm::PanelResize() {
    KeloPlacePanelButtons(Panel, OkButton, CancelButton, Panel->property("tag").toInt());
}

bool TKeloSimpleKeloDataSetViewForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Panel && event->type() == QEvent::Resize)
        PanelResize();
    return TKeloSimpleDataSetViewForm::eventFilter(watched, event);
}
