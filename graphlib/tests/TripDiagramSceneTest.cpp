#include "TripDiagramTestSupport.h"

namespace {

using Kind = ZoRecordingSurfaceClass::Kind;

InMemoryDataSet::Kelo Kelo(const std::string& number, std::vector<InMemoryDataSet::Row> rows) {
    return {number, "Kelo " + number, "", std::move(rows)};
}

// Three stops 50 km apart (D = 100, so the worked-example scales), names 36 pixels wide.
class TripDiagramScene : public ::testing::Test {
protected:
    void Build(std::vector<InMemoryDataSet::Kelo> kelos, const std::string& selected = "") {
        auto data = LineData(3, 50);
        data.kelos = std::move(kelos);
        h.Create(data, selected, LineCodes(3));
        h.diagram.BuildScene();
    }
    const ZoCanvasItemLineClass* Line(std::uint32_t id) {
        return dynamic_cast<const ZoCanvasItemLineClass*>(h.diagram.GetCanvas().GetItem(id));
    }
    const ZoCanvasItemTextClass* Text(std::uint32_t id) {
        return dynamic_cast<const ZoCanvasItemTextClass*>(h.diagram.GetCanvas().GetItem(id));
    }
    DiagramHarness h{6};
};

TEST_F(TripDiagramScene, AxesStopRowsAndHourMarksInCreationOrder) {
    Build({});
    ZoCanvasClass& canvas = h.diagram.GetCanvas();
    const int L = 36;
    const int dayEnd = h.X(24);
    ASSERT_EQ(h.diagram.State().labelWidth, L);
    ASSERT_EQ(canvas.GetItemCount(), 1u + 3 * 3 + 1 + 13 * 2 + 12);
    EXPECT_EQ(Ends(Line(0)), (ZoRectType{L + 20, h.Y(0), L + 20, h.Y(100)}));
    for (std::uint32_t i = 0; i < 3; ++i) {
        const std::uint32_t base = 1 + 3 * i;
        const int y = h.Y(50.0 * i);
        EXPECT_EQ(Ends(Line(base)), (ZoRectType{L + 15, y, L + 20, y}));
        EXPECT_FALSE(canvas.HasTag(base, "StopIndex"));
        const auto* name = Text(base + 1);
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(name->text, "Stop " + std::to_string(i));
        EXPECT_EQ(name->x, L + 15);
        EXPECT_EQ(name->y, y - 5);
        EXPECT_EQ(name->alignment, 3);
        EXPECT_EQ(canvas.GetTag(base + 1, "StopIndex"), std::to_string(i));
        const auto* grid = Line(base + 2);
        EXPECT_EQ(Ends(grid), (ZoRectType{L + 20, y, dayEnd, y}));
        EXPECT_EQ(grid->penStyle, ZoPenDot);
        EXPECT_EQ(grid->color, 0xE0E0E0u);
        EXPECT_EQ(canvas.GetTag(base + 2, "StopIndex"), std::to_string(i));
    }
    const int ys = h.Y(0);
    EXPECT_EQ(Ends(Line(10)), (ZoRectType{L + 20, ys, dayEnd, ys}));
    EXPECT_EQ(Line(10)->color, 0u);
    EXPECT_EQ(Line(10)->penStyle, ZoPenSolid);
    // Hour 10: tick, label centred under it, grid line from the first to the last stop.
    const std::uint32_t ten = 11 + 2 + 4 * 3; // after 0:00 (2 items) and 2, 4, 6, 8 (3 each)
    const int x10 = h.X(10);
    EXPECT_EQ(Ends(Line(ten)), (ZoRectType{x10, ys - 5, x10, ys + 6}));
    ASSERT_NE(Text(ten + 1), nullptr);
    EXPECT_EQ(Text(ten + 1)->text, "10:00");
    EXPECT_EQ(Text(ten + 1)->x, x10 - 15);
    EXPECT_EQ(Text(ten + 1)->y, ys + 10);
    EXPECT_EQ(Text(ten + 1)->alignment, 0);
    EXPECT_EQ(Text(12)->text, "0:00");
    // Not centred on its mark: it would reach into the stop names left of the axis.
    EXPECT_EQ(Text(12)->x, L + 21);
    EXPECT_EQ(Ends(Line(ten + 2)), (ZoRectType{x10, h.Y(0), x10, h.Y(100)}));
    EXPECT_EQ(Line(ten + 2)->penStyle, ZoPenDot);
    // The twelve time grid lines lie at the bottom of the stack, the last one sent lowest.
    const auto& order = canvas.GetOrder();
    EXPECT_EQ(order[0], canvas.GetItemCount() - 1);
    EXPECT_EQ(order[11], ten + 2 - 3 * 4);
    EXPECT_EQ(order[12], 0u);
    // Every text was measured while painting, so names can be clicked at once.
    std::uint32_t id = 0;
    ASSERT_TRUE(canvas.HitTest(L + 10, h.Y(50) - 10, id));
    EXPECT_EQ(canvas.GetTag(id, "StopIndex"), "1");
}

TEST_F(TripDiagramScene, GridsFollowTheirOptionsAndTheTimeAxisTheSelectedStop) {
    auto data = LineData(3, 50);
    h.Create(data, "", LineCodes(3));
    auto& s = h.diagram.State();
    s.showStopGrid = false;
    s.showTimeGrid = false;
    s.selectedStop = 2;
    h.diagram.BuildScene();
    ZoCanvasClass& canvas = h.diagram.GetCanvas();
    ASSERT_EQ(canvas.GetItemCount(), 1u + 3 * 2 + 1 + 13 * 2);
    const int ys = h.Y(100);
    EXPECT_EQ(Ends(Line(7)), (ZoRectType{56, ys, h.X(24), ys}));
    EXPECT_EQ(Text(9)->y, ys + 10);
    for (std::uint32_t id = 0; id < canvas.GetItemCount(); ++id)
        EXPECT_EQ(canvas.GetOrder()[id], id);
}

TEST_F(TripDiagramScene, KeloRunsAndDwellsAreTaggedPolylines) {
    Build({Kelo("A", {MakeRow("L0", "08:00", 10), MakeRow("L1", "09:00", 0),
                      MakeRow("L2", "10:00", -1)})},
          "A");
    const auto items = h.KeloItems();
    ASSERT_EQ(items.size(), 5u);
    const int y0 = h.Y(0), y1 = h.Y(50), y2 = h.Y(100);
    EXPECT_EQ(Ends(items[0]), (ZoRectType{h.X(8), y0, h.X(8, 10), y0}));       // dwell
    EXPECT_EQ(Ends(items[1]), (ZoRectType{h.X(8, 10), y0, h.X(9), y1}));       // run
    EXPECT_EQ(Ends(items[2]), (ZoRectType{h.X(9) - 3, y1, h.X(9) + 3, y1}));   // no stay
    EXPECT_EQ(Ends(items[3]), (ZoRectType{h.X(9), y1, h.X(10), y2}));          // run
    EXPECT_EQ(Ends(items[4]), (ZoRectType{h.X(10) - 3, y2, h.X(10) + 3, y2})); // empty stay
    EXPECT_EQ(h.LinesTagged(0).size(), 5u);
    for (const auto* line : items) {
        EXPECT_EQ(line->color, 0xFF0000u); // selected, mono colour
        EXPECT_EQ(line->penWidth, 1);
    }
    // The selected kelo lies on top: a click on its run selects it.
    std::uint32_t id = 0;
    ASSERT_TRUE(h.diagram.GetCanvas().HitTest((h.X(8, 10) + h.X(9)) / 2, (y0 + y1) / 2, id));
    EXPECT_EQ(h.diagram.GetCanvas().GetTag(id, "KeloIndex"), "0");
}

TEST_F(TripDiagramScene, RunAcrossMidnightIsSplitAtTheDayEdges) {
    // 23:30 -> 0:30 over 50 km: half-way (25 km) at midnight.
    Build({Kelo("A", {MakeRow("L0", "23:20", 10), MakeRow("L1", "00:30", 0)})}, "A");
    const auto lines = h.LinesTagged(0);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(Ends(lines[0]), (ZoRectType{h.X(23, 20), h.Y(0), h.X(23, 30), h.Y(0)}));
    EXPECT_EQ(Ends(lines[1]), (ZoRectType{h.X(23, 30), h.Y(0), h.X(24), h.Y(25)}));
    EXPECT_EQ(Ends(lines[2]), (ZoRectType{h.X(0), h.Y(25), h.X(0, 30), h.Y(50)}));
}

TEST_F(TripDiagramScene, DepartureAt24IsKeptAndLaterOnesWrapToTheMorning) {
    // Leaves at 24:00 exactly: still a crossing, with no distance run before midnight.
    Build({Kelo("A", {MakeRow("L0", "23:50", 10), MakeRow("L1", "00:30", 0)}),
           Kelo("B", {MakeRow("L0", "23:51", 10), MakeRow("L1", "00:30", 0)})},
          "A");
    auto a = h.LinesTagged(0);
    ASSERT_EQ(a.size(), 4u);
    EXPECT_EQ(Ends(a[1]), (ZoRectType{h.X(24), h.Y(0), h.X(24), h.Y(0)}));
    EXPECT_EQ(Ends(a[2]), (ZoRectType{h.X(0), h.Y(0), h.X(0, 30), h.Y(50)}));
    // Leaves at 24:01: the run starts at 0:01 and is not split; the dwell is.
    auto b = h.LinesTagged(1);
    ASSERT_EQ(b.size(), 4u);
    EXPECT_EQ(Ends(b[0]), (ZoRectType{h.X(23, 51), h.Y(0), h.X(24), h.Y(0)}));
    EXPECT_EQ(Ends(b[1]), (ZoRectType{h.X(0), h.Y(0), h.X(0, 1), h.Y(0)}));
    EXPECT_EQ(Ends(b[2]), (ZoRectType{h.X(0, 1), h.Y(0), h.X(0, 30), h.Y(50)}));
}

TEST_F(TripDiagramScene, RunOfNoTimeAcrossMidnightJumpsAtTheDayEdge) {
    Build({Kelo("A", {MakeRow("L0", "23:50", 10), MakeRow("L1", "00:00", 0)})}, "A");
    auto lines = h.LinesTagged(0);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(Ends(lines[1]), (ZoRectType{h.X(24), h.Y(0), h.X(24), h.Y(50)}));
    EXPECT_EQ(Ends(lines[2]), (ZoRectType{h.X(0), h.Y(50), h.X(0), h.Y(50)}));
}

TEST_F(TripDiagramScene, DwellAcrossMidnightIsTwoLinesOnTheSameRow) {
    Build({Kelo("A", {MakeRow("L1", "23:50", 20), MakeRow("L2", "01:00", 0)})}, "A");
    auto lines = h.LinesTagged(0);
    ASSERT_EQ(lines.size(), 4u);
    const int y = h.Y(50);
    EXPECT_EQ(Ends(lines[0]), (ZoRectType{h.X(23, 50), y, h.X(24), y}));
    EXPECT_EQ(Ends(lines[1]), (ZoRectType{h.X(0), y, h.X(0, 10), y}));
    EXPECT_EQ(Ends(lines[2]), (ZoRectType{h.X(0, 10), y, h.X(1), h.Y(100)}));
}

TEST_F(TripDiagramScene, EntryAndExitArrowsOfAForwardKelo) {
    Build(
        {Kelo("A", {MakeRow("X0", "07:50", 0), MakeRow("L0", "08:00", 5), MakeRow("L1", "09:00", 0),
                    MakeRow("L2", "10:00", 10), MakeRow("X9", "10:20", -1)})},
        "A");
    const auto items = h.KeloItems();
    ASSERT_EQ(items.size(), 3u + 1 + 2 + 3 + 2);
    ZoCanvasClass& canvas = h.diagram.GetCanvas();
    const std::uint32_t first = canvas.GetItemCount() - static_cast<std::uint32_t>(items.size());
    const int a = h.X(8), b = h.Y(0);
    EXPECT_EQ(Ends(items[0]), (ZoRectType{a, b + 10, a, b})); // rising into the point
    EXPECT_EQ(Ends(items[1]), (ZoRectType{a - 3, b + 5, a, b}));
    EXPECT_EQ(Ends(items[2]), (ZoRectType{a + 3, b + 5, a, b}));
    for (std::uint32_t id = first; id < first + 3; ++id)
        EXPECT_FALSE(canvas.HasTag(id, "KeloIndex"));
    EXPECT_EQ(Ends(items[3]), (ZoRectType{a, b, h.X(8, 5), b})); // dwell after the mark
    // At the last stop the exit mark comes before the run into it, at the departure.
    const int c = h.X(10, 10), d = h.Y(100);
    EXPECT_EQ(Ends(items[6]), (ZoRectType{c, d, c, d - 10})); // rising from the point
    EXPECT_EQ(Ends(items[7]), (ZoRectType{c - 3, d - 5, c, d - 10}));
    EXPECT_EQ(Ends(items[8]), (ZoRectType{c + 3, d - 5, c, d - 10}));
    EXPECT_EQ(Ends(items[9]), (ZoRectType{h.X(9), h.Y(50), h.X(10), d}));
    EXPECT_EQ(items[0]->color, 0xFF0000u); // in the kelo's pen

    h.diagram.State().showInOutMarks = false;
    h.diagram.BuildScene();
    EXPECT_EQ(h.KeloItems().size(), 5u);
}

TEST_F(TripDiagramScene, EntryAndExitArrowsOfABackwardKeloPointDown) {
    auto data = LineData(3, 50);
    data.kelos.push_back(
        Kelo("B", {MakeRow("X9", "07:50", 0), MakeRow("L2", "08:00", 0), MakeRow("L1", "09:00", 0),
                   MakeRow("L0", "10:00", 0), MakeRow("X0", "10:20", -1)}));
    h.Create(data, "B", LineCodes(3));
    h.diagram.ShowBackwardKelos();
    h.diagram.BuildScene();
    const auto items = h.KeloItems();
    ASSERT_EQ(items.size(), 3u + 1 + 2 + 3 + 2);
    const int a = h.X(8), b = h.Y(100);
    EXPECT_EQ(Ends(items[0]), (ZoRectType{a, b - 10, a, b}));
    EXPECT_EQ(Ends(items[1]), (ZoRectType{a - 3, b - 5, a, b}));
    EXPECT_EQ(Ends(items[2]), (ZoRectType{a + 3, b - 5, a, b}));
    const int c = h.X(10), d = h.Y(0);
    EXPECT_EQ(Ends(items[6]), (ZoRectType{c, d, c, d + 10}));
    EXPECT_EQ(Ends(items[7]), (ZoRectType{c - 3, d + 5, c, d + 10}));
    EXPECT_EQ(Ends(items[8]), (ZoRectType{c + 3, d + 5, c, d + 10}));
}

TEST_F(TripDiagramScene, KeloThatLeavesAndRejoinsTheLineShowsBothMarks) {
    Build({Kelo("A",
                {MakeRow("L0", "08:00", 0), MakeRow("X9", "08:30", 0), MakeRow("L2", "09:00", 0)})},
          "A");
    const auto items = h.KeloItems();
    // L0: tick, exit mark; L2: entry mark, run, tick.
    ASSERT_EQ(items.size(), 3u + 1 + 3 + 1 + 1);
    EXPECT_EQ(Ends(items[0]), (ZoRectType{h.X(8), h.Y(0), h.X(8), h.Y(0) - 10}));
    EXPECT_EQ(Ends(items[4]), (ZoRectType{h.X(9), h.Y(100) + 10, h.X(9), h.Y(100)}));
}

TEST_F(TripDiagramScene, MultiColourDrawsTheSelectedKeloWideAndOnTop) {
    std::vector<InMemoryDataSet::Kelo> kelos;
    for (int i = 0; i < 3; ++i)
        kelos.push_back(
            Kelo("K" + std::to_string(i), {MakeRow("L0", "08:00", 10), MakeRow("L1", "09:00", 0),
                                           MakeRow("L2", "10:00", 5)}));
    Build(kelos, "K1");
    auto& s = h.diagram.State();
    s.monoColor = false;
    h.diagram.ApplyKeloColors();
    h.diagram.BuildScene();
    const auto selected = h.LinesTagged(1);
    ASSERT_EQ(selected.size(), 5u);
    EXPECT_EQ(selected[0]->penWidth, 3);
    EXPECT_EQ(selected[1]->penWidth, 3);
    EXPECT_EQ(selected[2]->penWidth, 1); // the stay-0 tick is thin and solid
    EXPECT_EQ(selected[2]->penStyle, ZoPenSolid);
    EXPECT_EQ(selected[3]->penWidth, 3);
    EXPECT_EQ(selected[0]->color, 0x00FF00u);
    for (const auto* line : h.LinesTagged(2)) {
        EXPECT_EQ(line->penWidth, 1);
        EXPECT_EQ(line->color, 0xFF0000u);
    }
    // The three kelos coincide; the selected one is reported although drawn before K2.
    ZoCanvasClass& canvas = h.diagram.GetCanvas();
    std::uint32_t id = 0;
    ASSERT_TRUE(canvas.HitTest((h.X(8, 10) + h.X(9)) / 2, (h.Y(0) + h.Y(50)) / 2, id));
    EXPECT_EQ(canvas.GetTag(id, "KeloIndex"), "1");
    const auto& order = canvas.GetOrder();
    for (std::size_t i = order.size() - 5; i < order.size(); ++i)
        EXPECT_EQ(canvas.GetTag(order[i], "KeloIndex"), "1");
    // The canvas pen is thin again for whatever is added next.
    EXPECT_EQ(canvas.GetPenWidth(), 1);

    s.monoColor = true;
    h.diagram.ApplyKeloColors();
    h.diagram.BuildScene();
    for (const auto* line : h.LinesTagged(1)) {
        EXPECT_EQ(line->penWidth, 1);
        EXPECT_EQ(line->color, 0xFF0000u);
    }
    for (const auto* line : h.LinesTagged(0))
        EXPECT_EQ(line->color, 0x808080u);
}

TEST_F(TripDiagramScene, PenStyleOfAViewEntryIsUsedExceptForTicks) {
    Build({Kelo("A", {MakeRow("L0", "08:00", 10), MakeRow("L1", "09:00", 0)})}, "A");
    h.diagram.KeloViews()[0].penStyle = ZoPenDash;
    h.diagram.BuildScene();
    const auto lines = h.LinesTagged(0);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0]->penStyle, ZoPenDash);
    EXPECT_EQ(lines[1]->penStyle, ZoPenDash);
    EXPECT_EQ(lines[2]->penStyle, ZoPenSolid);
}

TEST_F(TripDiagramScene, HiddenKelosAndEntriesWithoutArrivalAreNotDrawn) {
    Build({Kelo("A", {MakeRow("L0", "08:00", 0), MakeRow("L1", "", 5), MakeRow("L2", "10:00", 0)}),
           Kelo("B", {MakeRow("L0", "11:00", 0), MakeRow("L2", "12:00", 0)})},
          "A");
    // A: ticks at L0 and L2 only; the runs to and from the entry without times are left out.
    const auto a = h.LinesTagged(0);
    ASSERT_EQ(a.size(), 2u);
    EXPECT_EQ(Ends(a[1]), (ZoRectType{h.X(10) - 3, h.Y(100), h.X(10) + 3, h.Y(100)}));
    EXPECT_EQ(h.LinesTagged(1).size(), 3u);
    h.diagram.KeloViews()[1].visible = false;
    h.diagram.BuildScene();
    EXPECT_TRUE(h.LinesTagged(1).empty());
}

TEST_F(TripDiagramScene, BuildPaintsOnTheSurfaceAndPaintOnUsesAnother) {
    Build({Kelo("A", {MakeRow("L0", "08:00", 10), MakeRow("L1", "09:00", 0)})}, "A");
    EXPECT_EQ(h.host.invalidations, 1);
    ASSERT_FALSE(h.surface.calls.empty());
    EXPECT_EQ(h.surface.calls[0].kind, Kind::Rectangle);
    EXPECT_EQ(h.surface.calls[0].brushColor, 0xFFFFFFu);
    EXPECT_EQ(h.surface.CountOf(Kind::Text), 3 + 13);
    const std::size_t drawn = h.surface.calls.size();
    EXPECT_EQ(drawn, 1 + h.diagram.GetCanvas().GetItemCount());

    ZoRecordingSurfaceClass other({100, 100, 200, 200});
    h.diagram.PaintOn(other);
    EXPECT_EQ(other.calls.size(), drawn);
    EXPECT_EQ(other.calls[0].box, (ZoRectType{100, 100, 200, 200}));
    EXPECT_EQ(h.surface.calls.size(), drawn);
    EXPECT_EQ(h.diagram.GetCanvas().GetSurface(), &h.surface);
}

} // namespace
