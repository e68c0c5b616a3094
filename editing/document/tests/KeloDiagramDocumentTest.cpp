#include "DocumentTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const std::vector<std::string> Line = {"000001", "000002", "000003", "000004"};
using Kind = KeloDocumentStepKind;

struct NoQuestions : KeloInvertQuestionsClass {
    bool AskAddMissingData() override { return false; }
    void ShowDatabaseMaintenanceNeeded() override {}
    void ShowMissingArrival(const std::string&) override {}
};

struct CommandCase {
    const char* title;
    std::function<KeloDocumentChangeType(KeloDiagramDocumentClass&)> run;
    KeloDocumentChangeType expected;
    KeloDocumentStepNameType name;
};

KeloDocumentChangeType Changed(std::vector<std::string> added, std::vector<std::string> removed,
                               std::vector<std::string> changed, std::string selected) {
    return {std::move(added), std::move(removed), std::move(changed), std::move(selected), false};
}

KeloDocumentChangeType Inverse(const KeloDocumentChangeType& change, std::string selected) {
    return {change.removed, change.added, change.changed, std::move(selected), false};
}

class DocumentCommandTest : public ::testing::TestWithParam<CommandCase> {};

// Every command, run after an earlier step on another kelo, gives its change event; undo puts
// back exactly the buffer and the selection before it, and redo the state after it.
TEST_P(DocumentCommandTest, ChangeUndoRedo) {
    const CommandCase& c = GetParam();
    KeloDiagramDocumentClass document(MakeDocumentSource(), Line, "01");
    KeloCachedUpdateDataClass& buffer = document.GetEditBufferObject();
    ASSERT_FALSE(document.MoveKelo("03", 14 * 60).IsEmpty());
    document.Select("01");
    const std::vector<std::string> before = BufferSnapshot(buffer);

    const KeloDocumentChangeType change = c.run(document);
    EXPECT_EQ(change, c.expected);
    ASSERT_TRUE(document.UndoName().has_value());
    EXPECT_EQ(*document.UndoName(), c.name);
    const std::vector<std::string> after = BufferSnapshot(buffer);
    EXPECT_NE(after, before);

    EXPECT_EQ(document.Undo(), Inverse(change, "01"));
    EXPECT_EQ(BufferSnapshot(buffer), before);
    EXPECT_EQ(document.Selected(), "01");
    EXPECT_EQ(*document.RedoName(), c.name);

    EXPECT_EQ(document.Redo(), change);
    EXPECT_EQ(BufferSnapshot(buffer), after);
    EXPECT_EQ(document.Selected(), c.expected.selected);
    EXPECT_EQ(document.History().UndoCount(), 2u);
}

NoQuestions noQuestions;
const KeloCopyRequestType Copy01{"~01(2)", "C - A"};

INSTANTIATE_TEST_SUITE_P(
    Commands, DocumentCommandTest,
    ::testing::Values(CommandCase{"move",
                                  [](auto& d) { return d.MoveKelo("01", 7 * 60); },
                                  Changed({}, {}, {"01"}, "01"),
                                  {Kind::Move, "01"}},
                      CommandCase{"moveCopy",
                                  [](auto& d) { return d.MoveKelo("01", 7 * 60, Copy01); },
                                  Changed({"~01(2)"}, {}, {}, "~01(2)"),
                                  {Kind::Move, "01"}},
                      CommandCase{"invert",
                                  [](auto& d) { return d.InvertKelo("01", 7 * 60, noQuestions); },
                                  Changed({}, {}, {"01"}, "01"),
                                  {Kind::Invert, "01"}},
                      CommandCase{
                          "invertCopy",
                          [](auto& d) { return d.InvertKelo("01", 7 * 60, noQuestions, Copy01); },
                          Changed({"~01(2)"}, {}, {}, "~01(2)"),
                          {Kind::Invert, "01"}},
                      CommandCase{"copy",
                                  [](auto& d) {
                                      return d.CopyKelo("02", {"X", "x"}, 11 * 60);
                                  },
                                  Changed({"X"}, {}, {}, "X"),
                                  {Kind::Copy, "02"}},
                      CommandCase{"delete",
                                  [](auto& d) { return d.DeleteKelo("02", "03"); },
                                  Changed({}, {"02"}, {}, "03"),
                                  {Kind::Delete, "02"}},
                      CommandCase{"deleteChanged",
                                  [](auto& d) { return d.DeleteKelo("03", "02"); },
                                  Changed({}, {"03"}, {}, "02"),
                                  {Kind::Delete, "03"}},
                      CommandCase{"entry",
                                  [](auto& d) {
                                      return d.SetEntryTimes("01", 1, KeloTimeType(8, 45),
                                                             KeloTimeType(3));
                                  },
                                  Changed({}, {}, {"01"}, "01"),
                                  {Kind::ChangeEntry, "01"}},
                      CommandCase{"insert",
                                  [](auto& d) { return d.InsertStop("02", 1, "000002"); },
                                  Changed({}, {}, {"02"}, "02"),
                                  {Kind::InsertStop, "02"}},
                      CommandCase{"append",
                                  [](auto& d) { return d.AppendStop("01", "000004"); },
                                  Changed({}, {}, {"01"}, "01"),
                                  {Kind::AppendStop, "01"}},
                      CommandCase{"remove",
                                  [](auto& d) { return d.RemoveStop("01", 0); },
                                  Changed({}, {}, {"01"}, "01"),
                                  {Kind::RemoveStop, "01"}},
                      CommandCase{"recalculate",
                                  [](auto& d) { return d.RecalculateAtSpeed("01", 0, 60); },
                                  Changed({}, {}, {"01"}, "01"),
                                  {Kind::Recalculate, "01"}}),
    [](const auto& info) { return std::string(info.param.title); });

// Refused commands and commands that find nothing to do leave no step: undo then takes back
// the step before them, and the buffer is as it was.
TEST(DocumentRefusedTest, LeaveNoStep) {
    KeloDiagramDocumentClass document(MakeDocumentSource(), Line, "01");
    KeloCachedUpdateDataClass& buffer = document.GetEditBufferObject();
    const std::vector<std::string> initial = BufferSnapshot(buffer);
    ASSERT_FALSE(document.MoveKelo("01", 9 * 60).IsEmpty());
    const std::vector<std::string> moved = BufferSnapshot(buffer);

    const std::vector<std::function<KeloDocumentChangeType()>> refused = {
        [&] { return document.MoveKelo("01", 9 * 60); },        // already there
        [&] { return document.RemoveStop("02", 1); },           // A - D not linked
        [&] { return document.InsertStop("01", 2, "000004"); }, // B - D not linked
        [&] {
            return document.CopyKelo("01", {"03", "taken"}, 60);
        }, // number in use
        [&] {
            return document.CopyKelo("01", {"", "empty"}, 60);
        },
        [&] { return document.DeleteKelo("99", "01"); },
        [&] { return document.InvertKelo("02", 60, noQuestions); }, // C -> A unknown, "No"
        [&] { return document.SetEntryTimes("01", 7, KeloTimeType(1), KeloTimeType()); },
    };
    for (std::size_t i = 0; i < refused.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(refused[i]().IsEmpty());
        EXPECT_EQ(BufferSnapshot(buffer), moved);
        EXPECT_EQ(document.History().UndoCount(), 1u);
        EXPECT_EQ(document.Selected(), "01");
    }
    document.Undo();
    EXPECT_EQ(BufferSnapshot(buffer), initial);
    EXPECT_FALSE(document.CanUndo());
    EXPECT_TRUE(document.Undo().IsEmpty());
}

// A long mixed history undone step by step passes every earlier state, and redone again
// reaches the last; a delete taken back shows the kelo again as it was displayed.
TEST(DocumentHistoryTest, UndoAllRedoAll) {
    KeloDiagramDocumentClass document(MakeDocumentSource(), Line, "01");
    KeloCachedUpdateDataClass& buffer = document.GetEditBufferObject();
    document.SetEntry("02", {false, 0x123456, 0});
    std::vector<std::vector<std::string>> states{BufferSnapshot(buffer)};
    const std::vector<std::function<void()>> steps = {
        [&] { document.MoveKelo("02", 6 * 60); },
        [&] {
            document.CopyKelo("02", {"~02(2)", "c"}, 20 * 60);
        },
        [&] { document.DeleteKelo("01", "02"); },
        [&] { document.DeleteKelo("02", "03"); },
        [&] { document.MoveKelo("~02(2)", 21 * 60); },
        [&] {
            document.InvertKelo("03", 5 * 60, noQuestions, KeloCopyRequestType{"01", "new"});
        },
        [&] { document.AppendStop("03", "000004"); },
    };
    for (const auto& step : steps) {
        step();
        states.push_back(BufferSnapshot(buffer));
    }
    ASSERT_EQ(document.History().UndoCount(), steps.size());
    for (std::size_t k = states.size() - 1; k-- > 0;) {
        document.Undo();
        EXPECT_EQ(BufferSnapshot(buffer), states[k]) << k;
    }
    EXPECT_EQ(document.Entry("02"), (KeloDocumentKeloEntryType{false, 0x123456, 0}));
    EXPECT_EQ(document.Selected(), "01");
    for (std::size_t k = 1; k < states.size(); ++k) {
        document.Redo();
        EXPECT_EQ(BufferSnapshot(buffer), states[k]) << k;
    }
    EXPECT_FALSE(document.CanRedo());
    // A new step after an undo drops what could be redone.
    document.Undo();
    document.MoveKelo("03", 3 * 60);
    EXPECT_FALSE(document.CanRedo());
}

// A step keeps only the kelos it touched, so the history grows with the kelos touched and
// not with the changes already in the buffer.
TEST(DocumentHistoryTest, StepKeepsOnlyTouchedKelos) {
    KeloDiagramDocumentClass document(MakeDocumentSource(), Line, "01");
    document.MoveKelo("02", 6 * 60);
    document.MoveKelo("03", 6 * 60);
    const std::size_t withTwo = document.History().Footprint();
    for (int i = 0; i < 50; ++i)
        document.MoveKelo("01", (i % 2 == 0 ? 7 : 8) * 60);
    const std::size_t perMove = (document.History().Footprint() - withTwo) / 50;
    EXPECT_LT(perMove, withTwo); // one kelo's timetable, not the buffer's
}

// Save and discard end the history, tell subscribers to rebuild, and keep a selection that
// still exists.
TEST(DocumentHistoryTest, SaveAndDiscardEndHistory) {
    KeloDiagramDocumentClass document(MakeDocumentSource(), Line, "01");
    std::vector<KeloDocumentChangeType> heard;
    const int id = document.Subscribe([&](const KeloDocumentChangeType& c) { heard.push_back(c); });
    const KeloDocumentChangeType moved = document.MoveKelo("01", 7 * 60);
    ASSERT_EQ(heard, std::vector<KeloDocumentChangeType>{moved});

    const KeloDocumentSaveResultType saved = document.Save({true});
    EXPECT_TRUE(saved.outcome.saved);
    EXPECT_EQ(saved.change, Changed({}, {}, {"01"}, "01")); // only the saved kelo
    EXPECT_FALSE(document.CanUndo());
    EXPECT_EQ(document.GetEditBufferObject().GetChangeCount(), 0);
    EXPECT_EQ(document.FindKelo("01")->GetSchedule()->GetItem(0)->GetArrival().GetTotalMinutes(),
              7 * 60);

    document.CopyKelo("01", {"N", "n"}, 60);
    EXPECT_EQ(document.Selected(), "N");
    const KeloDocumentChangeType dropped = document.Discard();
    EXPECT_TRUE(dropped.reset);
    EXPECT_EQ(dropped.selected, "");
    EXPECT_FALSE(document.CanUndo());
    EXPECT_EQ(document.IndexOf("N"), -1);
    EXPECT_EQ(heard.size(), 4u);
    EXPECT_EQ(heard[1], saved.change);
    document.Unsubscribe(id);
    document.MoveKelo("01", 60);
    EXPECT_EQ(heard.size(), 4u);
}

} // namespace

namespace {

// Whatever a timetable dialog did in its own buffer comes in as one step, and leaves none
// when it did nothing.
TEST(DocumentHistoryTest, NestedEditsAreOneStep) {
    KeloDiagramDocumentClass document(MakeDocumentSource(), Line, "01");
    KeloCachedUpdateDataClass& buffer = document.GetEditBufferObject();
    const std::vector<std::string> initial = BufferSnapshot(buffer);
    {
        KeloCachedUpdateDataClass nested(document.GetEditBuffer());
        EXPECT_TRUE(document.ApplyNestedEdits("01", nested).IsEmpty());
    }
    EXPECT_FALSE(document.CanUndo());

    KeloCachedUpdateDataClass nested(document.GetEditBuffer());
    KeloKeloSchedulePtrClass schedule = nested.FindKelo("01")->GetSchedule();
    schedule->GetItem(1)->SetStay(KeloTimeType(9));
    schedule->AppendStop("000004")->SetArrival(KeloTimeType(10, 0));
    schedule->RemoveStop(0);
    std::vector<std::string> held{"x"};
    EXPECT_EQ(document.ApplyNestedEdits("01", nested, &held), Changed({}, {}, {"01"}, "01"));
    EXPECT_TRUE(held.empty());
    EXPECT_EQ(document.History().UndoCount(), 1u);
    EXPECT_EQ(*document.UndoName(), (KeloDocumentStepNameType{Kind::EditTimetable, "01"}));
    document.Undo();
    EXPECT_EQ(BufferSnapshot(buffer), initial);
}

} // namespace

// A save names what it wrote: a kept subset, a copy and a deletion each come back as the
// change the window applies row by row.
TEST(DocumentHistoryTest, SaveNamesTheSavedKelos) {
    const struct {
        const char* title;
        std::function<void(KeloDiagramDocumentClass&)> edit;
        std::vector<bool> chosen;
        KeloDocumentChangeType expected;
    } cases[] = {
        {"two moves, one saved",
         [](auto& d) {
             d.MoveKelo("01", 7 * 60);
             d.MoveKelo("02", 9 * 60);
         },
         {false, true},
         Changed({}, {}, {"02"}, "02")},
        {"a copy",
         [](auto& d) {
             d.CopyKelo("01", {"N", "n"}, 60);
         },
         {true},
         Changed({}, {}, {"N"}, "N")},
        {"a deletion",
         [](auto& d) { d.DeleteKelo("01", "02"); },
         {true},
         Changed({}, {}, {}, "02")},
    };
    for (const auto& c : cases) {
        KeloDiagramDocumentClass document(MakeDocumentSource(), Line, "01");
        c.edit(document);
        const std::vector<std::string> shown = document.KeloNumbers();
        const KeloDocumentSaveResultType saved = document.Save(c.chosen);
        EXPECT_TRUE(saved.outcome.saved) << c.title;
        EXPECT_EQ(saved.change, c.expected) << c.title;
        EXPECT_EQ(document.KeloNumbers(), shown) << c.title;
    }
}
