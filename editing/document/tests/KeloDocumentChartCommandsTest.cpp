// The commands of planning on the chart: nudges that join into one step, copies at a dragged
// start, and a series that is made whole, taken back whole, or refused with its reason.
#include "DocumentTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const std::vector<std::string> Line = {"000001", "000002", "000003", "000004"};

std::int32_t Start(KeloDiagramDocumentClass& document, const std::string& number) {
    return document.FindKelo(number)->GetSchedule()->GetItem(0)->GetArrival().GetTotalMinutes();
}

struct NudgeCase {
    const char* name;
    std::function<void(KeloDiagramDocumentClass&)> run;
    std::size_t steps;
    std::int32_t startOf01;      // after the run
    std::int32_t afterOneUndo01; // after one undo more
};

// 01 starts 08:00 (480).
TEST(DocumentNudgeTest, NudgesOfOneKeloInARowAreOneStep) {
    const NudgeCase cases[] = {
        {"in a row",
         [](auto& d) {
             d.NudgeKelo("01", 1);
             d.NudgeKelo("01", 1);
             d.NudgeKelo("01", -10);
         },
         1, 472, 480},
        {"another kelo between",
         [](auto& d) {
             d.NudgeKelo("01", 1);
             d.NudgeKelo("02", 1);
             d.NudgeKelo("01", 1);
         },
         3, 482, 481},
        {"a move between",
         [](auto& d) {
             d.NudgeKelo("01", 1);
             d.MoveKelo("02", 60);
             d.NudgeKelo("01", 10);
         },
         3, 491, 481},
        {"an undo between",
         [](auto& d) {
             d.NudgeKelo("01", 1);
             d.NudgeKelo("02", 1);
             d.Undo();
             d.NudgeKelo("01", 1);
         },
         2, 482, 481},
        {"a redo between",
         [](auto& d) {
             d.NudgeKelo("01", 1);
             d.Undo();
             d.Redo();
             d.NudgeKelo("01", 1);
         },
         2, 482, 481},
        {"over midnight",
         [](auto& d) {
             d.NudgeKelo("01", -480);
             d.NudgeKelo("01", -10);
         },
         1, 1430, 480},
    };
    for (const NudgeCase& c : cases) {
        SCOPED_TRACE(c.name);
        KeloDiagramDocumentClass document(MakeDocumentSource(), Line, "01");
        c.run(document);
        EXPECT_EQ(document.History().UndoCount(), c.steps);
        EXPECT_EQ(Start(document, "01"), c.startOf01);
        EXPECT_EQ(*document.UndoName(),
                  (KeloDocumentStepNameType{KeloDocumentStepKind::Move, "01"}));
        document.Undo();
        EXPECT_EQ(Start(document, "01"), c.afterOneUndo01);
    }
}

TEST(DocumentCopiesTest, CopyAtADraggedStartTakesTheProposal) {
    KeloDiagramDocumentClass document(MakeDocumentSource(), Line, "01");
    const KeloDocumentCopiesResultType copied = document.CopyKeloAt("01", 1440 + 60);
    EXPECT_EQ(copied.refusal, KeloCopiesRefusalType::None);
    EXPECT_EQ(copied.change.added, std::vector<std::string>{"~01(2)"});
    EXPECT_EQ(copied.change.selected, "~01(2)");
    EXPECT_EQ(Start(document, "~01(2)"), 60);
    EXPECT_EQ(document.FindKelo("~01(2)")->GetName(), "A - C");
    EXPECT_EQ(Start(document, "01"), 480);
    EXPECT_EQ(*document.UndoName(), (KeloDocumentStepNameType{KeloDocumentStepKind::Copy, "01"}));
}

TEST(DocumentCopiesTest, SeriesIsOneStepAndLeavesTheOriginal) {
    KeloDiagramDocumentClass document(MakeDocumentSource(), Line, "01");
    KeloCachedUpdateDataClass& buffer = document.GetEditBufferObject();
    const std::vector<std::string> before = BufferSnapshot(buffer);
    const KeloDocumentCopiesResultType series = document.MakeSeries("01", 6 * 60, 22 * 60, 30);
    ASSERT_EQ(series.refusal, KeloCopiesRefusalType::None);
    ASSERT_EQ(series.change.added.size(), 33u);
    EXPECT_EQ(series.change.added.front(), "~01(2)");
    EXPECT_EQ(series.change.added.back(), "~01(34)");
    EXPECT_EQ(Start(document, "~01(2)"), 6 * 60);
    EXPECT_EQ(Start(document, "~01(34)"), 22 * 60);
    EXPECT_EQ(series.change.selected, "01");
    EXPECT_EQ(Start(document, "01"), 480);
    EXPECT_EQ(document.History().UndoCount(), 1u);
    const std::vector<std::string> after = BufferSnapshot(buffer);

    EXPECT_EQ(document.Undo().removed.size(), 33u);
    EXPECT_EQ(BufferSnapshot(buffer), before);
    document.Redo();
    EXPECT_EQ(BufferSnapshot(buffer), after);

    // A series of a copy numbers its own copies, and crosses midnight.
    document.MakeSeries("~01(2)", 23 * 60, 60, 60);
    EXPECT_EQ(Start(document, "~01(2)(2)"), 23 * 60);
    EXPECT_EQ(Start(document, "~01(2)(4)"), 60);
}

TEST(DocumentCopiesTest, RefusedSeriesMakesNothingAndSaysWhy) {
    KeloDiagramDocumentClass document(MakeDocumentSource(), Line, "01");
    KeloCachedUpdateDataClass& buffer = document.GetEditBufferObject();
    // A copy numbered so that no further number can be proposed for 01.
    ASSERT_FALSE(document.CopyKelo("02", {"~01(x)", "x"}, 60).IsEmpty());
    const std::vector<std::string> before = BufferSnapshot(buffer);
    struct Case {
        const char* name;
        std::function<KeloDocumentCopiesResultType()> run;
        KeloCopiesRefusalType refusal;
        std::int32_t copies;
    };
    const Case cases[] = {
        {"proposal fails", [&] { return document.MakeSeries("01", 60, 120, 30); },
         KeloCopiesRefusalType::NoProposal, 3},
        {"dragged copy, proposal fails", [&] { return document.CopyKeloAt("01", 60); },
         KeloCopiesRefusalType::NoProposal, 1},
        {"too many", [&] { return document.MakeSeries("02", 0, 1439, 2); },
         KeloCopiesRefusalType::TooMany, 720},
        {"no such kelo", [&] { return document.MakeSeries("99", 60, 120, 30); },
         KeloCopiesRefusalType::NoKelo, 3},
        {"interval out of range", [&] { return document.MakeSeries("02", 60, 120, 0); },
         KeloCopiesRefusalType::NoStartTime, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const KeloDocumentCopiesResultType result = c.run();
        EXPECT_EQ(result.refusal, c.refusal);
        EXPECT_EQ(result.copies, c.copies);
        EXPECT_TRUE(result.change.IsEmpty());
        EXPECT_EQ(BufferSnapshot(buffer), before);
        EXPECT_EQ(document.History().UndoCount(), 1u);
    }
}

} // namespace
