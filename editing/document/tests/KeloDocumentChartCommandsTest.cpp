// The commands of planning on the chart: nudges that join into one step, copies at a dragged
// start, and a series that is made whole, taken back whole, or refused with its reason.
#include "DocumentTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <tuple>

namespace {

const std::vector<std::string> Line = {"000001", "000002", "000003", "000004"};

std::int32_t Start(KeloDiagramDocumentClass& document, const std::string& number) {
    return document.FindKelo(number)->GetSchedule()->GetItem(0)->GetArrival().GetTotalMinutes();
}

// "+n" / "-n" nudge 01 by n minutes, "o" nudges 02, "m" moves 02, "u" undoes, "r" redoes.
void RunScript(KeloDiagramDocumentClass& d, const std::string& script) {
    std::istringstream in(script);
    for (std::string op; in >> op;) {
        if (op == "o")
            d.NudgeKelo("02", 1);
        else if (op == "m")
            d.MoveKelo("02", 60);
        else if (op == "u")
            d.Undo();
        else if (op == "r")
            d.Redo();
        else
            d.NudgeKelo("01", std::stoi(op));
    }
}

// 01 starts 08:00 (480).
TEST(DocumentNudgeTest, NudgesOfOneKeloInARowAreOneStep) {
    struct Case {
        const char* script;
        std::size_t steps;
        std::int32_t start, afterUndo;
    };
    const Case cases[] = {{"+1 +1 -10", 1, 472, 480}, {"+1 o +1", 3, 482, 481},
                          {"+1 m +10", 3, 491, 481},  {"+1 o u +1", 2, 482, 481},
                          {"+1 u r +1", 2, 482, 481}, {"-480 -10", 1, 1430, 480}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        KeloDiagramDocumentClass document(MakeDocumentSource(), Line, "01");
        RunScript(document, c.script);
        EXPECT_EQ(document.History().UndoCount(), c.steps);
        EXPECT_EQ(Start(document, "01"), c.start);
        EXPECT_EQ(*document.UndoName(),
                  (KeloDocumentStepNameType{KeloDocumentStepKind::Move, "01"}));
        document.Undo();
        EXPECT_EQ(Start(document, "01"), c.afterUndo);
    }
}

// A series is one step over 33 proposed numbers and leaves the original selected; a dragged
// copy takes the next proposal and wraps into the day.
TEST(DocumentCopiesTest, SeriesAndDraggedCopyTakeTheProposals) {
    KeloDiagramDocumentClass document(MakeDocumentSource(), Line, "01");
    KeloCachedUpdateDataClass& buffer = document.GetEditBufferObject();
    const std::vector<std::string> before = BufferSnapshot(buffer);
    const KeloDocumentCopiesResultType series = document.MakeSeries("01", 6 * 60, 22 * 60, 30);
    ASSERT_EQ(series.refusal, KeloCopiesRefusalType::None);
    ASSERT_EQ(series.change.added.size(), 33u);
    EXPECT_EQ(series.change.added.back(), "~01(34)");
    EXPECT_EQ(Start(document, "~01(2)"), 6 * 60);
    EXPECT_EQ(Start(document, "~01(34)"), 22 * 60);
    EXPECT_EQ(document.FindKelo("~01(34)")->GetName(), "A - C");
    EXPECT_EQ(series.change.selected, "01");
    EXPECT_EQ(Start(document, "01"), 480);
    EXPECT_EQ(*document.UndoName(), (KeloDocumentStepNameType{KeloDocumentStepKind::Series, "01"}));
    const std::vector<std::string> after = BufferSnapshot(buffer);
    EXPECT_EQ(document.Undo().removed.size(), 33u);
    EXPECT_EQ(BufferSnapshot(buffer), before);
    document.Redo();
    EXPECT_EQ(BufferSnapshot(buffer), after);

    const KeloDocumentCopiesResultType copied = document.CopyKeloAt("01", 1440 + 60);
    EXPECT_EQ(copied.change.added, std::vector<std::string>{"~01(35)"});
    EXPECT_EQ(copied.change.selected, "~01(35)");
    EXPECT_EQ(Start(document, "~01(35)"), 60);
    // A series of a copy numbers its own copies, and crosses midnight.
    document.MakeSeries("~01(2)", 23 * 60, 60, 60);
    EXPECT_EQ(Start(document, "~01(2)(4)"), 60);
}

TEST(DocumentCopiesTest, RefusedCopiesMakeNothingAndSayWhy) {
    KeloDiagramDocumentClass document(MakeDocumentSource(), Line, "01");
    KeloCachedUpdateDataClass& buffer = document.GetEditBufferObject();
    // A copy numbered so that no further number can be proposed for 01.
    ASSERT_FALSE(document.CopyKelo("02", {"~01(x)", "x"}, 60).IsEmpty());
    const std::vector<std::string> before = BufferSnapshot(buffer);
    using Refusal = KeloCopiesRefusalType;
    const std::vector<std::tuple<KeloDocumentCopiesResultType, Refusal, std::int32_t>> cases = {
        {document.MakeSeries("01", 60, 120, 30), Refusal::NoProposal, 3},
        {document.CopyKeloAt("01", 60), Refusal::NoProposal, 1},
        {document.MakeSeries("02", 0, 1439, 2), Refusal::TooMany, 720},
        {document.MakeSeries("99", 60, 120, 30), Refusal::NoKelo, 3},
        {document.MakeSeries("02", 60, 120, 0), Refusal::NoStartTime, 0},
    };
    for (const auto& [result, refusal, copies] : cases) {
        EXPECT_EQ(result.refusal, refusal);
        EXPECT_EQ(result.copies, copies);
        EXPECT_TRUE(result.change.IsEmpty());
    }
    EXPECT_EQ(BufferSnapshot(buffer), before);
    EXPECT_EQ(document.History().UndoCount(), 1u);
}

} // namespace
