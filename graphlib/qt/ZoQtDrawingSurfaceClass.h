#pragma once

#include "ZoDrawingSurfaceClass.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QString>

#include <optional>
#include <string>

class QPainter;
class QImage;
class ZoCanvasClass;

/// QColor of a 0x00BBGGRR colour, and back.
QColor ZoColorToQColor(ZoColorType color);
ZoColorType ZoColorFromQColor(const QColor& color);
/// Qt pen style of a surface pen style (0 solid, 1 dashed, 2 dotted, 3 dash-dot,
/// 4 dash-dot-dot, 5 none; anything else is solid).
Qt::PenStyle ZoPenStyleToQt(int style);

/// Drawing surface over a QPainter: the one draw path of the diagram on screen, on paper and
/// in image files. A surface made from a font alone measures texts and draws nothing, so a
/// scene can be laid out (text extents, label widths) before any paint event.
class ZoQtDrawingSurfaceClass : public ZoDrawingSurfaceClass {
public:
    // Draws through the painter with its font; `clip` is the area to repaint.
    ZoQtDrawingSurfaceClass(QPainter& painter, const QRect& clip);
    // Same, over the painter's clipping area, or its whole device when it does not clip.
    explicit ZoQtDrawingSurfaceClass(QPainter& painter);
    // Measures in this font; drawing calls do nothing.
    explicit ZoQtDrawingSurfaceClass(const QFont& font, const QRect& clip = QRect());

    // Colour of the glyphs (the pen plays no part in texts); black by default.
    void SetTextColor(const QColor& color) { textColor = color; }

    void SetPenColor(ZoColorType color) override;
    void SetPenStyle(int style) override;
    void SetPenWidth(int width) override;
    void SetBrushColor(ZoColorType color) override;
    void MoveTo(std::int32_t x, std::int32_t y) override;
    void LineTo(std::int32_t x, std::int32_t y) override;
    void Ellipse(const ZoRectType& bounds) override;
    void Rectangle(const ZoRectType& bounds) override;
    // `text` holds Windows-1251 bytes.
    void TextOut(std::int32_t x, std::int32_t y, const std::string& text) override;
    std::int32_t TextWidth(const std::string& text) override;
    std::int32_t TextHeight(const std::string& text) override;
    ZoRectType GetClipRect() override;

private:
    const QString& Convert(const std::string& text);
    void ApplyPen();
    bool LineOutsideClip(std::int32_t x, std::int32_t y) const;
    void DotRun(std::int32_t x, std::int32_t y);

    QPainter* painter = nullptr;
    QFontMetrics metrics;
    QRect clip;
    bool cullLines = false; // only when the clip is known in the painter's coordinates
    bool pixels = false;    // the painter fills pixels (not a vector file or a printer)
    QColor textColor = Qt::black;
    ZoColorType penColor = 0;
    int penStyle = 0;
    int penWidth = 1;
    ZoColorType brushColor = 0xFFFFFF;
    bool penDirty = true;
    std::int32_t posX = 0;
    std::int32_t posY = 0;
    // Drawing a text measures it twice and outputs it once: convert it once.
    std::string lastBytes;
    QString lastText;
};

/// Paints `area` of the canvas (canvas coordinates) into a new image of area.size() × scale,
/// using `font` for the texts. The canvas and its hit areas stay as they were.
QImage ZoRenderCanvasToImage(const ZoCanvasClass& canvas, const QRect& area, const QFont& font,
                             qreal scale = 1.0);
