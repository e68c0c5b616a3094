#pragma once

#include "ZoCanvasClass.h"
#include "ZoDrawingSurfaceClass.h"

#include <cstdint>
#include <string>
#include <vector>

/// A kelo's line picked up on the chart: the segments the scene draws for it, how many whole
/// minutes the mouse has moved it, and the area the moved line covers. Draws the moved line
/// through the drawing surface over the painted scene; knows nothing of widgets.
class TripDiagramKeloDragClass {
public:
    // Picks up the lines of the kelo at `keloIndex` as the canvas holds them, grabbed at `x`;
    // false, holding nothing, when the scene draws none for it.
    bool Begin(const ZoCanvasClass& canvas, std::int32_t keloIndex, std::string number,
               std::int32_t x, double pixelsPerHour, std::int32_t startMinutes);
    // Follows the mouse to `x`. True when the line moved; `repaint` then gets the area it
    // covered before and covers now.
    bool Follow(std::int32_t x, ZoRectType& repaint);
    // Lets go of the line; the area it covered, to repaint without it.
    ZoRectType End();
    // Draws the moved line, dashed in each segment's own colour and width.
    void Paint(ZoDrawingSurfaceClass& surface) const;

    bool Active() const { return active; }
    const std::string& Number() const { return number; }
    std::int32_t Minutes() const { return minutes; }
    std::int32_t StartMinutes() const { return startMinutes; }
    // Where the kelo would start, wrapped into the day.
    std::int32_t NewStart() const;
    // "06:40 (+00:15)"
    std::string Hint() const;
    // The area the line covers where it is drawn now.
    ZoRectType Covered() const;

private:
    struct SegmentType {
        std::int32_t x1, y1, x2, y2;
        ZoColorType color;
        int width;
    };

    bool active = false;
    std::string number;
    std::vector<SegmentType> segments;
    ZoRectType bounds;
    std::int32_t grabX = 0;
    std::int32_t shift = 0; // pixels the line is drawn off its place
    double pixelsPerHour = 1;
    std::int32_t minutes = 0;
    std::int32_t startMinutes = 0;
};
