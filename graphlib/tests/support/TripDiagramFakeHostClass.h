#pragma once

#include "TripDiagramHostClass.h"

#include <algorithm>
#include <cstdint>
#include <vector>

/// Host for tests: the paint-area size of a headless host, plus scroll bars that behave like
/// a scroll area's (range = the paint area's size, position clamped to range - page), and a
/// record of the list check boxes set inside their update bracket.
class TripDiagramFakeHostClass : public TripDiagramHeadlessHostClass {
public:
    struct Check {
        std::int32_t keloIndex;
        bool checked;
        bool insideBracket;
    };

    void GetHorizScroll(bool& visible, std::int32_t& position, std::int32_t& range) override {
        visible = scrollBars && paintWidth > pageWidth;
        position = horizPosition;
        range = paintWidth;
    }
    void SetHorizScrollPosition(std::int32_t position) override {
        horizPosition = std::clamp(position, 0, std::max(0, paintWidth - pageWidth));
    }
    void GetVertScroll(bool& visible, std::int32_t& position, std::int32_t& range) override {
        visible = scrollBars && paintHeight > scrollAreaHeight;
        position = vertPosition;
        range = paintHeight;
    }
    void SetVertScrollPosition(std::int32_t position) override {
        vertPosition = std::clamp(position, 0, std::max(0, paintHeight - scrollAreaHeight));
    }
    void BeginKeloListUpdate() override { ++bracketDepth; }
    void SetKeloListCheck(std::int32_t keloIndex, bool checked) override {
        checks.push_back({keloIndex, checked, bracketDepth > 0});
    }
    void EndKeloListUpdate() override { --bracketDepth; }

    bool scrollBars = true;
    std::int32_t pageWidth = 700;
    std::int32_t horizPosition = 0;
    std::int32_t vertPosition = 0;
    int bracketDepth = 0;
    std::vector<Check> checks;
};
