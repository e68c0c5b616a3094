#include "ZoCanvasItemClass.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

void ZoCanvasItemClass::AddTag(const std::string& name, const std::string& value) {
    tags.push_back({name, value});
}

const ZoCanvasItemTagType* ZoCanvasItemClass::FindTag(const std::string& name) const {
    for (const auto& tag : tags)
        if (tag.name == name)
            return &tag;
    return nullptr;
}

namespace {

// Half a pen on each side, rounded up, so a wide line's edge is inside the box.
std::int32_t PenReach(int penWidth) {
    return penWidth > 1 ? (penWidth + 1) / 2 : 1;
}

// Items may sit at the ends of the integer range (a saturated far-off time or distance); the
// box around them is counted wide and held within the range rather than wrapping.
std::int32_t Saturated(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

ZoRectType SaturatedRect(std::int64_t left, std::int64_t top, std::int64_t right,
                         std::int64_t bottom) {
    return {Saturated(left), Saturated(top), Saturated(right), Saturated(bottom)};
}

} // namespace

bool ZoCanvasItemClass::Crosses(const ZoRectType& area) const {
    const ZoRectType box = Bounds();
    return box.left < area.right && area.left < box.right && box.top < area.bottom &&
           area.top < box.bottom;
}

bool ZoCanvasItemClass::MayPaint(const ZoRectType& area) const {
    return Crosses(
        SaturatedRect(std::int64_t(area.left) - MaxReach, std::int64_t(area.top) - MaxReach,
                      std::int64_t(area.right) + MaxReach, std::int64_t(area.bottom) + MaxReach));
}

ZoCanvasItemLineClass::ZoCanvasItemLineClass(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                             std::int32_t y2, ZoColorType color, int penStyle,
                                             int penWidth)
    : x1(x1), y1(y1), x2(x2), y2(y2), color(color), penStyle(penStyle), penWidth(penWidth) {}

void ZoCanvasItemLineClass::DrawCopy(ZoDrawingSurfaceClass& surface) const {
    surface.SetPenColor(color);
    surface.SetPenStyle(penStyle);
    surface.SetPenWidth(penWidth);
    surface.MoveTo(x1, y1);
    surface.LineTo(x2, y2);
}

bool ZoCanvasItemLineClass::HitTest(std::int32_t px, std::int32_t py) const {
    // Integer products, taken in 64 bits: they are exact wherever 32 bits would be, and a
    // far-zoomed picture (coordinates beyond 46340) does not wrap round into false hits.
    const std::int64_t dx = std::int64_t(x2) - x1;
    const std::int64_t dy = std::int64_t(y2) - y1;
    const float len = std::sqrt(static_cast<float>(dx * dx + dy * dy));
    if (len <= 0.005f)
        return false;
    const std::int64_t ax = std::int64_t(x1) - px;
    const std::int64_t ay = std::int64_t(y1) - py;
    const float len2 = len * len;
    const float t = static_cast<float>(ay * -dy - ax * dx) / len2;
    const float d = static_cast<float>(ay * dx - ax * dy) / len2 * len;
    return std::fabs(d) < 2.0f && t >= 0.0f && t <= 1.0f;
}

bool ZoCanvasItemLineClass::MayPaint(const ZoRectType& area) const {
    // A thin line lights pixels within a pixel of its geometry; a wide pen's edge is rounded
    // to pixels beyond its half width.
    const std::int64_t reach = penWidth > 1 ? PenReach(penWidth) + 1 : 1;
    return Crosses(SaturatedRect(area.left - reach, area.top - reach, area.right + reach,
                                 area.bottom + reach));
}

bool ZoCanvasItemLineClass::Crosses(const ZoRectType& area) const {
    // Exact in 64-bit integers and without a division: a repaint of a dense chart asks this
    // of tens of thousands of lines. The area's closed extent holds pixels left..right - 1.
    const std::int64_t left = area.left, right = std::int64_t(area.right) - 1;
    const std::int64_t top = area.top, bottom = std::int64_t(area.bottom) - 1;
    const std::int64_t ax = x1, ay = y1, bx = x2, by = y2;
    if (right < left || bottom < top || std::max(ax, bx) < left || std::min(ax, bx) > right ||
        std::max(ay, by) < top || std::min(ay, by) > bottom)
        return false;
    // Within each other's box they meet unless all four corners lie on one side of the line.
    const std::int64_t dx = bx - ax, dy = by - ay;
    const auto side = [&](std::int64_t x, std::int64_t y) {
        const std::int64_t cross = dx * (y - ay) - dy * (x - ax);
        return (cross > 0) - (cross < 0);
    };
    const int sides = side(left, top) + side(right, top) + side(left, bottom) + side(right, bottom);
    return sides != 4 && sides != -4;
}

void ZoCanvasItemLineClass::AddCover(std::vector<ZoRectType>& boxes) const {
    const std::int64_t dx = std::int64_t(x2) - x1;
    const std::int64_t dy = std::int64_t(y2) - y1;
    const std::int64_t length = std::max(std::abs(dx), std::abs(dy));
    // A far-off or very long line (a saturated time, a grid line) is covered by its box.
    if (length <= CoverPiece || length > 1 << 16) {
        boxes.push_back(Bounds());
        return;
    }
    const std::int32_t reach = PenReach(penWidth);
    const std::int64_t pieces = (length + CoverPiece - 1) / CoverPiece;
    for (std::int64_t i = 0; i < pieces; ++i) {
        // Whole pixels from the piece's start to its end, rounded outwards.
        const double t0 = double(i) / double(pieces);
        const double t1 = double(i + 1) / double(pieces);
        const double ax = x1 + dx * t0, bx = x1 + dx * t1;
        const double ay = y1 + dy * t0, by = y1 + dy * t1;
        boxes.push_back(SaturatedRect(std::int64_t(std::floor(std::min(ax, bx))) - reach + 1,
                                      std::int64_t(std::floor(std::min(ay, by))) - reach + 1,
                                      std::int64_t(std::ceil(std::max(ax, bx))) + reach,
                                      std::int64_t(std::ceil(std::max(ay, by))) + reach));
    }
}

ZoCanvasItemCircleClass::ZoCanvasItemCircleClass(std::int32_t x, std::int32_t y,
                                                 std::int32_t radius, ZoColorType color,
                                                 int penStyle, int penWidth)
    : x(x), y(y), radius(radius), color(color), penStyle(penStyle), penWidth(penWidth) {}

ZoRectType ZoCanvasItemLineClass::Bounds() const {
    const std::int32_t reach = PenReach(penWidth);
    return SaturatedRect(
        std::int64_t{std::min(x1, x2)} - reach + 1, std::int64_t{std::min(y1, y2)} - reach + 1,
        std::int64_t{std::max(x1, x2)} + reach, std::int64_t{std::max(y1, y2)} + reach);
}

void ZoCanvasItemCircleClass::DrawCopy(ZoDrawingSurfaceClass& surface) const {
    surface.SetPenColor(color);
    surface.SetPenStyle(penStyle);
    surface.SetPenWidth(penWidth);
    surface.Ellipse({x - radius, y - radius, x + radius, y + radius});
}

ZoRectType ZoCanvasItemCircleClass::Bounds() const {
    const std::int32_t reach = PenReach(penWidth);
    return SaturatedRect(std::int64_t{x} - radius - reach + 1, std::int64_t{y} - radius - reach + 1,
                         std::int64_t{x} + radius + reach, std::int64_t{y} + radius + reach);
}

bool ZoCanvasItemCircleClass::HitTest(std::int32_t px, std::int32_t py) const {
    const double dx = double(x) - px;
    const double dy = double(y) - py;
    return std::sqrt(dx * dx + dy * dy) <= radius;
}

ZoCanvasItemTextClass::ZoCanvasItemTextClass(std::int32_t x, std::int32_t y, int alignment,
                                             std::string text)
    : x(x), y(y), alignment(alignment), text(std::move(text)) {}

std::int32_t ZoCanvasItemTextClass::LeftFor(std::int32_t textWidth) const {
    return (alignment == 1 || alignment == 3) ? x - textWidth : x;
}

std::int32_t ZoCanvasItemTextClass::TopFor(std::int32_t textHeight) const {
    return (alignment == 2 || alignment == 3) ? y - textHeight : y;
}

void ZoCanvasItemTextClass::Draw(ZoDrawingSurfaceClass& surface) {
    width = surface.TextWidth(text);
    height = surface.TextHeight(text);
    surface.TextOut(Left(), Top(), text);
}

void ZoCanvasItemTextClass::DrawCopy(ZoDrawingSurfaceClass& surface) const {
    surface.TextOut(LeftFor(surface.TextWidth(text)), TopFor(surface.TextHeight(text)), text);
}

ZoRectType ZoCanvasItemTextClass::Bounds() const {
    return SaturatedRect(Left(), Top(), std::int64_t{Left()} + std::max(width, 1),
                         std::int64_t{Top()} + std::max(height, 1));
}

bool ZoCanvasItemTextClass::HitTest(std::int32_t px, std::int32_t py) const {
    if (width <= 0 || height <= 0)
        return false;
    const std::int32_t left = Left();
    const std::int32_t top = Top();
    return px >= left && px < left + width && py >= top && py < top + height;
}
