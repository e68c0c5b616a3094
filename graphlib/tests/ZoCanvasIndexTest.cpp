// The canvas's look-up by place answers as a walk over every item would, through restacking,
// replacement and clearing; the background mark ends when the stacking mixes the layers.
#include "ZoCanvasClass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>

namespace {

bool Meets(const ZoCanvasItemLineClass& line, const ZoRectType& area) {
    // Sampled along the segment: a point of it within 3 pixels of the area.
    for (int i = 0; i <= 400; ++i) {
        const double x = line.x1 + (line.x2 - line.x1) * i / 400.0;
        const double y = line.y1 + (line.y2 - line.y1) * i / 400.0;
        if (x > area.left - 3 && x < area.right + 2 && y > area.top - 3 && y < area.bottom + 2)
            return true;
    }
    return false;
}

void ExpectIndexAnswersAsAWalk(const ZoCanvasClass& canvas, std::mt19937& random) {
    std::uniform_int_distribution<int> at(-50, 1050);
    for (int q = 0; q < 60; ++q) {
        const int x = at(random), y = at(random);
        const ZoRectType area{x, y, x + 1 + q % 40, y + 1 + q % 25};
        const std::vector<std::uint32_t> near = canvas.ItemsNear({area});
        std::vector<std::uint32_t> walked;
        for (std::uint32_t id : canvas.GetOrder())
            if (Meets(*dynamic_cast<const ZoCanvasItemLineClass*>(canvas.GetItem(id)), area))
                walked.push_back(id);
        // Every item that meets the area, in stacking order; none far from it.
        std::vector<std::uint32_t> kept;
        std::copy_if(near.begin(), near.end(), std::back_inserter(kept), [&](std::uint32_t id) {
            return std::find(walked.begin(), walked.end(), id) != walked.end();
        });
        EXPECT_EQ(kept, walked);
        EXPECT_LE(near.size(), walked.size() + 2);

        std::uint32_t hit = 0;
        std::optional<std::uint32_t> topmost;
        for (std::uint32_t id : canvas.GetOrder())
            if (canvas.GetItem(id)->HitTest(x, y))
                topmost = id;
        EXPECT_EQ(canvas.HitTest(x, y, hit), topmost.has_value());
        if (topmost)
            EXPECT_EQ(hit, *topmost);
    }
}

TEST(ZoCanvasIndex, PlacesAnswerAsAWalkOverEveryItem) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> at(0, 1000);
    std::uniform_int_distribution<int> step(-60, 60);
    ZoCanvasClass canvas;
    for (int i = 0; i < 600; ++i) {
        const int x = at(random), y = at(random);
        canvas.SetPenWidth(i % 7 == 0 ? 3 : 1);
        // Mostly short slanting runs, some grid lines across the whole picture.
        if (i % 50 == 0)
            canvas.AddLine(0, y, 5000, y);
        else
            canvas.AddLine(x, y, x + step(random), y + step(random));
    }
    ExpectIndexAnswersAsAWalk(canvas, random);

    canvas.BringToFront(10);
    canvas.SendToBack(500);
    ExpectIndexAnswersAsAWalk(canvas, random);

    // Lines 100..109 redone elsewhere, as a change of one kelo does.
    const std::uint32_t added = canvas.GetItemCount();
    for (int i = 0; i < 10; ++i)
        canvas.AddLine(900 - i * 30, 100, 930 - i * 30, 160);
    canvas.ReplaceItems(100, added);
    ASSERT_EQ(canvas.GetItemCount(), added);
    ExpectIndexAnswersAsAWalk(canvas, random);

    canvas.Clear();
    canvas.AddLine(5, 5, 50, 50);
    ExpectIndexAnswersAsAWalk(canvas, random);
}

TEST(ZoCanvasIndex, ReplacementsTakeTheirSlotsWhereverTheyWereStacked) {
    for (const bool restacked : {false, true}) {
        ZoCanvasClass canvas;
        for (int i = 0; i < 5; ++i)
            canvas.AddLine(i * 10, 0, i * 10 + 5, 5);
        canvas.BringToFront(1);
        canvas.AddLine(100, 0, 105, 5); // 5 and 6 redo slots 1 and 2
        canvas.AddLine(110, 0, 115, 5);
        if (restacked)
            canvas.SendToBack(6);
        canvas.ReplaceItems(1, 5);
        EXPECT_EQ(canvas.GetItemCount(), 5u);
        EXPECT_EQ(canvas.GetOrder(), (std::vector<std::uint32_t>{0, 2, 3, 4, 1})) << restacked;
        EXPECT_EQ(canvas.ItemsNear({{100, 0, 120, 10}}), (std::vector<std::uint32_t>{2, 1}))
            << restacked;
    }
}

TEST(ZoCanvasIndex, BackgroundLastsWhileItStaysBelowEverythingElse) {
    ZoCanvasClass canvas;
    canvas.AddLine(0, 0, 10, 0);
    canvas.AddLine(0, 5, 10, 5);
    canvas.MarkBackground();
    canvas.AddLine(0, 0, 10, 10);
    canvas.AddLine(0, 10, 10, 0);
    EXPECT_EQ(canvas.GetBackgroundCount(), 2u);
    canvas.BringToFront(2);
    EXPECT_EQ(canvas.ItemsNear({{0, 0, 20, 20}}, ZoCanvasLayerType::Foreground),
              (std::vector<std::uint32_t>{3, 2}));
    EXPECT_EQ(canvas.ItemsNear({{0, 0, 20, 20}}, ZoCanvasLayerType::Background),
              (std::vector<std::uint32_t>{0, 1}));
    canvas.SendToBack(3); // a kelo line below the grid: no background any more
    EXPECT_EQ(canvas.GetBackgroundCount(), 0u);
    canvas.MarkBackground();
    canvas.BringToFront(0);
    EXPECT_EQ(canvas.GetBackgroundCount(), 4u); // nothing above it to mix with
    canvas.AddLine(1, 1, 2, 2);
    canvas.SendToBack(4);
    EXPECT_EQ(canvas.GetBackgroundCount(), 0u);
}

TEST(ZoCanvasIndex, CoverOfASlantingLineHoldsItsPixelsInPieces) {
    const ZoCanvasItemLineClass line(10, 10, 110, 60, 0, 0, 3);
    std::vector<ZoRectType> cover;
    line.AddCover(cover);
    ASSERT_EQ(cover.size(), 7u); // 100 pixels along x in pieces of at most 16
    for (int x = 10; x <= 110; ++x) {
        const int y = 10 + (x - 10) / 2;
        EXPECT_TRUE(std::any_of(cover.begin(), cover.end(), [&](const ZoRectType& r) {
            return x - 1 >= r.left && x + 1 < r.right && y - 1 >= r.top && y + 1 < r.bottom;
        })) << x;
    }
    long area = 0;
    for (const ZoRectType& r : cover)
        area += long(r.Width()) * r.Height();
    EXPECT_LT(area, 1500); // the box would be 104 x 54
}

} // namespace
