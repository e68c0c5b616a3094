// A change of selection redone on two kelos gives the scene a full build gives.
#include "Cp1251.h"
#include "KeloDemoDataClass.h"
#include "KeloLineOf.h"
#include "TripDiagramClass.h"
#include "TripDiagramFakeHostClass.h"
#include "ZoRecordingSurfaceClass.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// Every item with its geometry, pen and tags, then the stacking order.
std::string Snapshot(const ZoCanvasClass& canvas) {
    std::ostringstream out;
    for (std::uint32_t id = 0; id < canvas.GetItemCount(); ++id) {
        const ZoCanvasItemClass* item = canvas.GetItem(id);
        if (const auto* line = dynamic_cast<const ZoCanvasItemLineClass*>(item))
            out << "L " << line->x1 << ' ' << line->y1 << ' ' << line->x2 << ' ' << line->y2 << ' '
                << line->color << ' ' << line->penStyle << ' ' << line->penWidth;
        else if (const auto* text = dynamic_cast<const ZoCanvasItemTextClass*>(item))
            out << "T " << text->x << ' ' << text->y << ' ' << text->text;
        for (const auto& tag : item->GetTags())
            out << " [" << tag.name << '=' << tag.value << ']';
        out << '\n';
    }
    for (std::uint32_t id : canvas.GetOrder())
        out << id << ' ';
    return out.str();
}

struct SceneUpdateCase {
    bool monoColor;
    bool backward;
};

class TripDiagramSceneUpdate : public ::testing::TestWithParam<SceneUpdateCase> {};

TEST_P(TripDiagramSceneUpdate, SelectionChangesGiveTheFullBuildsScene) {
    const std::string number = Utf8ToCp1251("02П").bytes;
    TripDiagramFakeHostClass host;
    ZoRecordingSurfaceClass surface{ZoRectType{0, 0, 8000, 1000}, 6, 13};
    TripDiagramClass diagram{host, surface};
    const std::vector<std::string> line = KeloLineOf(MakeBuiltInSource(), number);
    diagram.Create(number, line, MakeBuiltInSource(line));
    diagram.State().monoColor = GetParam().monoColor;
    if (GetParam().backward)
        diagram.ShowBackwardKelos();
    diagram.ApplyKeloColors();
    diagram.BuildScene();
    const int kelos = int(diagram.KeloViews().size());
    ASSERT_GT(kelos, 5);

    for (int selected : {3, 3, 0, kelos - 1, -1, 5, 1}) {
        diagram.State().selectedKelo = selected;
        diagram.ApplyKeloColors();
        const int invalidations = host.invalidations;
        diagram.UpdateSelectedKelo();
        EXPECT_EQ(host.invalidations, invalidations + 1);
        const std::string updated = Snapshot(diagram.GetCanvas());
        diagram.BuildScene();
        ASSERT_EQ(updated, Snapshot(diagram.GetCanvas())) << "selected " << selected;
    }
    // Anything else changed since the last build: the full build it falls back on.
    diagram.State().selectedKelo = 2;
    diagram.State().showInOutMarks = !diagram.State().showInOutMarks;
    diagram.KeloViews()[4].visible = false;
    diagram.UpdateSelectedKelo();
    const std::string updated = Snapshot(diagram.GetCanvas());
    diagram.BuildScene();
    EXPECT_EQ(updated, Snapshot(diagram.GetCanvas()));
}

INSTANTIATE_TEST_SUITE_P(Modes, TripDiagramSceneUpdate,
                         ::testing::Values(SceneUpdateCase{true, false},
                                           SceneUpdateCase{false, false},
                                           SceneUpdateCase{true, true},
                                           SceneUpdateCase{false, true}));

} // namespace
