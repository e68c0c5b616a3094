#pragma once

#include "InMemoryKeloData.h"
#include "TripDiagramClass.h"
#include "TripDiagramFakeHostClass.h"
#include "ZoRecordingSurfaceClass.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

/// A diagram over an in-memory source, with a fake host and a recording surface on which
/// every byte of a text measures `charWidth` pixels.
struct DiagramHarness {
    explicit DiagramHarness(int charWidth = 6)
        : surface(ZoRectType{0, 0, 100000, 10000}, charWidth, 13), diagram(host, surface) {}

    void Create(InMemoryDataSet data, const std::string& number,
                const std::vector<std::string>& line) {
        diagram.Create(number, line, MakeInMemorySource(std::move(data), &spy));
    }

    std::vector<const ZoCanvasItemLineClass*> LinesTagged(std::int32_t kelo) {
        std::vector<const ZoCanvasItemLineClass*> lines;
        ZoCanvasClass& canvas = diagram.GetCanvas();
        for (std::uint32_t id = 0; id < canvas.GetItemCount(); ++id)
            if (canvas.TagMatches(id, "KeloIndex", std::to_string(kelo)))
                lines.push_back(dynamic_cast<const ZoCanvasItemLineClass*>(canvas.GetItem(id)));
        return lines;
    }

    // Every item added for kelos: those created after the last hour label (and its grid).
    std::vector<const ZoCanvasItemLineClass*> KeloItems() {
        ZoCanvasClass& canvas = diagram.GetCanvas();
        std::uint32_t first = 0;
        for (std::uint32_t id = 0; id < canvas.GetItemCount(); ++id)
            if (dynamic_cast<const ZoCanvasItemTextClass*>(canvas.GetItem(id)) != nullptr)
                first = id + 1;
        if (diagram.State().showTimeGrid)
            ++first;
        std::vector<const ZoCanvasItemLineClass*> lines;
        for (std::uint32_t id = first; id < canvas.GetItemCount(); ++id)
            lines.push_back(dynamic_cast<const ZoCanvasItemLineClass*>(canvas.GetItem(id)));
        return lines;
    }

    std::int32_t X(int hours, int minutes = 0) {
        return diagram.TimeToX((hours * 60 + minutes) / 60.0);
    }
    std::int32_t Y(double km) { return diagram.DistanceToY(km); }

    TripDiagramFakeHostClass host;
    ZoRecordingSurfaceClass surface;
    TripDiagramClass diagram;
    InMemoryKeloDataClass* spy = nullptr;
};

inline ZoRectType Ends(const ZoCanvasItemLineClass* line) {
    return {line->x1, line->y1, line->x2, line->y2};
}

/// Stops L0 ... L(n-1) named "Stop i", consecutive ones `km` apart both ways, plus an off-line
/// stop "X0" 5 km before L0 and "X9" 5 km after the last.
inline InMemoryDataSet LineData(int stops, float km) {
    InMemoryDataSet data;
    for (int i = 0; i < stops; ++i)
        data.stops.push_back({"L" + std::to_string(i), "Stop " + std::to_string(i)});
    data.stops.push_back({"X0", "Outside 0"});
    data.stops.push_back({"X9", "Outside 9"});
    for (int i = 0; i + 1 < stops; ++i)
        data.AddLinkBothWays("L" + std::to_string(i), "L" + std::to_string(i + 1), km);
    data.AddLinkBothWays("X0", "L0", 5);
    data.AddLinkBothWays("L" + std::to_string(stops - 1), "X9", 5);
    return data;
}

inline std::vector<std::string> LineCodes(int stops) {
    std::vector<std::string> codes;
    for (int i = 0; i < stops; ++i)
        codes.push_back("L" + std::to_string(i));
    return codes;
}
