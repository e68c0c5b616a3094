#include "TripDiagramTestSupport.h"
#include <cmath>

namespace {

InMemoryDataSet::Kelo Kelo(const std::string& number, std::vector<InMemoryDataSet::Row> rows) {
    return {number, "Kelo " + number, "", std::move(rows)};
}

TEST(TripDiagramCreate, WorkedExampleOfA100KmLine) {
    DiagramHarness h(0); // names measure 0 pixels: L = 0
    auto data = LineData(2, 100);
    data.kelos.push_back(Kelo("K1", {MakeRow("L0", "08:00", 5), MakeRow("L1", "10:00", -1)}));
    h.Create(data, "K1", LineCodes(2));
    const auto& s = h.diagram.State();
    EXPECT_EQ(s.labelWidth, 0);
    EXPECT_EQ(s.distanceScale, 5.9099998f);
    EXPECT_EQ(h.host.paintHeight, 690);
    EXPECT_NEAR(s.timeScale, 285.0444, 5e-4);
    EXPECT_EQ(h.host.paintWidth, 6881);
    EXPECT_EQ(h.diagram.TimeToX(12), 3440);
    EXPECT_EQ(h.diagram.TimeToX(0), 20);
    EXPECT_EQ(h.diagram.DistanceToY(0), 640);
    EXPECT_EQ(h.diagram.DistanceToY(100), 49);
    EXPECT_EQ(h.diagram.GetLineLength(), 100.0f);
}

TEST(TripDiagramCreate, LabelWidthIsTheWidestStopNameAndShiftsTheTimeAxis) {
    DiagramHarness h(10);
    auto data = LineData(2, 100);
    data.stops[1].name = "Longer name"; // 11 bytes: 110 pixels
    h.Create(data, "none", LineCodes(2));
    EXPECT_EQ(h.diagram.State().labelWidth, 110);
    EXPECT_EQ(h.host.paintWidth, 6841 + 110 + 40);
    EXPECT_EQ(h.diagram.TimeToX(12), 3420 + 130);
}

TEST(TripDiagramCreate, InitialStateOfANewWindow) {
    DiagramHarness h;
    auto data = LineData(3, 10);
    data.kelos.push_back(Kelo("A", {MakeRow("L0", "08:00", 0), MakeRow("L1", "09:00", 0)}));
    data.kelos.push_back(Kelo("B", {MakeRow("L2", "08:00", 0), MakeRow("L1", "09:00", 0)}));
    data.kelos.push_back(Kelo("C", {MakeRow("L1", "08:00", 0), MakeRow("L2", "09:00", 0)}));
    h.Create(data, "C", LineCodes(3));
    const auto& s = h.diagram.State();
    EXPECT_EQ(s.selectedKelo, 2);
    EXPECT_EQ(s.selectedStop, 0);
    EXPECT_EQ(s.timeZoom, 1.0f);
    EXPECT_EQ(s.distanceZoom, 1.0f);
    EXPECT_EQ(s.baseSpeed, 60.0f);
    EXPECT_EQ(s.baseAngle, 75);
    EXPECT_TRUE(s.showStopGrid && s.showTimeGrid && s.showInOutMarks && s.monoColor);
    EXPECT_EQ(s.gridColor, 0xE0E0E0u);
    // Forward kelos only, and the menu says so.
    EXPECT_TRUE(s.showForward);
    EXPECT_FALSE(s.showBackward);
    EXPECT_TRUE(h.host.forwardTicked);
    EXPECT_FALSE(h.host.backwardTicked);
    ASSERT_EQ(h.diagram.KeloViews().size(), 3u);
    EXPECT_TRUE(h.diagram.KeloViews()[0].visible);
    EXPECT_FALSE(h.diagram.KeloViews()[1].visible);
    EXPECT_TRUE(h.diagram.KeloViews()[2].visible);
    // Colours were applied: the selected kelo stands out.
    EXPECT_EQ(h.diagram.KeloViews()[0].color, 0x808080u);
    EXPECT_EQ(h.diagram.KeloViews()[2].color, 0xFF0000u);
    EXPECT_EQ(h.diagram.KeloViews()[0].penStyle, ZoPenSolid);
    // Creation does not build the scene.
    EXPECT_EQ(h.diagram.GetCanvas().GetItemCount(), 0u);
    EXPECT_EQ(h.host.invalidations, 0);
    // The stack reads through to the source: the edit buffer and the view see its kelos.
    EXPECT_EQ(h.diagram.GetEditBuffer()->GetKeloSet()->GetCount(), 3);
    EXPECT_EQ(h.diagram.GetView()->GetStopSet()->GetCount(), 3);
    EXPECT_EQ(h.diagram.GetDistanceCache().GetRows().size(), 2u);
}

TEST(TripDiagramCreate, UnknownKeloNumberLeavesNothingSelected) {
    DiagramHarness h;
    auto data = LineData(2, 10);
    data.kelos.push_back(Kelo("A", {MakeRow("L0", "08:00", 0), MakeRow("L1", "09:00", 0)}));
    h.Create(data, "Z", LineCodes(2));
    EXPECT_EQ(h.diagram.State().selectedKelo, -1);
    h.diagram.BuildScene(); // nothing to bring to the front
    EXPECT_EQ(h.host.invalidations, 1);
}

TEST(TripDiagramCreate, OneStopLineKeepsScaleOneAndHasNoRuns) {
    DiagramHarness h;
    auto data = LineData(1, 0);
    data.kelos.push_back(Kelo(
        "A", {MakeRow("X0", "07:00", 0), MakeRow("L0", "07:10", 5), MakeRow("X9", "07:20", -1)}));
    h.Create(data, "A", LineCodes(1));
    EXPECT_EQ(h.diagram.State().distanceScale, 1.0f);
    EXPECT_EQ(h.host.paintHeight, 297);
    h.diagram.BuildScene();
    const auto lines = h.LinesTagged(0);
    ASSERT_EQ(lines.size(), 1u); // the dwell only
    EXPECT_EQ(Ends(lines[0]), (ZoRectType{h.X(7, 10), 247, h.X(7, 15), 247}));
}

TEST(TripDiagramCreate, LineWithoutKnownDistancesIsDrawnLikeAOneStopLine) {
    DiagramHarness h;
    auto data = LineData(3, 0);
    data.kelos.push_back(Kelo("A", {MakeRow("L0", "07:00", 0), MakeRow("L2", "08:00", 0)}));
    h.Create(data, "A", LineCodes(3));
    EXPECT_EQ(h.diagram.State().distanceScale, 1.0f);
    EXPECT_EQ(h.host.paintHeight, 297);
    EXPECT_GT(h.diagram.State().timeScale, 0.0f);
    h.diagram.BuildScene();
    for (const auto* line : h.LinesTagged(0)) {
        EXPECT_EQ(line->y1, 247);
        EXPECT_EQ(line->y2, 247);
    }
    // Nothing to fit: the zoom stays and no tick changes.
    h.host.scrollAreaHeight = 600;
    h.diagram.FitToHeight();
    EXPECT_EQ(h.diagram.State().distanceZoom, 1.0f);
}

TEST(TripDiagramCreate, EmptyLineBuildsAnEmptyChart) {
    DiagramHarness h;
    auto data = LineData(2, 10);
    data.kelos.push_back(Kelo("A", {MakeRow("L0", "07:00", 0), MakeRow("L1", "08:00", 0)}));
    h.Create(data, "A", {});
    h.diagram.BuildScene();
    // Axis, time axis, 13 ticks with labels and 12 grid lines; the kelo has no entry.
    EXPECT_EQ(h.diagram.GetCanvas().GetItemCount(), 40u);
    EXPECT_TRUE(h.LinesTagged(0).empty());
}

TEST(TripDiagramDirection, FirstTwoPositionsOnTheLineDecide) {
    DiagramHarness h;
    auto data = LineData(4, 10);
    data.kelos.push_back(Kelo("single", {MakeRow("L2", "08:00", 0)}));
    data.kelos.push_back(Kelo("up", {MakeRow("L0", "08:00", 0), MakeRow("L1", "09:00", 0)}));
    data.kelos.push_back(Kelo("down", {MakeRow("L3", "08:00", 0), MakeRow("L1", "09:00", 0)}));
    data.kelos.push_back(Kelo("same", {MakeRow("L1", "08:00", 0), MakeRow("L1", "09:00", 0)}));
    data.kelos.push_back(Kelo("off", {MakeRow("X0", "08:00", 0), MakeRow("X9", "09:00", 0)}));
    // Entries off the line do not count: from X0 it climbs L2 -> L3.
    data.kelos.push_back(Kelo("via", {MakeRow("X0", "08:00", 0), MakeRow("L2", "09:00", 0),
                                      MakeRow("L3", "09:30", 0), MakeRow("L0", "11:00", 0)}));
    h.Create(data, "up", LineCodes(4));
    EXPECT_TRUE(h.diagram.IsKeloForward(0));
    EXPECT_TRUE(h.diagram.IsKeloForward(1));
    EXPECT_FALSE(h.diagram.IsKeloForward(2));
    EXPECT_FALSE(h.diagram.IsKeloForward(3));
    EXPECT_TRUE(h.diagram.IsKeloForward(4));
    EXPECT_TRUE(h.diagram.IsKeloForward(5));
}

TEST(TripDiagramDirection, ShowAndHideByDirectionSetListChecksAndMenuTicks) {
    DiagramHarness h;
    auto data = LineData(3, 10);
    data.kelos.push_back(Kelo("up", {MakeRow("L0", "08:00", 0), MakeRow("L1", "09:00", 0)}));
    data.kelos.push_back(Kelo("down", {MakeRow("L2", "08:00", 0), MakeRow("L1", "09:00", 0)}));
    data.kelos.push_back(Kelo("up2", {MakeRow("L1", "08:00", 0), MakeRow("L2", "09:00", 0)}));
    h.Create(data, "up", LineCodes(3));
    h.host.checks.clear();
    h.diagram.ShowBackwardKelos();
    ASSERT_EQ(h.host.checks.size(), 1u);
    EXPECT_EQ(h.host.checks[0].keloIndex, 1);
    EXPECT_TRUE(h.host.checks[0].checked);
    EXPECT_TRUE(h.host.checks[0].insideBracket);
    EXPECT_EQ(h.host.bracketDepth, 0);
    EXPECT_TRUE(h.diagram.State().showBackward);
    EXPECT_TRUE(h.host.backwardTicked);
    EXPECT_TRUE(h.diagram.KeloViews()[1].visible);

    h.host.checks.clear();
    h.diagram.HideForwardKelos();
    ASSERT_EQ(h.host.checks.size(), 2u);
    EXPECT_EQ(h.host.checks[0].keloIndex, 0);
    EXPECT_EQ(h.host.checks[1].keloIndex, 2);
    EXPECT_FALSE(h.host.checks[1].checked);
    EXPECT_FALSE(h.diagram.KeloViews()[0].visible);
    EXPECT_FALSE(h.diagram.KeloViews()[2].visible);
    EXPECT_TRUE(h.diagram.KeloViews()[1].visible);
    EXPECT_FALSE(h.diagram.State().showForward);
    EXPECT_FALSE(h.host.forwardTicked);
    // None of them rebuilds the scene.
    EXPECT_EQ(h.host.invalidations, 0);
}

TEST(TripDiagramColors, MonoColourAndPaletteModes) {
    DiagramHarness h;
    auto data = LineData(2, 10);
    for (int i = 0; i < 20; ++i)
        data.kelos.push_back(
            Kelo("K" + std::to_string(i), {MakeRow("L0", "08:00", 0), MakeRow("L1", "09:00", 0)}));
    h.Create(data, "K3", LineCodes(2));
    auto& views = h.diagram.KeloViews();
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(views[i].color, i == 3 ? 0xFF0000u : 0x808080u) << i;
    h.diagram.State().keloCommonColor = 0x123456;
    h.diagram.State().keloSelectedColor = 0x654321;
    h.diagram.ApplyKeloColors();
    EXPECT_EQ(views[0].color, 0x123456u);
    EXPECT_EQ(views[3].color, 0x654321u);

    h.diagram.State().monoColor = false;
    h.diagram.ApplyKeloColors();
    const ZoColorType palette[18] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFFFF00, 0xFF00FF,
                                     0x00007F, 0x007F00, 0x7F0000, 0x007F7F, 0x7F7F00, 0x7F007F,
                                     0x007FFF, 0x00FF7F, 0xFF7F00, 0x7FFF00, 0xFF007F, 0x7F00FF};
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(views[i].color, palette[i % 18]) << i;
    EXPECT_EQ(views[18].color, views[0].color);
}

TEST(TripDiagramViews, EntriesFollowAddedAndDeletedKelos) {
    DiagramHarness h;
    auto data = LineData(2, 10);
    data.kelos.push_back(Kelo("A", {MakeRow("L0", "08:00", 0), MakeRow("L1", "09:00", 0)}));
    data.kelos.push_back(Kelo("B", {MakeRow("L0", "10:00", 0), MakeRow("L1", "11:00", 0)}));
    h.Create(data, "A", LineCodes(2));
    auto& views = h.diagram.KeloViews();
    views[1].color = 0x111111;
    h.diagram.State().keloCommonColor = 0x222222;
    h.diagram.AppendKeloView();
    ASSERT_EQ(views.size(), 3u);
    EXPECT_TRUE(views[2].visible);
    EXPECT_EQ(views[2].color, 0x222222u);
    EXPECT_EQ(views[2].penStyle, ZoPenSolid);
    h.diagram.RemoveKeloView(0);
    ASSERT_EQ(views.size(), 2u);
    EXPECT_EQ(views[0].color, 0x111111u);
    h.diagram.RemoveKeloView(7); // out of range: ignored
    EXPECT_EQ(views.size(), 2u);
}

class TripDiagramZoom : public ::testing::Test {
protected:
    void SetUp() override {
        auto data = LineData(3, 50);
        data.kelos.push_back(Kelo("A", {MakeRow("L1", "12:00", 0), MakeRow("L2", "13:00", 0)}));
        data.kelos.push_back(Kelo("empty", {}));
        h.Create(data, "A", LineCodes(3));
        ASSERT_EQ(h.host.paintWidth, 6881);
        ASSERT_EQ(h.host.paintHeight, 690);
    }
    DiagramHarness h{0};
};

TEST_F(TripDiagramZoom, ResizesKeepsScrollProportionsTicksAndRebuilds) {
    h.host.horizPosition = 3000;
    h.host.vertPosition = 200;
    h.diagram.SetZoom(2);
    EXPECT_EQ(h.host.paintWidth, 13722);
    EXPECT_EQ(h.host.paintHeight, 1281);
    EXPECT_EQ(h.host.horizPosition, 5982); // trunc(13722 * 3000 / 6881)
    EXPECT_EQ(h.host.vertPosition, 400);
    EXPECT_EQ(h.diagram.State().timeZoom, 2.0f);
    EXPECT_EQ(h.diagram.State().distanceZoom, 2.0f);
    EXPECT_EQ(h.host.zoomTicks,
              (std::array<bool, 7>{false, false, false, false, false, true, false}));
    EXPECT_EQ(h.host.invalidations, 1);
    EXPECT_EQ(h.diagram.TimeToX(12), 6861);
    // Back to 100 %: the vertical position is divided by the old zoom first.
    h.diagram.SetZoom(1);
    EXPECT_EQ(h.host.vertPosition, 200);
    EXPECT_EQ(h.host.zoomTicks[3], true);
}

TEST_F(TripDiagramZoom, HiddenScrollBarStartsFromTheMiddle) {
    h.host.pageWidth = 5000;
    h.host.horizPosition = 1234;
    h.diagram.SetZoom(0.5f); // the whole day fits: no horizontal bar, nothing to scroll
    EXPECT_EQ(h.host.paintWidth, 3460);
    EXPECT_EQ(h.host.horizPosition, 1234);
    h.diagram.SetZoom(5);
    EXPECT_EQ(h.host.paintWidth, 34245);
    // The bar was hidden before: the view opens on the middle of the day.
    EXPECT_EQ(h.host.horizPosition, 17122);
}

TEST_F(TripDiagramZoom, NonPositiveFactorOnlyRetickesAndRebuilds) {
    h.diagram.SetZoom(0);
    EXPECT_EQ(h.host.paintWidth, 6881);
    EXPECT_EQ(h.diagram.State().timeZoom, 1.0f);
    EXPECT_EQ(h.host.zoomTicks, (std::array<bool, 7>{}));
    EXPECT_EQ(h.host.invalidations, 1);
}

TEST_F(TripDiagramZoom, FitToHeightTicksOnlyAMenuFactor) {
    h.host.scrollAreaHeight = 297;
    h.diagram.FitToHeight();
    EXPECT_NEAR(h.diagram.State().distanceZoom, 197.0 / 591.0, 1e-6);
    EXPECT_EQ(h.host.zoomTicks, (std::array<bool, 7>{}));
    EXPECT_NEAR(h.host.paintHeight, 297, 1);
    h.host.scrollAreaHeight = 691;
    h.diagram.FitToHeight();
    EXPECT_EQ(h.diagram.State().distanceZoom, 1.0f);
    EXPECT_TRUE(h.host.zoomTicks[3]);
}

TEST_F(TripDiagramZoom, UpdateTimeScaleSizesTheWidthWithTheZoom) {
    h.diagram.SetZoom(2);
    h.diagram.State().baseSpeed = 30;
    h.diagram.UpdateTimeScale();
    EXPECT_NEAR(h.diagram.State().timeScale, 142.5222, 5e-4);
    EXPECT_EQ(h.host.paintWidth, 6881); // 142.5222 * 24 * 2 + 40
    EXPECT_EQ(h.diagram.TimeToX(24), 6861);
    h.diagram.State().baseAngle = 45;
    h.diagram.UpdateTimeScale();
    EXPECT_NEAR(h.diagram.State().timeScale, 3 * 30 * 5.91 / 1.0, 1e-2);
}

TEST_F(TripDiagramZoom, ScrollToKeloPutsItsStartAtTheTopLeft) {
    h.diagram.ScrollToKelo(0);
    // x = TimeToX(12) = 3440, y = DistanceToY(50) = 344, ranges equal to the paint area.
    EXPECT_NEAR(h.host.horizPosition, 3440, 1);
    EXPECT_NEAR(h.host.vertPosition, 344, 1);
    h.host.horizPosition = 7;
    h.host.vertPosition = 8;
    h.diagram.ScrollToKelo(1);  // no entries
    h.diagram.ScrollToKelo(2);  // no such kelo
    h.diagram.ScrollToKelo(-1); // none
    EXPECT_EQ(h.host.horizPosition, 7);
    EXPECT_EQ(h.host.vertPosition, 8);
    h.host.scrollBars = false;
    h.diagram.ScrollToKelo(0);
    EXPECT_EQ(h.host.horizPosition, 7);
}

TEST_F(TripDiagramZoom, DisplayOptionsWithABadValueChangeNothing) {
    using Fault = TripDiagramOptionsFaultType;
    const TripDiagramDisplayOptionsType before = h.diagram.GetDisplayOptions();
    EXPECT_EQ(before, TripDiagramDisplayOptionsType()); // a new window's settings
    struct Case {
        void (*change)(TripDiagramDisplayOptionsType&);
        Fault fault;
    };
    const Case cases[] = {
        {[](auto& o) { o.baseSpeed = 0.99f; }, Fault::BaseSpeed},
        {[](auto& o) { o.baseSpeed = 120.5f; }, Fault::BaseSpeed},
        {[](auto& o) { o.baseSpeed = std::nanf(""); }, Fault::BaseSpeed},
        {[](auto& o) { o.baseAngle = 0; }, Fault::BaseAngle},
        {[](auto& o) { o.baseAngle = 90; }, Fault::BaseAngle},
        {[](auto& o) { o.zoom = 0; }, Fault::Zoom},
        {[](auto& o) { o.zoom = INFINITY; }, Fault::Zoom},
        {[](auto& o) { o.gridColor = 0x1000000; }, Fault::Color},
        // The first bad value is named, and the good ones before it are not applied.
        {[](auto& o) {
             o.showBackward = true;
             o.baseAngle = -1;
             o.zoom = -1;
         },
         Fault::BaseAngle},
    };
    for (const Case& c : cases) {
        TripDiagramDisplayOptionsType options = before;
        c.change(options);
        EXPECT_EQ(h.diagram.ApplyDisplayOptions(options), c.fault);
        EXPECT_EQ(h.diagram.GetDisplayOptions(), before);
    }
    EXPECT_EQ(h.host.invalidations, 0);
    EXPECT_EQ(h.host.paintWidth, 6881);
}

TEST_F(TripDiagramZoom, DisplayOptionsApplyWhatDiffersAndRebuildOnce) {
    TripDiagramDisplayOptionsType options = h.diagram.GetDisplayOptions();
    h.host.zoomTicks.fill(true); // a zoom would retick these
    options.showInOutMarks = false;
    options.showGrid = false;
    options.keloCommonColor = 0x123456;
    options.baseSpeed = 30; // same angle, zoom 100 %: no re-zoom
    ASSERT_EQ(h.diagram.ApplyDisplayOptions(options), TripDiagramOptionsFaultType::None);
    EXPECT_EQ(h.diagram.GetDisplayOptions(), options);
    EXPECT_FALSE(h.diagram.State().showTimeGrid);
    EXPECT_FALSE(h.host.gridTicked);
    EXPECT_FALSE(h.host.inOutMarksTicked);
    EXPECT_EQ(h.host.zoomTicks[0], true);
    EXPECT_NEAR(h.diagram.State().timeScale, 142.5222, 5e-4);
    EXPECT_EQ(h.host.paintWidth, 3460);
    EXPECT_EQ(h.diagram.KeloViews()[1].color, 0x123456u); // kelo 0 is the selected one
    EXPECT_EQ(h.host.invalidations, 1);

    options.monoColor = false;
    options.zoom = 2;
    ASSERT_EQ(h.diagram.ApplyDisplayOptions(options), TripDiagramOptionsFaultType::None);
    EXPECT_FALSE(h.host.monoColorTicked);
    EXPECT_EQ(h.diagram.KeloViews()[1].color, TripDiagramClass::Palette[1]);
    EXPECT_EQ(h.host.paintWidth, 6881);
    EXPECT_TRUE(h.host.zoomTicks[5]);
    EXPECT_EQ(h.host.invalidations, 2);
}

} // namespace
