#include "ZoCanvasExport.h"

#include "ZoCanvasClass.h"
#include "ZoQtDrawingSurfaceClass.h"

#include <QFileInfo>
#include <QFontInfo>
#include <QImage>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>

namespace {

// Title written into the files' metadata.
QString PictureTitle() {
    return QString::fromUtf8("Диаграмма рейсов");
}

// Screen pixels are 1/96 inch; PDF pages are measured in points of 1/72 inch.
constexpr double PointsPerPixel = 72.0 / 96.0;
// The largest page side PDF readers accept, in points.
constexpr double MaxPdfPageSide = 14400.0;

bool WritePdf(QSaveFile& file, const ZoCanvasClass& canvas, const QRect& area, const QFont& font) {
    const double width = area.width() * PointsPerPixel;
    const double height = area.height() * PointsPerPixel;
    // A picture beyond the reader's page limit is drawn smaller, still as vectors.
    const double shrink = std::min(1.0, MaxPdfPageSide / std::max(width, height));
    QPdfWriter writer(&file);
    writer.setTitle(PictureTitle());
    writer.setCreator(QStringLiteral("Kelo"));
    writer.setResolution(96);
    writer.setPageLayout(QPageLayout(QPageSize(QSizeF(width * shrink, height * shrink),
                                               QPageSize::Point, QString(), QPageSize::ExactMatch),
                                     QPageLayout::Portrait, QMarginsF()));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    painter.scale(shrink, shrink);
    ZoPaintCanvasArea(painter, canvas, area, font);
    return painter.end();
}

bool WriteSvg(QSaveFile& file, const ZoCanvasClass& canvas, const QRect& area, const QFont& font) {
    QSvgGenerator generator;
    generator.setOutputDevice(&file);
    generator.setTitle(PictureTitle());
    generator.setResolution(96);
    generator.setSize(area.size());
    generator.setViewBox(QRect(QPoint(0, 0), area.size()));
    QPainter painter;
    if (!painter.begin(&generator))
        return false;
    ZoPaintCanvasArea(painter, canvas, area, font);
    return painter.end();
}

bool WritePng(QSaveFile& file, const ZoCanvasClass& canvas, const QRect& area, const QFont& font) {
    const double scale = ZoPngScaleOf(area.size());
    QFont texts = ZoFontInPixels(font);
    // The picture shrinks but its texts should not: drawn larger by as much as the painter
    // shrinks them, they keep the size they have on the screen and stay readable.
    if (scale < 1)
        texts.setPixelSize(std::max(1, int(std::lround(texts.pixelSize() / scale))));
    const QImage image = ZoRenderCanvasToImage(canvas, area, texts, scale);
    return !image.isNull() && image.save(&file, "PNG");
}

} // namespace

double ZoPngScaleOf(const QSize& size) {
    const int longer = std::max(size.width(), size.height());
    return longer > ZoMaxPngSide ? double(ZoMaxPngSide) / longer : 1.0;
}

ZoImageFormatType ZoImageFormatOfFile(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("pdf"))
        return ZoImageFormatType::Pdf;
    if (suffix == QLatin1String("svg"))
        return ZoImageFormatType::Svg;
    if (suffix == QLatin1String("png"))
        return ZoImageFormatType::Png;
    return ZoImageFormatType::Unknown;
}

QFont ZoFontInPixels(const QFont& font) {
    if (font.pixelSize() > 0)
        return font;
    QFont result(font);
    result.setPixelSize(std::max(1, QFontInfo(font).pixelSize()));
    return result;
}

void ZoPaintCanvasArea(QPainter& painter, const ZoCanvasClass& canvas, const QRect& area,
                       const QFont& font) {
    painter.save();
    painter.setFont(ZoFontInPixels(font));
    painter.translate(-area.left(), -area.top());
    ZoQtDrawingSurfaceClass surface(painter, area);
    canvas.PaintTo(surface);
    painter.restore();
}

QString ZoExportCanvas(const ZoCanvasClass& canvas, const QRect& area, const QFont& font,
                       const QString& fileName) {
    const ZoImageFormatType format = ZoImageFormatOfFile(fileName);
    if (format == ZoImageFormatType::Unknown)
        return QStringLiteral("unknown file type; use .pdf, .svg or .png");
    if (area.isEmpty())
        return QStringLiteral("the picture is empty");
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    bool written = false;
    switch (format) {
    case ZoImageFormatType::Pdf:
        written = WritePdf(file, canvas, area, font);
        break;
    case ZoImageFormatType::Svg:
        written = WriteSvg(file, canvas, area, font);
        break;
    case ZoImageFormatType::Png:
        written = WritePng(file, canvas, area, font);
        break;
    case ZoImageFormatType::Unknown:
        break;
    }
    if (!written || file.error() != QFileDevice::NoError) {
        const QString reason = file.error() != QFileDevice::NoError
                                   ? file.errorString()
                                   : QStringLiteral("the picture could not be drawn");
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}
