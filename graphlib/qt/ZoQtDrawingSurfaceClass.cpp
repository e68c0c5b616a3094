#include "ZoQtDrawingSurfaceClass.h"

#include "Cp1251.h"
#include "ZoCanvasClass.h"

#include <QImage>
#include <QList>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>

#include <algorithm>

QColor ZoColorToQColor(ZoColorType color) {
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

ZoColorType ZoColorFromQColor(const QColor& color) {
    return ZoColorType(color.red()) | (ZoColorType(color.green()) << 8) |
           (ZoColorType(color.blue()) << 16);
}

Qt::PenStyle ZoPenStyleToQt(int style) {
    switch (style) {
    case ZoPenDash:
        return Qt::DashLine;
    case ZoPenDot:
        return Qt::DotLine;
    case ZoPenDashDot:
        return Qt::DashDotLine;
    case ZoPenDashDotDot:
        return Qt::DashDotDotLine;
    case ZoPenClear:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

namespace {

QRect DeviceRect(QPainter& painter) {
    if (painter.hasClipping())
        return painter.clipBoundingRect().toAlignedRect();
    const QPaintDevice* device = painter.device();
    return device ? QRect(0, 0, device->width(), device->height()) : QRect();
}

} // namespace

ZoQtDrawingSurfaceClass::ZoQtDrawingSurfaceClass(QPainter& painter, const QRect& clip)
    : painter(&painter), metrics(painter.fontMetrics()), clip(clip), cullLines(true),
      pixels(painter.paintEngine() != nullptr &&
             painter.paintEngine()->type() == QPaintEngine::Raster) {}

ZoQtDrawingSurfaceClass::ZoQtDrawingSurfaceClass(QPainter& painter)
    : ZoQtDrawingSurfaceClass(painter, DeviceRect(painter)) {
    // The device's rectangle need not be in the painter's coordinates.
    cullLines = false;
}

ZoQtDrawingSurfaceClass::ZoQtDrawingSurfaceClass(const QFont& font, const QRect& clip)
    : metrics(font), clip(clip) {}

void ZoQtDrawingSurfaceClass::SetPenColor(ZoColorType color) {
    penDirty = penDirty || color != penColor;
    penColor = color;
}

void ZoQtDrawingSurfaceClass::SetPenStyle(int style) {
    penDirty = penDirty || style != penStyle;
    penStyle = style;
}

void ZoQtDrawingSurfaceClass::SetPenWidth(int width) {
    penDirty = penDirty || width != penWidth;
    penWidth = width;
}

void ZoQtDrawingSurfaceClass::SetBrushColor(ZoColorType color) {
    brushColor = color;
}

void ZoQtDrawingSurfaceClass::ApplyPen() {
    if (!penDirty)
        return;
    QPen pen(ZoColorToQColor(penColor), penWidth < 1 ? 1 : penWidth, ZoPenStyleToQt(penStyle));
    // Thin lines end exactly at their points; wide polylines get round ends so that their
    // separate segments join without notches.
    pen.setCapStyle(penWidth > 1 ? Qt::RoundCap : Qt::FlatCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter->setPen(pen);
    penDirty = false;
}

void ZoQtDrawingSurfaceClass::MoveTo(std::int32_t x, std::int32_t y) {
    posX = x;
    posY = y;
}

bool ZoQtDrawingSurfaceClass::LineOutsideClip(std::int32_t x, std::int32_t y) const {
    // The pen's width and square caps, with a pixel to spare; in 64 bits against far zoom.
    const std::int64_t margin = std::max(penWidth, 1) + 2;
    return std::int64_t(std::max(posX, x)) + margin < clip.left() ||
           std::int64_t(std::min(posX, x)) - margin > std::int64_t(clip.left()) + clip.width() ||
           std::int64_t(std::max(posY, y)) + margin < clip.top() ||
           std::int64_t(std::min(posY, y)) - margin > std::int64_t(clip.top()) + clip.height();
}

void ZoQtDrawingSurfaceClass::DotRun(std::int32_t x, std::int32_t y) {
    // Every third pixel from the start, counted from the start whatever part is repainted:
    // the toolkit restarts its dots where it cuts a line, so the pieces of a picture painted
    // apart (a scrolled strip, a tile) would not meet.
    const bool across = posY == y;
    const std::int64_t from = across ? posX : posY;
    const std::int64_t to = across ? x : y;
    const std::int64_t low = across ? clip.left() - 1 : clip.top() - 1;
    const std::int64_t high = across ? std::int64_t(clip.left()) + clip.width()
                                     : std::int64_t(clip.top()) + clip.height();
    const std::int64_t step = to >= from ? 1 : -1;
    const std::int64_t length = (to - from) * step;
    // The first and last dot numbers whose pixels lie within [low, high].
    std::int64_t first = step > 0 ? low - from : from - high;
    std::int64_t last = step > 0 ? high - from : from - low;
    first = std::max<std::int64_t>(0, (first + 2) / 3 * 3);
    last = std::min(last, length);
    QList<QPoint> dots;
    for (std::int64_t k = first; k <= last; k += 3) {
        const auto at = std::int32_t(from + step * k);
        dots.append(across ? QPoint(at, y) : QPoint(x, at));
    }
    painter->setPen(QPen(ZoColorToQColor(penColor), 1));
    painter->drawPoints(dots.data(), int(dots.size()));
    penDirty = true;
}

void ZoQtDrawingSurfaceClass::LineTo(std::int32_t x, std::int32_t y) {
    // A picture of many thousand lines repaints only what the area to repaint can show.
    if (painter != nullptr && !(cullLines && LineOutsideClip(x, y))) {
        // Counted in pixels, so only where a unit is a pixel (a scaled export or a
        // high-density screen keeps the toolkit's dots).
        if (pixels && penStyle == ZoPenDot && penWidth <= 1 && (posX == x) != (posY == y) &&
            painter->transform().type() <= QTransform::TxTranslate &&
            painter->device()->devicePixelRatio() == 1) {
            DotRun(x, y);
            posX = x;
            posY = y;
            return;
        }
        ApplyPen();
        if (posX == x && posY == y)
            painter->drawPoint(x, y);
        else
            painter->drawLine(posX, posY, x, y);
    }
    posX = x;
    posY = y;
}

void ZoQtDrawingSurfaceClass::Ellipse(const ZoRectType& bounds) {
    if (painter == nullptr)
        return;
    ApplyPen();
    painter->setBrush(ZoColorToQColor(brushColor));
    painter->drawEllipse(QRect(bounds.left, bounds.top, bounds.Width(), bounds.Height()));
    painter->setBrush(Qt::NoBrush);
}

void ZoQtDrawingSurfaceClass::Rectangle(const ZoRectType& bounds) {
    if (painter == nullptr || bounds.Width() <= 0 || bounds.Height() <= 0)
        return;
    painter->fillRect(QRect(bounds.left, bounds.top, bounds.Width(), bounds.Height()),
                      ZoColorToQColor(brushColor));
    if (penStyle == ZoPenClear)
        return;
    ApplyPen();
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(QRect(bounds.left, bounds.top, bounds.Width() - 1, bounds.Height() - 1));
}

void ZoQtDrawingSurfaceClass::TextOut(std::int32_t x, std::int32_t y, const std::string& text) {
    if (painter == nullptr)
        return;
    const QString& s = Convert(text);
    const int width = metrics.horizontalAdvance(s);
    painter->fillRect(QRect(x, y, width, metrics.height()), ZoColorToQColor(brushColor));
    painter->setPen(textColor);
    painter->drawText(x, y + metrics.ascent(), s);
    penDirty = true;
}

std::int32_t ZoQtDrawingSurfaceClass::TextWidth(const std::string& text) {
    return metrics.horizontalAdvance(Convert(text));
}

std::int32_t ZoQtDrawingSurfaceClass::TextHeight(const std::string&) {
    return metrics.height();
}

ZoRectType ZoQtDrawingSurfaceClass::GetClipRect() {
    return {clip.left(), clip.top(), clip.left() + clip.width(), clip.top() + clip.height()};
}

const QString& ZoQtDrawingSurfaceClass::Convert(const std::string& text) {
    if (text != lastBytes) {
        lastBytes = text;
        lastText = QString::fromStdString(Cp1251ToUtf8(text));
    }
    return lastText;
}

QImage ZoRenderCanvasToImage(const ZoCanvasClass& canvas, const QRect& area, const QFont& font,
                             qreal scale) {
    const QSize size(qMax(1, qRound(area.width() * scale)), qMax(1, qRound(area.height() * scale)));
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.scale(scale, scale);
    painter.translate(-area.left(), -area.top());
    ZoQtDrawingSurfaceClass surface(painter, area);
    canvas.PaintTo(surface);
    return image;
}
