#pragma once

#include "ZoDrawingSurfaceClass.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

/// One tag of a canvas item; an absent value is the empty string.
struct ZoCanvasItemTagType {
    std::string name;
    std::string value;
};

/// Base of every canvas item: draws itself, takes a colour, answers whether a point hits it,
/// and carries string tags in the order they were set.
class ZoCanvasItemClass {
public:
    virtual ~ZoCanvasItemClass() = default;
    // Draws on the canvas's own surface; a text also keeps the extent it measured there,
    // which is what hit tests use.
    virtual void Draw(ZoDrawingSurfaceClass& surface) = 0;
    // Draws on any other surface (printer page, file) and changes nothing in the item, so
    // output never moves the hit areas the screen relies on.
    virtual void DrawCopy(ZoDrawingSurfaceClass& surface) const = 0;
    // The pixels the item covers as last drawn on its own surface, pen width included; a
    // text never drawn covers only its anchor.
    virtual ZoRectType Bounds() const = 0;
    virtual void SetColor(ZoColorType color) = 0;
    virtual bool HitTest(std::int32_t x, std::int32_t y) const = 0;
    // Whether the item's geometry passes through `area`, which the caller has widened by what
    // a pen may add; the bounding box decides unless the item knows better.
    virtual bool Crosses(const ZoRectType& area) const;
    // Whether drawing the item may change a pixel of `area`: the geometry within the reach of
    // the largest pen the canvas allows for. An item that knows its pen answers more closely.
    virtual bool MayPaint(const ZoRectType& area) const;
    // How far any item's pixels, and a line's hit band, reach beyond its bare geometry.
    static constexpr std::int32_t MaxReach = 3;
    // Appends boxes that together hold every pixel of the item as last drawn on its own
    // surface: the bounds, or smaller pieces where the item knows them.
    virtual void AddCover(std::vector<ZoRectType>& boxes) const { boxes.push_back(Bounds()); }

    void AddTag(const std::string& name, const std::string& value);
    // The first tag of that name, if any.
    const ZoCanvasItemTagType* FindTag(const std::string& name) const;
    const std::vector<ZoCanvasItemTagType>& GetTags() const { return tags; }

private:
    std::vector<ZoCanvasItemTagType> tags;
};

/// A straight segment drawn with its own pen.
class ZoCanvasItemLineClass : public ZoCanvasItemClass {
public:
    ZoCanvasItemLineClass(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                          ZoColorType color, int penStyle, int penWidth);
    void Draw(ZoDrawingSurfaceClass& surface) override { DrawCopy(surface); }
    void DrawCopy(ZoDrawingSurfaceClass& surface) const override;
    ZoRectType Bounds() const override;
    void SetColor(ZoColorType value) override { color = value; }
    // A band of 2 pixels either side of the segment, cut square at the ends.
    bool HitTest(std::int32_t px, std::int32_t py) const override;
    // The segment itself, not only its box, meets the area.
    bool Crosses(const ZoRectType& area) const override;
    // Within its own pen's reach: a thin line far outnumbers the wide ones, and a repaint of
    // a few kelos' pieces in a dense chart meets a sixth fewer lines that way.
    bool MayPaint(const ZoRectType& area) const override;
    // Pieces of at most CoverPiece pixels along the segment: a slanting line covers far less
    // than its box.
    void AddCover(std::vector<ZoRectType>& boxes) const override;
    static constexpr std::int32_t CoverPiece = 16;

    std::int32_t x1, y1, x2, y2;
    ZoColorType color;
    int penStyle;
    int penWidth;
};

/// A circle outlined with its own pen and filled with the surface's brush.
class ZoCanvasItemCircleClass : public ZoCanvasItemClass {
public:
    ZoCanvasItemCircleClass(std::int32_t x, std::int32_t y, std::int32_t radius, ZoColorType color,
                            int penStyle, int penWidth);
    void Draw(ZoDrawingSurfaceClass& surface) override { DrawCopy(surface); }
    void DrawCopy(ZoDrawingSurfaceClass& surface) const override;
    ZoRectType Bounds() const override;
    void SetColor(ZoColorType value) override { color = value; }
    // The whole disc counts, not only the outline.
    bool HitTest(std::int32_t px, std::int32_t py) const override;

    std::int32_t x, y, radius;
    ZoColorType color;
    int penStyle;
    int penWidth;
};

/// One line of text anchored at one corner of its box. Its extent is known only after it
/// has been drawn once, so an undrawn text cannot be hit.
class ZoCanvasItemTextClass : public ZoCanvasItemClass {
public:
    ZoCanvasItemTextClass(std::int32_t x, std::int32_t y, int alignment, std::string text);
    void Draw(ZoDrawingSurfaceClass& surface) override;
    // Measures on the other surface only to place the text there.
    void DrawCopy(ZoDrawingSurfaceClass& surface) const override;
    ZoRectType Bounds() const override;
    // Texts are drawn with the surface's font and brush; the colour has no effect.
    void SetColor(ZoColorType) override {}
    bool HitTest(std::int32_t px, std::int32_t py) const override;

    // Top-left corner of the box for the stored extent and alignment.
    std::int32_t Left() const { return LeftFor(width); }
    std::int32_t Top() const { return TopFor(height); }
    std::int32_t LeftFor(std::int32_t textWidth) const;
    std::int32_t TopFor(std::int32_t textHeight) const;

    std::int32_t x, y;
    std::int32_t width = 0;
    std::int32_t height = 0;
    int alignment; // 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right at the anchor
    std::string text;
};
