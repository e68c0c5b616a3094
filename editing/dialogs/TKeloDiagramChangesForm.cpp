#include "TKeloDiagramChangesForm.h"

#include "KeloCachedUpdateDataClass.h"
#include "KeloQtText.h"
#include "TZoStringStorage.h"

#include <QCheckBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

TKeloDiagramChangesForm::TKeloDiagramChangesForm(QWidget* parent) : QDialog(parent) {
    setObjectName("TKeloDiagramChangesForm");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(504, 347);

    ZoStringStorage =
        new TZoStringStorage({QString::fromUtf8("Рейс №"), QString::fromUtf8(" модифицирован"),
                              QString::fromUtf8(" добавлен"), QString::fromUtf8(" удален")},
                             this);
    ZoStringStorage->setObjectName("ZoStringStorage");

    ScrollBox = new QScrollArea(this);
    ScrollBox->setObjectName("ScrollBox");
    ScrollBox->setGeometry(0, 0, 505, 305);
    ScrollBox->setWidgetResizable(false);
    ScrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rowsArea = new QWidget(ScrollBox);
    rowsArea->resize(ScrollBox->viewport()->width(), 0);
    ScrollBox->setWidget(rowsArea);

    OkButton = new QPushButton(QString::fromUtf8("Да"), this);
    OkButton->setObjectName("OkButton");
    OkButton->setGeometry(344, 316, 75, 25);
    OkButton->setDefault(true);
    CancelButton = new QPushButton(QString::fromUtf8("Нет"), this);
    CancelButton->setObjectName("CancelButton");
    CancelButton->setGeometry(424, 316, 75, 25);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<std::vector<bool>> TKeloDiagramChangesForm::Ask(const QString& caption,
                                                              KeloCachedUpdateDataClass& buffer,
                                                              bool fixed) {
    setWindowTitle(caption);
    SetChanges(&buffer);
    // Box by box rather than the whole area, so that a long list still scrolls.
    for (QCheckBox* box : changeBoxes)
        box->setEnabled(!fixed);
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return ChosenChanges();
}

void TKeloDiagramChangesForm::SetChanges(KeloCachedUpdateDataClass* buffer) {
    if (buffer == nullptr)
        return;
    changeSource = buffer;
    FillChanges();
}

void TKeloDiagramChangesForm::FillChanges() {
    for (QCheckBox* box : changeBoxes)
        delete box;
    changeBoxes.clear();
    const int count = changeSource->GetChangeCount();
    for (int i = 0; i < count; ++i)
        AddChangeRow(i);
    int bottom = margin;
    if (!changeBoxes.empty())
        bottom = changeBoxes.back()->geometry().bottom() + 1 + margin;
    // Leave room for the vertical scroll bar when the rows overflow.
    rowsArea->resize(
        ScrollBox->width() - 2 * ScrollBox->frameWidth() -
            (bottom > ScrollBox->height() ? ScrollBox->verticalScrollBar()->sizeHint().width() : 0),
        bottom);
}

void TKeloDiagramChangesForm::AddChangeRow(int index) {
    auto* box = new QCheckBox(rowsArea);
    box->setObjectName(QString("ChangeBox%1").arg(index));
    KeloDataCUChangeKind kind = Modified;
    std::string number;
    changeSource->GetChange(index, kind, number);
    KeloKeloPtrClass kelo = changeSource->FindKelo(number);
    const std::string name = kelo.IsNull() ? std::string() : kelo->GetName();
    const int kindEntry = kind == Deleted ? 3 : (kind == Added ? 2 : 1);
    box->setText(ZoStringStorage->Line(0) + KeloToQString(number) + " (" + KeloToQString(name) +
                 ") " + ZoStringStorage->Line(kindEntry));
    const int top = changeBoxes.empty() ? margin
                                        : changeBoxes.back()->geometry().top() +
                                              changeBoxes.back()->height() + margin;
    box->setGeometry(margin, top, ScrollBox->width() - 2 * margin - 20, box->sizeHint().height());
    box->setChecked(true);
    box->show();
    changeBoxes.push_back(box);
}

std::vector<bool> TKeloDiagramChangesForm::ChosenChanges() const {
    std::vector<bool> chosen;
    for (QCheckBox* box : changeBoxes)
        chosen.push_back(box->isChecked());
    return chosen;
}
