#include "KeloSFDataClass.h"
#include "KeloSFKeloScheduleClass.h"
#include "SelectionTestData.h"

#include <gtest/gtest.h>

namespace {

class SelectionViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        lower = MakeInMemorySource(SelectionTestData(), &spy);
        view = KeloDataPtrClass(new KeloSFDataClass(lower, LineSelection()));
    }

    InMemoryKeloDataClass* spy = nullptr;
    KeloDataPtrClass lower;
    KeloDataPtrClass view;
};

TEST_F(SelectionViewTest, StopSetIsTheSelectionInItsOrderWhateverTheLowerSourceHolds) {
    std::vector<std::string> selection = {"L3", "X2", "L1", "L3"};
    KeloDataPtrClass own(new KeloSFDataClass(lower, selection));
    selection.clear(); // the view keeps its own copy
    KeloStopSetPtrClass stops = own->GetStopSet();
    ASSERT_EQ(stops->GetCount(), 4);
    EXPECT_EQ(stops->GetItem(0)->GetCode(), "L3");
    EXPECT_EQ(stops->GetItem(1)->GetCode(), "X2");
    EXPECT_EQ(stops->GetItem(2)->GetName(), "name L1");
    EXPECT_EQ(stops->GetItem(3)->GetCode(), "L3");
    EXPECT_EQ(lower->GetStopSet()->GetCount(), 9);
}

TEST_F(SelectionViewTest, KeloSetListsEveryLowerKeloInOrder) {
    KeloKeloSetPtrClass kelos = view->GetKeloSet();
    KeloKeloSetPtrClass below = lower->GetKeloSet();
    ASSERT_EQ(kelos->GetCount(), below->GetCount());
    for (std::int32_t i = 0; i < kelos->GetCount(); ++i)
        EXPECT_EQ(kelos->GetItem(i)->GetNumber(), below->GetItem(i)->GetNumber());
    // Even a kelo that never touches the line is offered: restricting is not this layer's job.
    EXPECT_EQ(kelos->GetItem(3)->GetNumber(), "OFF");
}

TEST_F(SelectionViewTest, EveryTimetableHandedOutHasTheHiddenNeighbourOperations) {
    KeloKeloSetPtrClass kelos = view->GetKeloSet();
    for (std::int32_t i = 0; i < kelos->GetCount(); ++i) {
        KeloKeloSchedulePtrClass schedule = kelos->GetItem(i)->GetSchedule();
        EXPECT_NE(dynamic_cast<KeloSFKeloScheduleClass*>(&*schedule), nullptr) << i;
    }
    KeloKeloSchedulePtrClass found = view->FindKelo("GAP")->GetSchedule();
    EXPECT_NE(dynamic_cast<KeloSFKeloScheduleClass*>(&*found), nullptr);
}

TEST_F(SelectionViewTest, SpeedAndDistanceAreZeroWhileTravelTimeCoversTheLinePart) {
    KeloKeloPtrClass before = view->FindKelo("BEFORE");
    EXPECT_EQ(before->GetAverageSpeed(), 0.0f);
    EXPECT_EQ(before->GetDistance(), 0.0f);
    // 07:00 + 3 at L1 to 08:00 at L5; the whole kelo starts at 06:00.
    EXPECT_EQ(before->GetTravelTime(), KeloTimeType(57));
    EXPECT_EQ(lower->FindKelo("BEFORE")->GetTravelTime(), KeloTimeType(120));
    EXPECT_GT(lower->FindKelo("FULL")->GetDistance(), 0.0f);
}

TEST_F(SelectionViewTest, TravelTimeOnTheLineStepsOverMidnight) {
    // 23:40 at L5 to 00:20 at L3.
    EXPECT_EQ(view->FindKelo("NIGHT")->GetTravelTime(), KeloTimeType(40));
}

TEST_F(SelectionViewTest, KeloWithNoStopOnTheLineHasAnEmptyTimetableAndNoTravelTime) {
    KeloKeloPtrClass off = view->FindKelo("OFF");
    EXPECT_EQ(off->GetSchedule()->GetCount(), 0);
    EXPECT_EQ(off->GetTravelTime(), KeloTimeType(0));
    EXPECT_EQ(off->GetName(), "off");
}

TEST_F(SelectionViewTest, KeloAttributesAndWritesPassToTheLowerKelo) {
    KeloKeloPtrClass kelo = view->FindKelo("FULL");
    EXPECT_EQ(kelo->GetNumber(), "FULL");
    EXPECT_EQ(kelo->GetBus()->GetCapacity(), 40);
    kelo->SetName("renamed");
    kelo->SetBus("OTHER");
    EXPECT_EQ(lower->FindKelo("FULL")->GetName(), "renamed");
    EXPECT_TRUE(lower->FindKelo("FULL")->GetBus().IsNull());
    EXPECT_TRUE(kelo->GetBus().IsNull());
}

TEST_F(SelectionViewTest, UnknownKeysGiveEmptyHandles) {
    EXPECT_TRUE(view->FindKelo("NONE").IsNull());
    EXPECT_TRUE(view->FindStop("NONE").IsNull());
    EXPECT_TRUE(view->FindBus("NONE").IsNull());
    EXPECT_EQ(view->FindStop("X1")->GetName(), "name X1"); // stops off the line are found too
}

TEST_F(SelectionViewTest, TopologyAsksTheLowerSourceEachTimeWithTheOrderedPair) {
    KeloTopologyPtrClass topology = view->GetTopology();
    spy->ResetCalls();
    EXPECT_TRUE(topology->HasLink("L1", "L2"));
    EXPECT_TRUE(topology->HasLink("L1", "L2"));
    EXPECT_FALSE(topology->HasLink("L1", "L3"));
    EXPECT_EQ(topology->GetDistance("L4", "L3"), 30.0f);
    EXPECT_EQ(topology->GetDistance("L1", "X1"), 0.0f);
    EXPECT_EQ(spy->Calls("HasLink"), 3);
    EXPECT_EQ(spy->Calls("GetDistance"), 2);
    EXPECT_EQ(spy->Calls("GetTopology"), 5);
}

TEST_F(SelectionViewTest, CreateAndDeletePassToTheLowerSource) {
    KeloKeloPtrClass created = view->CreateKelo("NEW");
    ASSERT_FALSE(created.IsNull());
    EXPECT_EQ(lower->GetKeloSet()->GetCount(), 7);
    EXPECT_EQ(view->GetKeloSet()->GetCount(), 7);
    view->DeleteKelo("OFF");
    EXPECT_TRUE(lower->FindKelo("OFF").IsNull());
    spy->SetCanCreate(false);
    EXPECT_TRUE(view->CreateKelo("NEWER").IsNull());
}

} // namespace
