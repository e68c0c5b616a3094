// The diagram window's printouts and picture files: the part on screen to the printer as
// pixels, the whole chart to the printer and to PDF, SVG and PNG files as vectors.

#include "TKeloTripDiagramForm.h"

#include "KeloMessageBoxes.h"
#include "KeloQtText.h"
#include "TZoWaitCursor.h"
#include "TripDiagramPaintBox.h"
#include "TripDiagramPrinter.h"
#include "ZoCanvasExport.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QPrinter>

namespace {

QRect ToQRect(const ZoRectType& rect) {
    return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

} // namespace

void TKeloTripDiagramForm::PrintDiagramMenuItemClick(bool whole) {
    bool printed = false;
    {
        TZoWaitCursor wait;
        QPrinter printer(QPrinter::HighResolution); // the default printer
        printed = whole ? PrintWholeDiagram(printer) : !PrintDiagram(printer).isEmpty();
    }
    if (!printed)
        KeloShowError(U("Не удалось начать печать на принтере по умолчанию."), this);
}

QRect TKeloTripDiagramForm::PrintDiagram(QPrinter& printer) {
    return PrintCanvasArea(printer, *paintBox);
}

bool TKeloTripDiagramForm::PrintWholeDiagram(QPrinter& printer) {
    return PrintCanvasItems(printer, diagram->GetCanvas(), ToQRect(diagram->GetPictureArea()),
                            paintBox->font());
}

QString TKeloTripDiagramForm::ExportDiagram(const QString& fileName) {
    return ZoExportCanvas(diagram->GetCanvas(), ToQRect(diagram->GetPictureArea()),
                          paintBox->font(), fileName);
}

void TKeloTripDiagramForm::SaveDiagramImage() {
    const QStringList filters = {U("Документ PDF (*.pdf)"), U("Рисунок SVG (*.svg)"),
                                 U("Рисунок PNG (*.png)")};
    const QStringList suffixes = {"pdf", "svg", "png"};
    QFileDialog dialog(this, U("Сохранить изображение"));
    dialog.setObjectName("SaveImageDialog");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    dialog.selectFile(U("Диаграмма рейсов.pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    QString fileName = dialog.selectedFiles().constFirst();
    // A name typed without a known extension takes the one of the chosen filter.
    if (ZoImageFormatOfFile(fileName) == ZoImageFormatType::Unknown) {
        const qsizetype filter = filters.indexOf(dialog.selectedNameFilter());
        fileName += "." + suffixes.value(filter < 0 ? 0 : filter);
    }
    QString failure;
    {
        TZoWaitCursor wait;
        failure = ExportDiagram(fileName);
    }
    if (!failure.isEmpty())
        KeloShowError(U("Не удалось сохранить изображение в файл \"%1\".\n%2")
                          .arg(QDir::toNativeSeparators(fileName), failure),
                      this);
}
