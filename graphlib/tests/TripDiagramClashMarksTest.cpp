// The clashes of a diagram's line: marks only while shown, and kept current per kelo.
#include "Cp1251.h"
#include "KeloDemoDataClass.h"
#include "KeloLineOf.h"
#include "TripDiagramClass.h"
#include "TripDiagramFakeHostClass.h"
#include "ZoRecordingSurfaceClass.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::pair<ZoColorType, std::string>> Lines(const ZoCanvasClass& canvas) {
    std::vector<std::pair<ZoColorType, std::string>> lines;
    for (std::uint32_t id = 0; id < canvas.GetItemCount(); ++id)
        if (const auto* line = dynamic_cast<const ZoCanvasItemLineClass*>(canvas.GetItem(id)))
            lines.emplace_back(line->color, canvas.GetTag(id, "KeloIndex").value_or(""));
    return lines;
}

TEST(TripDiagramClashMarks, DrawnOnlyWhileShownAndTaggedWithKeloA) {
    TripDiagramFakeHostClass host;
    ZoRecordingSurfaceClass surface{ZoRectType{0, 0, 8000, 1000}, 6, 13};
    TripDiagramClass diagram{host, surface};
    const std::vector<std::string> line = KeloLineOf(MakeBuiltInSource(), "134");
    diagram.Create("134", line, MakeBuiltInSource(line));
    diagram.ShowBackwardKelos();
    diagram.BuildScene();
    const auto plain = Lines(diagram.GetCanvas());

    diagram.RefreshClashes();
    diagram.BuildScene();
    EXPECT_EQ(Lines(diagram.GetCanvas()), plain);

    diagram.SetShowClashes(true);
    diagram.BuildScene();
    const auto marked = Lines(diagram.GetCanvas());
    ASSERT_EQ(std::vector(marked.begin(), marked.begin() + plain.size()), plain);
    std::multiset<std::string> expected, drawn;
    for (const TimetableClashType& clash : diagram.GetClashes().GetClashes()) {
        const std::string a = std::to_string(diagram.FindKeloIndex(clash.keloA));
        // A ring of twelve segments, or the overtaking leg (one line, as none crosses midnight).
        for (int i = 0; i < (clash.kind == TimetableClashKind::Interval ? 12 : 1); ++i)
            expected.insert(a);
    }
    for (auto it = marked.begin() + plain.size(); it != marked.end(); ++it) {
        EXPECT_EQ(it->first, TripDiagramClass::ClashMarkColor);
        drawn.insert(it->second);
    }
    EXPECT_EQ(drawn, expected);

    diagram.SetShowClashes(false);
    diagram.BuildScene();
    EXPECT_EQ(Lines(diagram.GetCanvas()), plain);
}

TEST(TripDiagramClashMarks, UpdateOfAMovedKeloEqualsARefresh) {
    TripDiagramFakeHostClass host;
    ZoRecordingSurfaceClass surface{ZoRectType{0, 0, 8000, 1000}, 6, 13};
    TripDiagramClass diagram{host, surface};
    const std::vector<std::string> line = KeloLineOf(MakeBuiltInSource(), "134");
    diagram.Create("134", line, MakeBuiltInSource(line));
    diagram.RefreshClashes();
    const auto before = diagram.GetClashes().GetClashList();
    ASSERT_EQ(before.size(), 7u);

    // 131 runs ten minutes later: its interval and overtaking at 13:02 are gone.
    KeloKeloSchedulePtrClass schedule = diagram.GetEditBuffer()->FindKelo("131")->GetSchedule();
    for (std::int32_t j = 0; j < schedule->GetCount(); ++j) {
        KeloStopSchedulePtrClass item = schedule->GetItem(j);
        item->SetArrival(KeloTimeType(item->GetArrival().GetTotalMinutes() + 10));
    }
    diagram.UpdateClashes({"131"});
    const auto updated = diagram.GetClashes().GetClashList();
    diagram.RefreshClashes();
    EXPECT_EQ(updated, diagram.GetClashes().GetClashList());
    for (const TimetableClashType& clash : updated)
        EXPECT_FALSE(clash.keloA == "131" && clash.time == 13 * 60 + 2);
    EXPECT_NE(updated, before);
}

} // namespace
