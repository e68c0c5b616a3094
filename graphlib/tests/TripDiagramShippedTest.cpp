// The diagram over the built-in data, as a new window builds it.
#include "Cp1251.h"
#include "KeloDemoDataClass.h"
#include "KeloLineOf.h"
#include "TripDiagramClass.h"
#include "TripDiagramFakeHostClass.h"
#include "ZoRecordingSurfaceClass.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

std::string Cp(const char* utf8) {
    return Utf8ToCp1251(utf8).bytes;
}

class TripDiagramShipped02P : public ::testing::Test {
protected:
    void SetUp() override {
        line = KeloLineOf(MakeBuiltInSource(), Cp("02П"));
        ASSERT_EQ(line.size(), 9u);
        diagram.Create(Cp("02П"), line, MakeBuiltInSource(line));
        diagram.BuildScene();
    }
    std::vector<std::uint32_t> Tagged(std::int32_t kelo) {
        std::vector<std::uint32_t> ids;
        ZoCanvasClass& canvas = diagram.GetCanvas();
        for (std::uint32_t id = 0; id < canvas.GetItemCount(); ++id)
            if (canvas.TagMatches(id, "KeloIndex", std::to_string(kelo)))
                ids.push_back(id);
        return ids;
    }
    const ZoCanvasItemLineClass* Line(std::uint32_t id) {
        return dynamic_cast<const ZoCanvasItemLineClass*>(diagram.GetCanvas().GetItem(id));
    }
    std::int32_t X(int h, int m) { return diagram.TimeToX((h * 60 + m) / 60.0); }
    std::int32_t Y(double km) { return diagram.DistanceToY(km); }
    ZoRectType Ends(std::uint32_t id) {
        const auto* l = Line(id);
        return {l->x1, l->y1, l->x2, l->y2};
    }
    std::int32_t KeloIndexOf(const char* number) {
        KeloKeloSetPtrClass kelos = diagram.GetView()->GetKeloSet();
        for (std::int32_t i = 0; i < kelos->GetCount(); ++i)
            if (kelos->GetItem(i)->GetNumber() == Cp(number))
                return i;
        return -1;
    }

    std::vector<std::string> line;
    TripDiagramFakeHostClass host;
    ZoRecordingSurfaceClass surface{ZoRectType{0, 0, 8000, 1000}, 6, 13};
    TripDiagramClass diagram{host, surface};
};

TEST_F(TripDiagramShipped02P, ScalesAndStopRowsOfTheLine) {
    const auto& s = diagram.State();
    EXPECT_EQ(s.selectedKelo, 0);
    EXPECT_NEAR(diagram.GetLineLength(), 39.9, 1e-4);
    EXPECT_NEAR(s.distanceScale, 197 * 3 / 39.9, 1e-4);
    EXPECT_NEAR(host.paintHeight, 691, 1);
    // "СТЕПАНОВКА#" and "ВОЛОВОДОВКА#" are the longest names: 12 bytes.
    EXPECT_EQ(s.labelWidth, 12 * 6);
    const float positions[9] = {0, 10.2f, 14.2f, 15.2f, 23.4f, 27.4f, 30.5f, 37.9f, 39.9f};
    const char* names[9] = {"ВИННИЦА 1",   "ПИСАРЕВКА#",  "ГУМЕННОЕ+", "СОКИРИНЦЫ+",  "ВОРОНОВИЦА+",
                            "СТЕПАНОВКА#", "ПОБЕРЕЖНОЕ#", "ОБЕДНОЕ#",  "ВОЛОВОДОВКА#"};
    ZoCanvasClass& canvas = diagram.GetCanvas();
    for (std::uint32_t i = 0; i < 9; ++i) {
        EXPECT_NEAR(diagram.GetDistanceCache().GetPosition(i), positions[i], 1e-4);
        const auto* name = dynamic_cast<const ZoCanvasItemTextClass*>(canvas.GetItem(2 + 3 * i));
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(name->text, Cp(names[i]));
        EXPECT_EQ(name->y, Y(positions[i]) - 5);
        EXPECT_EQ(canvas.GetTag(2 + 3 * i, "StopIndex"), std::to_string(i));
        EXPECT_EQ(canvas.GetTag(3 + 3 * i, "StopIndex"), std::to_string(i));
    }
    // The first stop 50 pixels above the bottom, the last 50 below the top.
    EXPECT_EQ(Y(0), host.paintHeight - 50);
    EXPECT_NEAR(Y(39.9), 50, 1);
}

TEST_F(TripDiagramShipped02P, OffersTheKelosOfTheLineForwardOnesShown) {
    const auto& views = diagram.KeloViews();
    ASSERT_EQ(views.size(), 34u);
    int shown = 0;
    for (std::size_t k = 0; k < views.size(); ++k) {
        EXPECT_EQ(views[k].visible, diagram.IsKeloForward(static_cast<std::int32_t>(k)));
        shown += views[k].visible;
    }
    EXPECT_EQ(shown, 17);
    EXPECT_FALSE(diagram.IsKeloForward(KeloIndexOf("03П")));
    EXPECT_TRUE(Tagged(KeloIndexOf("03П")).empty());
    // Fixed items: axis, 9 stop rows of three, time axis, 13 hour marks of two, 12 grids.
    const std::uint32_t fixed = 1 + 27 + 1 + 26 + 12;
    std::uint32_t keloItems = 0;
    for (std::uint32_t id = 0; id < diagram.GetCanvas().GetItemCount(); ++id)
        keloItems += diagram.GetCanvas().HasTag(id, "KeloIndex");
    EXPECT_GT(keloItems, 0u);
    EXPECT_LT(keloItems, diagram.GetCanvas().GetItemCount() - fixed);
}

TEST_F(TripDiagramShipped02P, KeloOfTheWindowRunsTheWholeLineAndLiesOnTop) {
    const auto ids = Tagged(0);
    // Nine stops: a tick at the first (no stay) and at the last (empty stay), one-minute
    // dwells between, eight runs; no arrows, it neither comes from nor goes beyond the line.
    ASSERT_EQ(ids.size(), 17u);
    EXPECT_EQ(Ends(ids[0]), (ZoRectType{X(8, 0) - 3, Y(0), X(8, 0) + 3, Y(0)}));
    EXPECT_EQ(Ends(ids[1]), (ZoRectType{X(8, 0), Y(0), X(8, 14), Y(10.2f)}));
    EXPECT_EQ(Ends(ids[2]), (ZoRectType{X(8, 14), Y(10.2f), X(8, 15), Y(10.2f)}));
    EXPECT_EQ(Ends(ids[16]), (ZoRectType{X(9, 5) - 3, Y(39.9f), X(9, 5) + 3, Y(39.9f)}));
    for (std::uint32_t id : ids) {
        EXPECT_EQ(Line(id)->color, 0xFF0000u);
        EXPECT_EQ(Line(id)->penWidth, 1);
    }
    const auto& order = diagram.GetCanvas().GetOrder();
    ASSERT_GE(order.size(), ids.size());
    EXPECT_TRUE(std::equal(ids.begin(), ids.end(), order.end() - ids.size()));
    EXPECT_EQ(ids.back() - ids.front(), 16u); // drawn as one run of items
}

TEST_F(TripDiagramShipped02P, NightKeloIsSplitAtMidnightAndMarkedWhereItLeaves) {
    // "150" dwells at ВИННИЦА 1 from 23:35 to 23:50 and reaches ВОРОНОВИЦА+ at 0:14.
    const std::int32_t k = KeloIndexOf("150");
    ASSERT_GE(k, 0);
    ASSERT_TRUE(diagram.IsKeloForward(k));
    const auto ids = Tagged(k);
    ASSERT_EQ(ids.size(), 4u);
    EXPECT_EQ(Ends(ids[0]), (ZoRectType{X(23, 35), Y(0), X(23, 50), Y(0)}));
    const ZoRectType before = Ends(ids[1]);
    const ZoRectType after = Ends(ids[2]);
    EXPECT_EQ(before.left, X(23, 50));
    EXPECT_EQ(before.right, X(24, 0));
    EXPECT_EQ(after.left, X(0, 0));
    EXPECT_EQ(after.bottom, Y(23.4f));
    EXPECT_EQ(before.bottom, after.top);
    // 10 of 24 minutes run before midnight: 10/24 of 23.4 km.
    EXPECT_NEAR(before.bottom, Y(23.4 * 10 / 24), 1);
    // It goes on beyond the line: an exit arrow rises from its departure at 0:16, made
    // just before the run into that stop.
    ZoCanvasClass& canvas = diagram.GetCanvas();
    const std::uint32_t arrow = ids[1] - 3;
    EXPECT_FALSE(canvas.HasTag(arrow, "KeloIndex"));
    EXPECT_EQ(Ends(arrow), (ZoRectType{X(0, 16), Y(23.4f), X(0, 16), Y(23.4f) - 10}));
}

TEST_F(TripDiagramShipped02P, AllDirectionsAndPaletteColours) {
    diagram.ShowBackwardKelos();
    auto& s = diagram.State();
    s.monoColor = false;
    diagram.ApplyKeloColors();
    diagram.BuildScene();
    for (std::int32_t k = 0; k < 34; ++k) {
        const auto ids = Tagged(k);
        ASSERT_FALSE(ids.empty()) << k;
        EXPECT_EQ(Line(ids[0])->color, TripDiagramClass::Palette[k % 18]);
    }
    // A click on the middle of a run of 03П reports 03П.
    const std::int32_t back = KeloIndexOf("03П");
    const auto ids = Tagged(back);
    const auto* run = Line(ids[1]);
    std::uint32_t hit = 0;
    ASSERT_TRUE(diagram.GetCanvas().HitTest((run->x1 + run->x2) / 2, (run->y1 + run->y2) / 2, hit));
    EXPECT_EQ(diagram.GetCanvas().GetTag(hit, "KeloIndex"), std::to_string(back));
}

TEST(TripDiagramShipped, EveryKeloLineBuildsItsScene) {
    const auto start = std::chrono::steady_clock::now();
    KeloDataPtrClass all = MakeBuiltInSource();
    KeloKeloSetPtrClass kelos = all->GetKeloSet();
    ASSERT_EQ(kelos->GetCount(), 176);
    for (std::int32_t i = 0; i < kelos->GetCount(); ++i) {
        const std::string number = kelos->GetItem(i)->GetNumber();
        const auto line = KeloLineOf(all, number);
        TripDiagramFakeHostClass host;
        ZoRecordingSurfaceClass surface;
        TripDiagramClass diagram(host, surface);
        diagram.Create(number, line, MakeBuiltInSource(line));
        diagram.ShowBackwardKelos();
        diagram.BuildScene();
        diagram.ScrollToKelo(diagram.State().selectedKelo);
        ASSERT_GE(diagram.State().selectedKelo, 0) << i;
        EXPECT_GT(diagram.State().distanceScale, 0.0f) << i;
        // Every kelo of the line is drawn somewhere.
        EXPECT_GE(diagram.GetCanvas().GetItemCount(),
                  1u + 3 * line.size() + 1 + 26 + 12 + diagram.KeloViews().size())
            << i;
        // The picture stays inside the paint area the diagram sized.
        for (std::uint32_t id = 0; id < diagram.GetCanvas().GetItemCount(); ++id) {
            const auto* l =
                dynamic_cast<const ZoCanvasItemLineClass*>(diagram.GetCanvas().GetItem(id));
            if (l == nullptr)
                continue;
            ASSERT_GE(std::min(l->y1, l->y2), 30) << i << " item " << id;
            ASSERT_LE(std::max(l->y1, l->y2), host.paintHeight - 40) << i << " item " << id;
            ASSERT_GE(std::min(l->x1, l->x2), 0) << i;
            ASSERT_LT(std::max(l->x1, l->x2), host.paintWidth) << i;
        }
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
}

} // namespace
