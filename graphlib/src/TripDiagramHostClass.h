#pragma once

#include "ZoDrawingSurfaceClass.h"

#include <array>
#include <cstdint>
#include <vector>

/// What the trip diagram needs from the window that shows it: the size of the paint area,
/// the scroll bars of the chart's scroll area, the check marks of the popup menu and of the
/// kelo list, and a repaint. The diagram computes every value; the host only applies it.
class TripDiagramHostClass {
public:
    virtual ~TripDiagramHostClass() = default;

    // Client size of the paint area, the widget the picture is drawn on.
    virtual std::int32_t GetPaintAreaClientWidth() = 0;
    virtual std::int32_t GetPaintAreaClientHeight() = 0;
    virtual void SetPaintAreaClientSize(std::int32_t width, std::int32_t height) = 0;

    // Client height of the scroll area around the paint area (fit to height).
    virtual std::int32_t GetChartScrollAreaClientHeight() = 0;
    // Scroll bars of that area. `range` is the whole scrollable extent in pixels (the paint
    // area's size along that axis), `position` the offset of the visible part; both are
    // ignored when the bar is not visible. Setting a position clamps it as the bar does.
    virtual void GetHorizScroll(bool& visible, std::int32_t& position, std::int32_t& range) = 0;
    virtual void SetHorizScrollPosition(std::int32_t position) = 0;
    virtual void GetVertScroll(bool& visible, std::int32_t& position, std::int32_t& range) = 0;
    virtual void SetVertScrollPosition(std::int32_t position) = 0;

    // Check marks of the popup menu: the seven zoom items in the order of
    // TripDiagramClass::ZoomMenuFactors, and the two direction items.
    virtual void SetZoomMenuTicks(const std::array<bool, 7>& ticked) = 0;
    virtual void SetShowForwardTicked(bool ticked) = 0;
    virtual void SetShowBackwardTicked(bool ticked) = 0;
    // The grid, entry/exit marks and mono-colour items, set when the display options change.
    virtual void SetShowGridTicked(bool /*ticked*/) {}
    virtual void SetShowInOutMarksTicked(bool /*ticked*/) {}
    virtual void SetMonoColorTicked(bool /*ticked*/) {}

    // Check boxes of the kelo list, changed inside one begin / end bracket. A kelo without
    // a row (the list is not filled yet) is skipped by the host.
    virtual void BeginKeloListUpdate() = 0;
    virtual void SetKeloListCheck(std::int32_t keloIndex, bool checked) = 0;
    virtual void EndKeloListUpdate() = 0;

    // The scene was rebuilt: the paint area needs repainting.
    virtual void InvalidatePaintArea() = 0;
    // Only these rectangles of the paint area changed; a host may repaint everything.
    virtual void InvalidatePaintRects(const std::vector<ZoRectType>& /*rects*/) {
        InvalidatePaintArea();
    }
};

/// A host without widgets: keeps the paint-area size and has no scroll bars, menu or list.
/// Serves image export, benchmarks and tests.
class TripDiagramHeadlessHostClass : public TripDiagramHostClass {
public:
    std::int32_t GetPaintAreaClientWidth() override { return paintWidth; }
    std::int32_t GetPaintAreaClientHeight() override { return paintHeight; }
    void SetPaintAreaClientSize(std::int32_t width, std::int32_t height) override {
        paintWidth = width;
        paintHeight = height;
    }
    std::int32_t GetChartScrollAreaClientHeight() override { return scrollAreaHeight; }
    void GetHorizScroll(bool& visible, std::int32_t&, std::int32_t&) override { visible = false; }
    void SetHorizScrollPosition(std::int32_t) override {}
    void GetVertScroll(bool& visible, std::int32_t&, std::int32_t&) override { visible = false; }
    void SetVertScrollPosition(std::int32_t) override {}
    void SetZoomMenuTicks(const std::array<bool, 7>& ticked) override { zoomTicks = ticked; }
    void SetShowForwardTicked(bool ticked) override { forwardTicked = ticked; }
    void SetShowBackwardTicked(bool ticked) override { backwardTicked = ticked; }
    void SetShowGridTicked(bool ticked) override { gridTicked = ticked; }
    void SetShowInOutMarksTicked(bool ticked) override { inOutMarksTicked = ticked; }
    void SetMonoColorTicked(bool ticked) override { monoColorTicked = ticked; }
    void BeginKeloListUpdate() override {}
    void SetKeloListCheck(std::int32_t, bool) override {}
    void EndKeloListUpdate() override {}
    void InvalidatePaintArea() override { ++invalidations; }

    // The paint area starts at its design height, like the window's.
    std::int32_t paintWidth = 0;
    std::int32_t paintHeight = 297;
    std::int32_t scrollAreaHeight = 297;
    std::array<bool, 7> zoomTicks{};
    bool forwardTicked = false;
    bool backwardTicked = false;
    bool gridTicked = true;
    bool inOutMarksTicked = true;
    bool monoColorTicked = true;
    int invalidations = 0;
};
