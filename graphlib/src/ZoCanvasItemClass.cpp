#include "ZoCanvasItemClass.h"

#include <cmath>

void ZoCanvasItemClass::AddTag(const std::string& name, const std::string& value) {
    tags.push_back({name, value});
}

const ZoCanvasItemTagType* ZoCanvasItemClass::FindTag(const std::string& name) const {
    for (const auto& tag : tags)
        if (tag.name == name)
            return &tag;
    return nullptr;
}

ZoCanvasItemLineClass::ZoCanvasItemLineClass(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                             std::int32_t y2, ZoColorType color, int penStyle,
                                             int penWidth)
    : x1(x1), y1(y1), x2(x2), y2(y2), color(color), penStyle(penStyle), penWidth(penWidth) {}

void ZoCanvasItemLineClass::Draw(ZoDrawingSurfaceClass& surface) {
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

ZoCanvasItemCircleClass::ZoCanvasItemCircleClass(std::int32_t x, std::int32_t y,
                                                 std::int32_t radius, ZoColorType color,
                                                 int penStyle, int penWidth)
    : x(x), y(y), radius(radius), color(color), penStyle(penStyle), penWidth(penWidth) {}

void ZoCanvasItemCircleClass::Draw(ZoDrawingSurfaceClass& surface) {
    surface.SetPenColor(color);
    surface.SetPenStyle(penStyle);
    surface.SetPenWidth(penWidth);
    surface.Ellipse({x - radius, y - radius, x + radius, y + radius});
}

bool ZoCanvasItemCircleClass::HitTest(std::int32_t px, std::int32_t py) const {
    const double dx = double(x) - px;
    const double dy = double(y) - py;
    return std::sqrt(dx * dx + dy * dy) <= radius;
}

ZoCanvasItemTextClass::ZoCanvasItemTextClass(std::int32_t x, std::int32_t y, int alignment,
                                             std::string text)
    : x(x), y(y), alignment(alignment), text(std::move(text)) {}

std::int32_t ZoCanvasItemTextClass::Left() const {
    return (alignment == 1 || alignment == 3) ? x - width : x;
}

std::int32_t ZoCanvasItemTextClass::Top() const {
    return (alignment == 2 || alignment == 3) ? y - height : y;
}

void ZoCanvasItemTextClass::Draw(ZoDrawingSurfaceClass& surface) {
    width = surface.TextWidth(text);
    height = surface.TextHeight(text);
    surface.TextOut(Left(), Top(), text);
}

bool ZoCanvasItemTextClass::HitTest(std::int32_t px, std::int32_t py) const {
    if (width <= 0 || height <= 0)
        return false;
    const std::int32_t left = Left();
    const std::int32_t top = Top();
    return px >= left && px < left + width && py >= top && py < top + height;
}
