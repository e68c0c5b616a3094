#include "KeloExportCommand.h"

#include "Cp1251.h"
#include "KeloLineOf.h"
#include "KeloSelectableDataClass.h"
#include "TripDiagramClass.h"
#include "TripDiagramHostClass.h"
#include "ZoCanvasExport.h"
#include "ZoQtDrawingSurfaceClass.h"

#include <QApplication>
#include <QFile>
#include <QWidget>

#include <cmath>
#include <vector>

namespace {

// A window's source offers only the kelos with two or more calls on the line; a source
// over all kelos shows the others too, so they are left out of the picture here.
void HideKelosOffTheLine(TripDiagramClass& diagram) {
    KeloKeloSetPtrClass kelos = diagram.GetView()->GetKeloSet();
    std::vector<TripDiagramKeloViewType>& views = diagram.KeloViews();
    for (std::int32_t k = 0; k < kelos->GetCount() && k < std::int32_t(views.size()); ++k)
        if (kelos->GetItem(k)->GetSchedule()->GetCount() < 2)
            views[k].visible = false;
}

} // namespace

int RunDiagramExport(const std::string& number, const std::string& file,
                     KeloDataPtrClass bottomSource, std::ostream& errors,
                     const std::function<std::string()>& readFailure) {
    const QString fileName = QFile::decodeName(file.c_str());
    if (ZoImageFormatOfFile(fileName) == ZoImageFormatType::Unknown) {
        errors << "kelo: cannot tell the format of \"" << file
               << "\" by its extension; use .pdf, .svg or .png\n";
        return KeloExportRefusedExitCode;
    }
    const Cp1251EncodeResult encoded = Utf8ToCp1251(number);
    KeloKeloPtrClass kelo;
    if (encoded.Ok())
        kelo = bottomSource->FindKelo(encoded.bytes);
    if (kelo.IsNull()) {
        errors << "kelo: there is no kelo with the number \"" << number << "\"\n";
        return KeloExportRefusedExitCode;
    }

    // The fonts of a new window's paint area.
    const QFont font = QApplication::font("QWidget");
    ZoQtDrawingSurfaceClass measure(font);
    TripDiagramHeadlessHostClass host;
    TripDiagramClass diagram(host, measure);
    // Over the kelos of the line only, as a window opens it: a database then reads them in
    // bulk instead of walking every kelo it holds.
    const std::vector<std::string> line = KeloLineOf(bottomSource, encoded.bytes);
    diagram.Create(encoded.bytes, line, KeloSelectStops(bottomSource, line));
    HideKelosOffTheLine(diagram);
    diagram.BuildScene();
    // A picture with stays or distances missing would pass for the real one.
    if (const std::string failure = readFailure(); !failure.empty()) {
        errors << "kelo: cannot read the database: " << failure << "\n";
        return KeloExportRefusedExitCode;
    }

    const ZoRectType area = diagram.GetPictureArea();
    const QString failure =
        ZoExportCanvas(diagram.GetCanvas(), QRect(area.left, area.top, area.Width(), area.Height()),
                       font, fileName);
    if (!failure.isEmpty()) {
        errors << "kelo: cannot write \"" << file << "\": " << failure.toStdString() << "\n";
        return KeloExportRefusedExitCode;
    }
    const double scale = ZoPngScaleOf(QSize(area.Width(), area.Height()));
    if (ZoImageFormatOfFile(fileName) == ZoImageFormatType::Png && scale < 1)
        errors << "kelo: the picture is " << area.Width() << " x " << area.Height()
               << " pixels, more than " << ZoMaxPngSide << " a side; \"" << file
               << "\" holds it scaled to " << std::lround(scale * 100)
               << " %, texts at full size\n";
    return 0;
}
