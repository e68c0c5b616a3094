#include "KeloSFKeloScheduleClass.h"
#include "KeloSFDataClass.h"
#include "SelectionTestData.h"

#include <gtest/gtest.h>

namespace {

class SelectionScheduleTest : public ::testing::Test {
protected:
    void SetUp() override {
        lower = MakeInMemorySource(SelectionTestData(), &spy);
        view = KeloDataPtrClass(new KeloSFDataClass(lower, LineSelection()));
    }

    KeloKeloSchedulePtrClass Schedule(const std::string& number) {
        return view->FindKelo(number)->GetSchedule();
    }
    static KeloSFKeloScheduleClass* SF(KeloKeloSchedulePtrClass& schedule) {
        return dynamic_cast<KeloSFKeloScheduleClass*>(&*schedule);
    }
    static std::vector<std::string> Codes(KeloKeloSchedulePtrClass schedule) {
        std::vector<std::string> codes;
        for (std::int32_t i = 0; i < schedule->GetCount(); ++i)
            codes.push_back(schedule->GetItem(i)->GetStop()->GetCode());
        return codes;
    }
    static std::string CodeOf(KeloStopSchedulePtrClass entry) {
        return entry.IsNull() ? std::string("<none>") : entry->GetStop()->GetCode();
    }

    InMemoryKeloDataClass* spy = nullptr;
    KeloDataPtrClass lower;
    KeloDataPtrClass view;
};

TEST_F(SelectionScheduleTest, ShowsOnlyTheLineStopsInTheKelosOwnOrder) {
    EXPECT_EQ(Codes(Schedule("FULL")), (std::vector<std::string>{"L1", "L2", "L3", "L4", "L5"}));
    EXPECT_EQ(Codes(Schedule("BEFORE")), (std::vector<std::string>{"L1", "L2", "L5"}));
    EXPECT_EQ(Codes(Schedule("GAP")), (std::vector<std::string>{"L1", "L2", "L4", "L5"}));
    // Against the line's direction the kelo keeps its own order.
    EXPECT_EQ(Codes(Schedule("NIGHT")), (std::vector<std::string>{"L5", "L4", "L3"}));
    // A stop called at twice gives two visible entries.
    EXPECT_EQ(Codes(Schedule("TWICE")), (std::vector<std::string>{"L2", "L3", "L2"}));
    EXPECT_EQ(Schedule("OFF")->GetCount(), 0);
}

TEST_F(SelectionScheduleTest, ItemsAreTheLowerEntriesAtTheMappedPositions) {
    KeloKeloSchedulePtrClass schedule = Schedule("BEFORE");
    EXPECT_EQ(schedule->GetItem(0)->GetArrival(), KeloTimeType(7, 0));
    EXPECT_EQ(schedule->GetItem(0)->GetStay(), KeloTimeType(3));
    EXPECT_EQ(schedule->GetItem(2)->GetArrival(), KeloTimeType(8, 0));
    // Writes through a visible entry reach the lower timetable at the mapped position.
    schedule->GetItem(1)->SetArrival(KeloTimeType(7, 25));
    EXPECT_EQ(lower->FindKelo("BEFORE")->GetSchedule()->GetItem(3)->GetArrival(),
              KeloTimeType(7, 25));
}

TEST_F(SelectionScheduleTest, KeloServingExactlyTheLineHasNoHiddenNeighbours) {
    KeloKeloSchedulePtrClass schedule = Schedule("FULL");
    KeloSFKeloScheduleClass* sf = SF(schedule);
    ASSERT_NE(sf, nullptr);
    for (std::int32_t k = 0; k < sf->GetCount(); ++k) {
        EXPECT_FALSE(sf->HasHiddenBefore(k)) << k;
        EXPECT_FALSE(sf->HasHiddenAfter(k)) << k;
    }
    EXPECT_TRUE(sf->GetHiddenBefore(0).IsNull());
    EXPECT_TRUE(sf->GetHiddenAfter(4).IsNull());
    // Inner neighbours that are themselves visible are still handed out.
    EXPECT_EQ(CodeOf(sf->GetHiddenAfter(1)), "L3");
    EXPECT_EQ(CodeOf(sf->GetHiddenBefore(1)), "L1");
}

TEST_F(SelectionScheduleTest, KeloStartingBeforeTheLineShowsWhereItCameFrom) {
    KeloKeloSchedulePtrClass schedule = Schedule("BEFORE");
    KeloSFKeloScheduleClass* sf = SF(schedule);
    EXPECT_TRUE(sf->HasHiddenBefore(0));
    EXPECT_EQ(CodeOf(sf->GetHiddenBefore(0)), "X2");
    // L2 -> L5 skips L3 and L4, which are on the line but not served: nothing is hidden.
    EXPECT_FALSE(sf->HasHiddenAfter(1));
    EXPECT_FALSE(sf->HasHiddenBefore(2));
    // Ends at the line's last stop.
    EXPECT_FALSE(sf->HasHiddenAfter(2));
    EXPECT_TRUE(sf->GetHiddenAfter(2).IsNull());
}

TEST_F(SelectionScheduleTest, KeloLeavingAndRejoiningTheLineMarksBothSidesOfTheGap) {
    KeloKeloSchedulePtrClass schedule = Schedule("GAP");
    KeloSFKeloScheduleClass* sf = SF(schedule);
    EXPECT_FALSE(sf->HasHiddenBefore(0));
    EXPECT_FALSE(sf->HasHiddenAfter(0));
    EXPECT_TRUE(sf->HasHiddenAfter(1));
    EXPECT_TRUE(sf->HasHiddenBefore(2));
    EXPECT_EQ(CodeOf(sf->GetHiddenAfter(1)), "X3");
    EXPECT_EQ(CodeOf(sf->GetHiddenBefore(2)), "X3");
    // Goes on beyond the last stop of the line.
    EXPECT_TRUE(sf->HasHiddenAfter(3));
    EXPECT_EQ(CodeOf(sf->GetHiddenAfter(3)), "X4");
}

TEST_F(SelectionScheduleTest, KeloLeavingPartWayAfterCallingTwice) {
    KeloKeloSchedulePtrClass schedule = Schedule("TWICE");
    KeloSFKeloScheduleClass* sf = SF(schedule);
    EXPECT_TRUE(sf->HasHiddenBefore(0));
    EXPECT_EQ(CodeOf(sf->GetHiddenBefore(0)), "X1");
    EXPECT_FALSE(sf->HasHiddenAfter(0));
    EXPECT_FALSE(sf->HasHiddenBefore(2));
    EXPECT_TRUE(sf->HasHiddenAfter(2));
    EXPECT_EQ(CodeOf(sf->GetHiddenAfter(2)), "X4");
    EXPECT_EQ(sf->GetItem(2)->GetArrival(), KeloTimeType(15, 0));
}

TEST_F(SelectionScheduleTest, HiddenNeighbourQuestionsOutsideTheViewAnswerNothing) {
    KeloKeloSchedulePtrClass schedule = Schedule("GAP");
    KeloSFKeloScheduleClass* sf = SF(schedule);
    for (std::int32_t k : {-1, 4, 100}) {
        EXPECT_FALSE(sf->HasHiddenBefore(k)) << k;
        EXPECT_FALSE(sf->HasHiddenAfter(k)) << k;
        EXPECT_TRUE(sf->GetHiddenBefore(k).IsNull()) << k;
        EXPECT_TRUE(sf->GetHiddenAfter(k).IsNull()) << k;
    }
    KeloKeloSchedulePtrClass off = Schedule("OFF");
    EXPECT_FALSE(SF(off)->HasHiddenBefore(0));
    EXPECT_FALSE(SF(off)->HasHiddenAfter(0));
}

TEST_F(SelectionScheduleTest, AppendStopOutsideTheLineChangesOnlyTheLowerTimetable) {
    KeloKeloSchedulePtrClass schedule = Schedule("FULL");
    KeloSFKeloScheduleClass* sf = SF(schedule);
    KeloStopSchedulePtrClass entry = sf->AppendStop("X4");
    ASSERT_FALSE(entry.IsNull());
    EXPECT_EQ(entry->GetStop()->GetCode(), "X4");
    EXPECT_EQ(sf->GetCount(), 5);
    EXPECT_EQ(lower->FindKelo("FULL")->GetSchedule()->GetCount(), 6);
    // The kelo now goes on beyond the line.
    EXPECT_TRUE(sf->HasHiddenAfter(4));
    EXPECT_EQ(CodeOf(sf->GetHiddenAfter(4)), "X4");
}

TEST_F(SelectionScheduleTest, AppendStopOnTheLineBecomesVisible) {
    KeloKeloSchedulePtrClass schedule = Schedule("GAP");
    KeloSFKeloScheduleClass* sf = SF(schedule);
    sf->AppendStop("L1");
    ASSERT_EQ(sf->GetCount(), 5);
    EXPECT_EQ(sf->GetItem(4)->GetStop()->GetCode(), "L1");
    EXPECT_TRUE(sf->GetItem(4)->GetArrival().IsEmpty());
    EXPECT_TRUE(sf->HasHiddenBefore(4)); // X4 lies between L5 and the new L1
    EXPECT_FALSE(sf->HasHiddenAfter(4));
}

TEST_F(SelectionScheduleTest, InsertAndRemoveTranslateTheVisiblePosition) {
    KeloKeloSchedulePtrClass schedule = Schedule("GAP");
    // Visible 2 is L4 at lower position 3: the new stop goes before it, after X3.
    schedule->InsertStop(2, "L3");
    EXPECT_EQ(Codes(schedule), (std::vector<std::string>{"L1", "L2", "L3", "L4", "L5"}));
    KeloKeloSchedulePtrClass below = lower->FindKelo("GAP")->GetSchedule();
    EXPECT_EQ(below->GetCount(), 7);
    EXPECT_EQ(below->GetItem(3)->GetStop()->GetCode(), "L3");
    EXPECT_EQ(below->GetItem(2)->GetStop()->GetCode(), "X3");

    // Removing visible 1 (L2) removes lower position 1, not the hidden X3 beside it.
    schedule->RemoveStop(1);
    EXPECT_EQ(Codes(schedule), (std::vector<std::string>{"L1", "L3", "L4", "L5"}));
    EXPECT_EQ(below->GetItem(1)->GetStop()->GetCode(), "X3");
    KeloSFKeloScheduleClass* sf = SF(schedule);
    EXPECT_TRUE(sf->HasHiddenAfter(0));
    EXPECT_TRUE(sf->HasHiddenBefore(1));
}

TEST_F(SelectionScheduleTest, InsertPastTheViewAppendsAndRemovePastTheViewDoesNothing) {
    KeloKeloSchedulePtrClass schedule = Schedule("GAP");
    KeloStopSchedulePtrClass entry = schedule->InsertStop(4, "L2");
    ASSERT_FALSE(entry.IsNull());
    KeloKeloSchedulePtrClass below = lower->FindKelo("GAP")->GetSchedule();
    ASSERT_EQ(below->GetCount(), 7);
    EXPECT_EQ(below->GetItem(6)->GetStop()->GetCode(), "L2"); // after the hidden X4
    EXPECT_EQ(schedule->GetCount(), 5);

    spy->ResetCalls();
    schedule->RemoveStop(5);
    schedule->RemoveStop(-1);
    EXPECT_EQ(spy->Calls("Schedule.RemoveStop"), 0);
    EXPECT_EQ(below->GetCount(), 7);
}

} // namespace
