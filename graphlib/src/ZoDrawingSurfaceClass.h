#pragma once

#include <cstdint>
#include <string>

/// Colour in the 0x00BBGGRR format used everywhere in Kelo.
using ZoColorType = std::uint32_t;

/// Pen styles understood by every drawing surface.
enum ZoPenStyle : int {
    ZoPenSolid = 0,
    ZoPenDash = 1,
    ZoPenDot = 2,
    ZoPenDashDot = 3,
    ZoPenDashDotDot = 4,
    ZoPenClear = 5,
};

/// Rectangle in pixels; right and bottom lie just outside it.
struct ZoRectType {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
    friend bool operator==(const ZoRectType&, const ZoRectType&) = default;
};

/// A 2-D surface the canvas draws on: a screen area, an image or a printer page. It keeps a
/// current pen, brush and font like a device context; texts are Windows-1251 bytes.
class ZoDrawingSurfaceClass {
public:
    virtual ~ZoDrawingSurfaceClass() = default;

    virtual void SetPenColor(ZoColorType color) = 0;
    virtual void SetPenStyle(int style) = 0;
    virtual void SetPenWidth(int width) = 0;
    // The brush is always solid; it fills ellipses, rectangles and the boxes behind texts.
    virtual void SetBrushColor(ZoColorType color) = 0;

    virtual void MoveTo(std::int32_t x, std::int32_t y) = 0;
    virtual void LineTo(std::int32_t x, std::int32_t y) = 0;
    // Both take the bounding rectangle; outline with the pen, interior with the brush.
    virtual void Ellipse(const ZoRectType& bounds) = 0;
    virtual void Rectangle(const ZoRectType& bounds) = 0;
    // Text with its top-left corner at (x, y), over its box filled with the brush.
    virtual void TextOut(std::int32_t x, std::int32_t y, const std::string& text) = 0;
    virtual std::int32_t TextWidth(const std::string& text) = 0;
    virtual std::int32_t TextHeight(const std::string& text) = 0;

    // The area that needs drawing (the whole surface, or the part being repainted).
    virtual ZoRectType GetClipRect() = 0;
};
