#include "TripDiagramKeloDragClass.h"

#include "KeloChartEditRules.h"
#include "TripDiagramClass.h"

#include <algorithm>

namespace {

ZoRectType Union(const ZoRectType& a, const ZoRectType& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

} // namespace

bool TripDiagramKeloDragClass::Begin(const ZoCanvasClass& canvas, std::int32_t keloIndex,
                                     std::string keloNumber, std::int32_t x, double scale,
                                     std::int32_t start) {
    active = false;
    segments.clear();
    const std::string tag = std::to_string(keloIndex);
    bool any = false;
    for (std::uint32_t id = 0; id < canvas.GetItemCount(); ++id) {
        const auto* line = dynamic_cast<const ZoCanvasItemLineClass*>(canvas.GetItem(id));
        if (line == nullptr)
            continue;
        const ZoCanvasItemTagType* found = line->FindTag(TripDiagramClass::KeloIndexTag);
        if (found == nullptr || found->value != tag)
            continue;
        segments.push_back({line->x1, line->y1, line->x2, line->y2, line->color, line->penWidth});
        bounds = any ? Union(bounds, line->Bounds()) : line->Bounds();
        any = true;
    }
    if (!any)
        return false;
    // A dashed pen reaches no further than the solid one; a pixel more covers rounding.
    bounds = {bounds.left - 1, bounds.top - 1, bounds.right + 1, bounds.bottom + 1};
    active = true;
    number = std::move(keloNumber);
    grabX = x;
    shift = 0;
    pixelsPerHour = scale;
    minutes = 0;
    startMinutes = start;
    return true;
}

bool TripDiagramKeloDragClass::Follow(std::int32_t x, ZoRectType& repaint) {
    if (!active)
        return false;
    const std::int32_t now = KeloDragMinutes(x - grabX, pixelsPerHour);
    if (now == minutes)
        return false;
    const ZoRectType before = Covered();
    minutes = now;
    shift = KeloDragPixels(minutes, pixelsPerHour);
    repaint = Union(before, Covered());
    return true;
}

ZoRectType TripDiagramKeloDragClass::End() {
    const ZoRectType covered = Covered();
    active = false;
    segments.clear();
    return covered;
}

void TripDiagramKeloDragClass::Paint(ZoDrawingSurfaceClass& surface) const {
    if (!active || minutes == 0)
        return;
    surface.SetPenStyle(ZoPenDash);
    for (const SegmentType& s : segments) {
        surface.SetPenColor(s.color);
        surface.SetPenWidth(s.width);
        surface.MoveTo(s.x1 + shift, s.y1);
        surface.LineTo(s.x2 + shift, s.y2);
    }
}

std::int32_t TripDiagramKeloDragClass::NewStart() const {
    return KeloWrapIntoDay(startMinutes + minutes);
}

std::string TripDiagramKeloDragClass::Hint() const {
    return KeloDragHint(startMinutes, minutes);
}

ZoRectType TripDiagramKeloDragClass::Covered() const {
    return {bounds.left + shift, bounds.top, bounds.right + shift, bounds.bottom};
}
