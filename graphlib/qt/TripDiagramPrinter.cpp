#include "TripDiagramPrinter.h"

#include "ZoCanvasExport.h"

#include <QPainter>
#include <QPen>
#include <QPixmap>
#include <QPrinter>
#include <QRegion>
#include <QWidget>

#include <algorithm>

namespace {

constexpr int PageMargin = 10;

// Landscape first, then the page: the destination follows the landscape page.
QRect DestinationOnLandscapePage(QPrinter& printer) {
    printer.setPageOrientation(QPageLayout::Landscape);
    return QRect(PageMargin, PageMargin, printer.width() - 2 * PageMargin,
                 printer.height() - 2 * PageMargin);
}

void DrawDottedFrame(QPainter& painter, const QRect& frame) {
    painter.setPen(QPen(Qt::black, 0, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
}

} // namespace

QRect PrintCanvasArea(QPrinter& printer, QWidget& source, std::optional<QRect> sourceRect) {
    const QRect destination = DestinationOnLandscapePage(printer);
    // Outside a paint event the widget's clip is the part its parent (the scroll area's
    // viewport) shows; other windows lying over it do not cut it, grab() draws it anyway.
    QRect copied = source.rect();
    if (sourceRect)
        copied = *sourceRect;
    else if (const QWidget* parent = source.parentWidget())
        copied &= QRect(source.mapFromParent(QPoint(0, 0)), parent->size());
    if (copied.isEmpty())
        copied = source.rect();
    const QPixmap pixels = source.grab(copied);
    QPainter painter;
    if (!painter.begin(&printer))
        return QRect();
    painter.drawPixmap(destination, pixels);
    DrawDottedFrame(painter, destination);
    painter.end();
    return copied;
}

bool PrintCanvasItems(QPrinter& printer, const ZoCanvasClass& canvas, const QRect& area,
                      const QFont& font) {
    const QRect destination = DestinationOnLandscapePage(printer);
    if (area.isEmpty() || destination.isEmpty())
        return false;
    const double scale = std::min(double(destination.width()) / area.width(),
                                  double(destination.height()) / area.height());
    const QSizeF size(area.width() * scale, area.height() * scale);
    const QPointF origin(destination.left() + (destination.width() - size.width()) / 2,
                         destination.top() + (destination.height() - size.height()) / 2);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    painter.save();
    painter.translate(origin);
    painter.scale(scale, scale);
    ZoPaintCanvasArea(painter, canvas, area, font);
    painter.restore();
    DrawDottedFrame(painter, QRectF(origin, size).toAlignedRect());
    return painter.end();
}
