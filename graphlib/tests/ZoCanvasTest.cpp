#include "ZoCanvasClass.h"

#include "ZoRecordingSurfaceClass.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using Kind = ZoRecordingSurfaceClass::Kind;

struct PressRecord {
    std::uint32_t id;
    int button;
    std::int32_t x, y;
};

class RecordingHandler : public ZoCanvasEventHandlerClass {
public:
    void OnItemMouseDown(std::uint32_t id, int button, std::int32_t x, std::int32_t y) override {
        presses.push_back({id, button, x, y});
    }
    std::vector<PressRecord> presses;
};

bool Hits(const ZoCanvasClass& canvas, std::int32_t x, std::int32_t y, std::uint32_t& id) {
    return canvas.HitTest(x, y, id);
}

TEST(ZoCanvas, IdsFollowCreationAndRestartAfterClear) {
    ZoCanvasClass canvas;
    EXPECT_EQ(canvas.AddLine(0, 0, 1, 1), 0u);
    EXPECT_EQ(canvas.AddCircle(5, 5, 2), 1u);
    EXPECT_EQ(canvas.AddText(1, 1, "x"), 2u);
    EXPECT_EQ(canvas.GetOrder(), (std::vector<std::uint32_t>{0, 1, 2}));
    canvas.Clear();
    EXPECT_EQ(canvas.GetItemCount(), 0u);
    EXPECT_TRUE(canvas.GetOrder().empty());
    EXPECT_EQ(canvas.AddLine(0, 0, 1, 1), 0u);
}

TEST(ZoCanvas, NewItemsTakeTheAttributesInForceWhenCreated) {
    ZoCanvasClass canvas;
    canvas.SetPenColor(0x0000FF);
    canvas.SetPenStyle(ZoPenDot);
    canvas.SetPenWidth(3);
    const auto line = canvas.AddLine(0, 0, 10, 0);
    canvas.SetPenWidth(0); // stored as 1
    canvas.SetPenColor(0x00FF00);
    canvas.SetPenStyle(ZoPenSolid);
    const auto circle = canvas.AddCircle(0, 0, 4);
    canvas.SetTextAlignment(3);
    const auto text = canvas.AddText(7, 8, "abc");
    canvas.SetTextAlignment(0);

    const auto* l = dynamic_cast<const ZoCanvasItemLineClass*>(canvas.GetItem(line));
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->color, 0x0000FFu);
    EXPECT_EQ(l->penStyle, ZoPenDot);
    EXPECT_EQ(l->penWidth, 3);
    const auto* c = dynamic_cast<const ZoCanvasItemCircleClass*>(canvas.GetItem(circle));
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->penWidth, 1);
    EXPECT_EQ(c->color, 0x00FF00u);
    const auto* t = dynamic_cast<const ZoCanvasItemTextClass*>(canvas.GetItem(text));
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->alignment, 3);
    EXPECT_EQ(t->width, 0);
    EXPECT_EQ(canvas.GetPenWidth(), 1);
}

TEST(ZoCanvas, TagsAreKeptInOrderAndTheFirstOfANameWins) {
    ZoCanvasClass canvas;
    const auto id = canvas.AddLine(0, 0, 5, 5);
    EXPECT_FALSE(canvas.HasTag(id, "KeloIndex"));
    EXPECT_FALSE(canvas.GetTag(id, "KeloIndex").has_value());
    canvas.SetTag(id, "KeloIndex", std::string("4"));
    canvas.SetTag(id, "KeloIndex", std::string("7"));
    canvas.SetTag(id, "Flag");
    EXPECT_TRUE(canvas.HasTag(id, "KeloIndex"));
    EXPECT_EQ(canvas.GetTag(id, "KeloIndex"), std::optional<std::string>("4"));
    EXPECT_EQ(canvas.GetTag(id, "Flag"), std::optional<std::string>(""));
    EXPECT_TRUE(canvas.TagMatches(id, "KeloIndex", std::string("4")));
    EXPECT_FALSE(canvas.TagMatches(id, "KeloIndex", std::string("7")));
    EXPECT_TRUE(canvas.TagMatches(id, "KeloIndex"));
    EXPECT_FALSE(canvas.TagMatches(id, "keloindex")); // names compare exactly
    ASSERT_EQ(canvas.GetItem(id)->GetTags().size(), 3u);
    EXPECT_EQ(canvas.GetItem(id)->GetTags()[1].value, "7");
}

TEST(ZoCanvas, InvalidIdsAreIgnored) {
    ZoCanvasClass canvas;
    canvas.AddLine(0, 0, 5, 5);
    canvas.SetTag(1, "KeloIndex", std::string("1"));
    EXPECT_FALSE(canvas.HasTag(1, "KeloIndex"));
    EXPECT_FALSE(canvas.GetTag(1, "KeloIndex").has_value());
    canvas.BringToFront(5);
    canvas.SendToBack(5);
    EXPECT_EQ(canvas.GetOrder(), (std::vector<std::uint32_t>{0}));
    EXPECT_EQ(canvas.GetItem(1), nullptr);
}

TEST(ZoCanvas, StackingDecidesWhichOverlappingItemIsHit) {
    ZoCanvasClass canvas;
    const auto first = canvas.AddCircle(50, 50, 10);
    const auto second = canvas.AddLine(40, 50, 60, 50);
    std::uint32_t id = 99;
    ASSERT_TRUE(Hits(canvas, 50, 50, id));
    EXPECT_EQ(id, second);
    canvas.SendToBack(second);
    ASSERT_TRUE(Hits(canvas, 50, 50, id));
    EXPECT_EQ(id, first);
    EXPECT_EQ(canvas.GetOrder(), (std::vector<std::uint32_t>{second, first}));
    canvas.BringToFront(second);
    ASSERT_TRUE(Hits(canvas, 50, 50, id));
    EXPECT_EQ(id, second);
    // Nothing hit: the out id stays as it was.
    id = 77;
    EXPECT_FALSE(Hits(canvas, 500, 500, id));
    EXPECT_EQ(id, 77u);
}

TEST(ZoCanvas, HorizontalLineHitBand) {
    ZoCanvasClass canvas;
    canvas.AddLine(10, 10, 20, 10);
    std::uint32_t id = 0;
    EXPECT_TRUE(Hits(canvas, 15, 11, id));
    EXPECT_TRUE(Hits(canvas, 15, 9, id));
    EXPECT_FALSE(Hits(canvas, 15, 12, id));
    EXPECT_FALSE(Hits(canvas, 15, 8, id));
    EXPECT_FALSE(Hits(canvas, 21, 10, id)); // beyond the end: cut square
    EXPECT_FALSE(Hits(canvas, 9, 10, id));
    EXPECT_TRUE(Hits(canvas, 10, 10, id));
    EXPECT_TRUE(Hits(canvas, 20, 10, id));
    EXPECT_TRUE(Hits(canvas, 20, 11, id));
}

TEST(ZoCanvas, SlantedAndVerticalLinesHitByPerpendicularDistance) {
    ZoCanvasClass canvas;
    canvas.AddLine(0, 0, 30, 40); // length 50
    std::uint32_t id = 0;
    EXPECT_TRUE(Hits(canvas, 15, 20, id));
    // (17, 19) lies 2.2 px from the line, (16, 19) 1.4 px.
    EXPECT_FALSE(Hits(canvas, 17, 19, id));
    EXPECT_TRUE(Hits(canvas, 16, 19, id));
    canvas.Clear();
    canvas.AddLine(5, 100, 5, 0); // drawn upwards
    EXPECT_TRUE(Hits(canvas, 6, 50, id));
    EXPECT_FALSE(Hits(canvas, 7, 50, id));
    EXPECT_FALSE(Hits(canvas, 5, 101, id));
    EXPECT_TRUE(Hits(canvas, 4, 0, id));
}

TEST(ZoCanvas, LineWithCoincidingEndsIsNeverHit) {
    ZoCanvasClass canvas;
    canvas.AddLine(10, 10, 10, 10);
    std::uint32_t id = 0;
    EXPECT_FALSE(Hits(canvas, 10, 10, id));
}

TEST(ZoCanvas, FarZoomedLinesAreHitWhereTheyLie) {
    // Products of these coordinates exceed 32 bits; a wrapped product would miss here or
    // report a hit far away.
    ZoCanvasClass canvas;
    canvas.AddLine(100, 1000, 68000, 1000);
    std::uint32_t id = 0;
    EXPECT_TRUE(Hits(canvas, 67990, 1001, id));
    EXPECT_FALSE(Hits(canvas, 67990, 1003, id));
    EXPECT_FALSE(Hits(canvas, 68010, 1000, id));
}

TEST(ZoCanvas, CircleIsHitOverItsWholeDisc) {
    ZoCanvasClass canvas;
    canvas.AddCircle(100, 100, 5);
    std::uint32_t id = 0;
    EXPECT_TRUE(Hits(canvas, 100, 100, id));
    EXPECT_TRUE(Hits(canvas, 103, 104, id)); // exactly 5 away
    EXPECT_FALSE(Hits(canvas, 104, 104, id));
    EXPECT_TRUE(Hits(canvas, 95, 100, id));
}

TEST(ZoCanvas, TextIsHitOnlyAfterItWasPaintedInItsAlignedBox) {
    ZoRecordingSurfaceClass surface({0, 0, 200, 200}, 6, 13);
    ZoCanvasClass canvas;
    canvas.SetSurface(&surface);
    const auto topLeft = canvas.AddText(10, 10, "abcd"); // 24 x 13
    canvas.SetTextAlignment(3);
    const auto bottomRight = canvas.AddText(100, 100, "ab"); // 12 x 13
    std::uint32_t id = 99;
    EXPECT_FALSE(Hits(canvas, 11, 11, id));
    canvas.Paint();
    ASSERT_TRUE(Hits(canvas, 10, 10, id));
    EXPECT_EQ(id, topLeft);
    EXPECT_TRUE(Hits(canvas, 33, 22, id));
    EXPECT_FALSE(Hits(canvas, 34, 22, id)); // half-open box
    EXPECT_FALSE(Hits(canvas, 33, 23, id));
    ASSERT_TRUE(Hits(canvas, 88, 87, id));
    EXPECT_EQ(id, bottomRight);
    EXPECT_TRUE(Hits(canvas, 99, 99, id));
    EXPECT_FALSE(Hits(canvas, 100, 99, id));
    EXPECT_FALSE(Hits(canvas, 87, 90, id));
    EXPECT_FALSE(Hits(canvas, 90, 86, id));
}

TEST(ZoCanvas, TextAlignmentPlacesEachCornerAtTheAnchor) {
    ZoRecordingSurfaceClass surface({0, 0, 200, 200}, 5, 10);
    ZoCanvasClass canvas;
    canvas.SetSurface(&surface);
    for (int alignment = 0; alignment < 4; ++alignment) {
        canvas.SetTextAlignment(alignment);
        canvas.AddText(50, 50, "abcd"); // 20 x 10
    }
    canvas.Paint();
    std::vector<ZoRectType> boxes;
    for (const auto& call : surface.calls)
        if (call.kind == Kind::Text)
            boxes.push_back(call.box);
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0], (ZoRectType{50, 50, 70, 60}));
    EXPECT_EQ(boxes[1], (ZoRectType{30, 50, 50, 60}));
    EXPECT_EQ(boxes[2], (ZoRectType{50, 40, 70, 50}));
    EXPECT_EQ(boxes[3], (ZoRectType{30, 40, 50, 50}));
}

TEST(ZoCanvas, BringTaggedToFrontMovesMatchesOnTopInIdOrder) {
    ZoCanvasClass canvas;
    for (int i = 0; i < 6; ++i)
        canvas.AddLine(0, i, 10, i);
    canvas.SetTag(1, "KeloIndex", std::string("2"));
    canvas.SetTag(4, "KeloIndex", std::string("2"));
    canvas.SetTag(2, "KeloIndex", std::string("3"));
    canvas.SetTag(3, "StopIndex", std::string("2"));
    // Item 5 has KeloIndex only as its second tag of that name.
    canvas.SetTag(5, "KeloIndex", std::string("9"));
    canvas.SetTag(5, "KeloIndex", std::string("2"));
    canvas.BringToFront(1); // stacking no longer equals id order
    canvas.BringTaggedToFront("KeloIndex", std::string("2"));
    EXPECT_EQ(canvas.GetOrder(), (std::vector<std::uint32_t>{0, 2, 3, 5, 1, 4}));
    canvas.BringTaggedToFront("KeloIndex");
    EXPECT_EQ(canvas.GetOrder(), (std::vector<std::uint32_t>{0, 3, 1, 2, 4, 5}));
    canvas.BringTaggedToFront("Nothing");
    EXPECT_EQ(canvas.GetOrder(), (std::vector<std::uint32_t>{0, 3, 1, 2, 4, 5}));
}

TEST(ZoCanvas, MouseDownNotifiesTheHandlerOfTheTopmostItemOnly) {
    ZoCanvasClass canvas;
    RecordingHandler handler;
    canvas.AddLine(0, 10, 100, 10);
    canvas.MouseDown(0, 50, 10); // no handler yet: hit test only
    canvas.SetEventHandler(&handler);
    const auto top = canvas.AddCircle(50, 10, 4);
    canvas.MouseDown(2, 50, 11);
    canvas.MouseDown(0, 50, 300); // empty space
    ASSERT_EQ(handler.presses.size(), 1u);
    EXPECT_EQ(handler.presses[0].id, top);
    EXPECT_EQ(handler.presses[0].button, 2);
    EXPECT_EQ(handler.presses[0].x, 50);
    EXPECT_EQ(handler.presses[0].y, 11);
}

TEST(ZoCanvas, PaintFillsTheClipAreaThenDrawsInStackingOrder) {
    ZoRecordingSurfaceClass surface({5, 6, 300, 200});
    ZoCanvasClass canvas;
    canvas.Paint(); // no surface: nothing happens
    canvas.SetSurface(&surface);
    canvas.SetBackgroundColor(0x112233);
    canvas.SetPenColor(0x0000FF);
    canvas.SetPenStyle(ZoPenDot);
    canvas.SetPenWidth(2);
    const auto line = canvas.AddLine(1, 2, 3, 4);
    canvas.SetPenColor(0x00FF00);
    canvas.SetPenStyle(ZoPenSolid);
    canvas.SetPenWidth(1);
    canvas.AddCircle(50, 60, 7);
    canvas.AddText(20, 30, "t");
    canvas.SendToBack(2);
    canvas.GetItem(line); // reading does not change anything
    canvas.Paint();

    ASSERT_EQ(surface.calls.size(), 4u);
    const auto& background = surface.calls[0];
    EXPECT_EQ(background.kind, Kind::Rectangle);
    EXPECT_EQ(background.box, (ZoRectType{5, 6, 300, 200}));
    EXPECT_EQ(background.penColor, 0x112233u);
    EXPECT_EQ(background.brushColor, 0x112233u);
    EXPECT_EQ(background.penStyle, ZoPenSolid);
    EXPECT_EQ(surface.calls[1].kind, Kind::Text); // sent to the back
    EXPECT_EQ(surface.calls[1].brushColor, 0x112233u);
    EXPECT_EQ(surface.calls[2].kind, Kind::Line);
    EXPECT_EQ(surface.calls[2].box, (ZoRectType{1, 2, 3, 4}));
    EXPECT_EQ(surface.calls[2].penColor, 0x0000FFu);
    EXPECT_EQ(surface.calls[2].penStyle, ZoPenDot);
    EXPECT_EQ(surface.calls[2].penWidth, 2);
    EXPECT_EQ(surface.calls[3].kind, Kind::Ellipse);
    EXPECT_EQ(surface.calls[3].box, (ZoRectType{43, 53, 57, 67}));
    EXPECT_EQ(surface.calls[3].penColor, 0x00FF00u);
    EXPECT_EQ(surface.calls[3].brushColor, 0x112233u); // an outlined disc of background
}

TEST(ZoCanvas, SetColorChangesLinesAndCirclesButNotTexts) {
    ZoRecordingSurfaceClass surface;
    ZoCanvasClass canvas;
    canvas.SetSurface(&surface);
    canvas.AddLine(0, 0, 5, 5);
    canvas.AddCircle(9, 9, 2);
    canvas.AddText(0, 0, "x");
    for (std::uint32_t id = 0; id < 3; ++id)
        const_cast<ZoCanvasItemClass*>(canvas.GetItem(id))->SetColor(0xABCDEF);
    canvas.Paint();
    EXPECT_EQ(surface.calls[1].penColor, 0xABCDEFu);
    EXPECT_EQ(surface.calls[2].penColor, 0xABCDEFu);
    const auto* text = dynamic_cast<const ZoCanvasItemTextClass*>(canvas.GetItem(2));
    EXPECT_EQ(text->width, 6);
    EXPECT_EQ(text->height, 13);
}

TEST(ZoCanvas, ClearKeepsAttributesSurfaceAndHandler) {
    ZoRecordingSurfaceClass surface;
    RecordingHandler handler;
    ZoCanvasClass canvas;
    canvas.SetSurface(&surface);
    canvas.SetEventHandler(&handler);
    canvas.SetPenColor(0x123456);
    canvas.SetTextAlignment(2);
    canvas.AddLine(0, 0, 10, 0);
    canvas.Clear();
    EXPECT_EQ(canvas.GetSurface(), &surface);
    EXPECT_EQ(canvas.GetEventHandler(), &handler);
    EXPECT_EQ(canvas.GetPenColor(), 0x123456u);
    EXPECT_EQ(canvas.GetTextAlignment(), 2);
    std::uint32_t id = 0;
    EXPECT_FALSE(canvas.HitTest(5, 0, id));
}

TEST(ZoCanvas, PaintToAnotherSurfaceKeepsTheHitAreasOfTheOwnOne) {
    ZoRecordingSurfaceClass screen({0, 0, 400, 300}, 6, 13);
    ZoRecordingSurfaceClass printer({0, 0, 4000, 3000}, 60, 130); // ten times the font
    ZoCanvasClass canvas;
    canvas.SetSurface(&screen);
    canvas.SetTextAlignment(3);
    const std::uint32_t text = canvas.AddText(100, 50, "STOP"); // box 76..100 x 37..50
    canvas.Paint();
    std::uint32_t id = 99;
    ASSERT_TRUE(canvas.HitTest(80, 40, id));
    canvas.PaintTo(printer);
    id = 99;
    EXPECT_TRUE(canvas.HitTest(80, 40, id));
    EXPECT_EQ(id, text);
    EXPECT_FALSE(canvas.HitTest(50, 40, id)); // the printer's wide text left no trace
    // On the printer the text is placed by its own measure there: right edge at the anchor.
    ASSERT_EQ(printer.CountOf(Kind::Text), 1);
    EXPECT_EQ(printer.calls.back().box, (ZoRectType{100 - 240, 50 - 130, 100, 50}));
    EXPECT_EQ(canvas.GetSurface(), &screen);
}

TEST(ZoCanvas, ItemsBoundsCoverPensCirclesAndPaintedTexts) {
    ZoRecordingSurfaceClass surface({0, 0, 400, 300}, 6, 13);
    ZoCanvasClass canvas;
    canvas.SetSurface(&surface);
    EXPECT_EQ(canvas.GetItemsBounds(), ZoRectType{});
    canvas.AddLine(10, 20, 30, 20);
    EXPECT_EQ(canvas.GetItemsBounds(), (ZoRectType{10, 20, 31, 21}));
    canvas.SetPenWidth(3);
    canvas.AddCircle(50, 50, 5); // 45..55 and a pen of 3
    EXPECT_EQ(canvas.GetItemsBounds(), (ZoRectType{10, 20, 57, 57}));
    canvas.AddText(-4, 60, "AB"); // 12 x 13 once painted
    canvas.Paint();
    EXPECT_EQ(canvas.GetItemsBounds(), (ZoRectType{-4, 20, 57, 73}));
}

TEST(ZoCanvas, ItemsAtTheEndsOfTheIntegerRangeBoundWithoutWrapping) {
    constexpr std::int32_t Low = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t High = std::numeric_limits<std::int32_t>::max();
    ZoCanvasClass canvas;
    canvas.SetPenWidth(3);
    canvas.AddLine(Low, 0, High, 5);
    EXPECT_EQ(canvas.GetItemsBounds(), (ZoRectType{Low, -1, High, 7}));
    canvas.AddCircle(0, High, 9);
    EXPECT_EQ(canvas.GetItemsBounds(), (ZoRectType{Low, -1, High, High}));
}

} // namespace
