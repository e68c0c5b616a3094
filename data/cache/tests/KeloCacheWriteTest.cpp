#include "CacheTestData.h"
#include "KeloCacheDataClass.h"

#include <gtest/gtest.h>

namespace {

class CacheWriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        lower = MakeInMemorySource(CacheTestData(), &spy);
        cache = KeloDataPtrClass(new KeloCacheDataClass(lower));
        a = cache->FindKelo("A");
        // Everything read once, so later calls below come only from invalidation.
        a->GetName();
        a->GetAverageSpeed();
        a->GetDistance();
        a->GetSchedule()->GetCount();
        spy->ResetCalls();
    }

    KeloKeloSchedulePtrClass LowerSchedule(const std::string& number) {
        return lower->FindKelo(number)->GetSchedule();
    }

    InMemoryKeloDataClass* spy = nullptr;
    KeloDataPtrClass lower;
    KeloDataPtrClass cache;
    KeloKeloPtrClass a;
};

TEST_F(CacheWriteTest, TimeChangeReachesBelowAndDropsTheSpeedButNotTheDistance) {
    KeloStopSchedulePtrClass entry = a->GetSchedule()->GetItem(1);
    entry->SetStay(KeloTimeType(10));
    EXPECT_EQ(spy->Calls("Entry.SetStay"), 1);
    EXPECT_EQ(LowerSchedule("A")->GetItem(1)->GetStay(), KeloTimeType(10));
    EXPECT_EQ(entry->GetStay(), KeloTimeType(10));

    spy->ResetCalls();
    a->GetDistance();
    EXPECT_EQ(spy->Calls("Kelo.GetDistance"), 0);
    // 30 km in 50 minutes of running now.
    EXPECT_FLOAT_EQ(a->GetAverageSpeed(), 30.0f / (50.0f / 60.0f));
    EXPECT_EQ(spy->Calls("Kelo.GetAverageSpeed"), 1);

    entry->SetArrival(KeloTimeType(8, 25));
    EXPECT_EQ(LowerSchedule("A")->GetItem(1)->GetArrival(), KeloTimeType(8, 25));
    spy->ResetCalls();
    a->GetAverageSpeed();
    a->GetDistance();
    EXPECT_EQ(spy->Calls("Kelo.GetAverageSpeed"), 1);
    EXPECT_EQ(spy->Calls("Kelo.GetDistance"), 0);
}

TEST_F(CacheWriteTest, AppendStopDropsSpeedAndDistanceAndHandsOutTheNewEntry) {
    KeloKeloSchedulePtrClass schedule = a->GetSchedule();
    KeloStopSchedulePtrClass added = schedule->AppendStop("000002");
    EXPECT_EQ(schedule->GetCount(), 4);
    EXPECT_EQ(LowerSchedule("A")->GetCount(), 4);
    EXPECT_EQ(added->GetStop()->GetCode(), "000002");
    EXPECT_TRUE(added->GetArrival().IsEmpty());
    EXPECT_TRUE(added->GetStay().IsEmpty());

    added->SetArrival(KeloTimeType(9, 30));
    EXPECT_EQ(LowerSchedule("A")->GetItem(3)->GetArrival(), KeloTimeType(9, 30));
    spy->ResetCalls();
    EXPECT_FLOAT_EQ(a->GetDistance(), 48.0f);
    a->GetAverageSpeed();
    EXPECT_EQ(spy->Calls("Kelo.GetAverageSpeed"), 1);
    EXPECT_EQ(spy->Calls("Kelo.GetDistance"), 1);
}

TEST_F(CacheWriteTest, InsertStopAtTheCountBehavesAsAppendStop) {
    KeloKeloSchedulePtrClass schedule = a->GetSchedule();
    KeloStopSchedulePtrClass added = schedule->InsertStop(3, "000009");
    EXPECT_EQ(spy->Calls("Schedule.AppendStop"), 1);
    EXPECT_EQ(spy->Calls("Schedule.InsertStop"), 0);
    ASSERT_EQ(schedule->GetCount(), 4);
    EXPECT_EQ(schedule->GetItem(3)->GetStop()->GetCode(), "000009");
    EXPECT_EQ(added->GetStop()->GetCode(), "000009");
    EXPECT_EQ(LowerSchedule("A")->GetItem(3)->GetStop()->GetCode(), "000009");
}

TEST_F(CacheWriteTest, InsertStopInsideShiftsTheLaterEntriesHereAndBelow) {
    KeloKeloSchedulePtrClass schedule = a->GetSchedule();
    KeloStopSchedulePtrClass added = schedule->InsertStop(1, "000009");
    ASSERT_EQ(schedule->GetCount(), 4);
    EXPECT_EQ(schedule->GetItem(1)->GetStop()->GetCode(), "000009");
    EXPECT_EQ(schedule->GetItem(2)->GetArrival(), KeloTimeType(8, 20));
    EXPECT_EQ(LowerSchedule("A")->GetItem(1)->GetStop()->GetCode(), "000009");
    // The new entry writes to its own position below, not to the shifted one.
    added->SetArrival(KeloTimeType(8, 10));
    EXPECT_EQ(LowerSchedule("A")->GetItem(1)->GetArrival(), KeloTimeType(8, 10));
    EXPECT_EQ(LowerSchedule("A")->GetItem(2)->GetArrival(), KeloTimeType(8, 20));
    spy->ResetCalls();
    EXPECT_FLOAT_EQ(a->GetDistance(), 18.0f); // 000001 -> 000009 has no link
    EXPECT_EQ(spy->Calls("Kelo.GetDistance"), 1);
}

TEST_F(CacheWriteTest, RemoveStopDropsBothValuesAndOutsideTheTimetableDoesNothing) {
    KeloKeloSchedulePtrClass schedule = a->GetSchedule();
    schedule->RemoveStop(3);
    schedule->RemoveStop(-1);
    EXPECT_EQ(spy->Calls("Schedule.RemoveStop"), 0);
    a->GetDistance();
    EXPECT_EQ(spy->Calls("Kelo.GetDistance"), 0);

    schedule->RemoveStop(0);
    EXPECT_EQ(schedule->GetCount(), 2);
    EXPECT_EQ(schedule->GetItem(0)->GetStop()->GetCode(), "000002");
    EXPECT_EQ(LowerSchedule("A")->GetCount(), 2);
    EXPECT_FLOAT_EQ(a->GetDistance(), 18.0f);
    a->GetAverageSpeed();
    EXPECT_EQ(spy->Calls("Kelo.GetDistance"), 1);
    EXPECT_EQ(spy->Calls("Kelo.GetAverageSpeed"), 1);
}

TEST_F(CacheWriteTest, NameSetThroughTheLayerIsKeptWhenTheKeloIsHeld) {
    a->SetName("new a");
    EXPECT_EQ(spy->Calls("Kelo.SetName"), 1);
    EXPECT_EQ(cache->FindKelo("A")->GetName(), "new a");
    EXPECT_EQ(spy->Calls("Kelo.GetName"), 0);
    EXPECT_EQ(lower->FindKelo("A")->GetName(), "new a");
}

TEST_F(CacheWriteTest, NameSetOnAKeloNeverReadStoresNothing) {
    KeloKeloPtrClass b = cache->FindKelo("B");
    b->SetName("new b");
    EXPECT_EQ(spy->Calls("Kelo.SetName"), 1);
    EXPECT_EQ(b->GetName(), "new b");
    EXPECT_EQ(spy->Calls("Kelo.GetName"), 1);
}

TEST_F(CacheWriteTest, BusChangesPassBelowAndAreNotKept) {
    a->SetBus("NOBUS");
    EXPECT_TRUE(a->GetBus().IsNull());
    EXPECT_TRUE(lower->FindKelo("A")->GetBus().IsNull());
    a->SetBus("BUS");
    EXPECT_EQ(cache->FindKelo("A")->GetBus()->GetModel(), "BUS");
}

TEST_F(CacheWriteTest, DeleteRefetchesTheKeloSetButKeepsWhatWasCached) {
    KeloKeloSetPtrClass before = cache->GetKeloSet();
    cache->DeleteKelo("A");
    EXPECT_EQ(spy->Calls("DeleteKelo"), 1);
    KeloKeloSetPtrClass after = cache->GetKeloSet();
    ASSERT_EQ(after->GetCount(), 1);
    EXPECT_EQ(after->GetItem(0)->GetNumber(), "B");
    EXPECT_EQ(before->GetCount(), 2);
    EXPECT_EQ(before->GetItem(0)->GetNumber(), "A");
    // Still remembered for the kelo object held from before.
    EXPECT_EQ(a->GetName(), "kelo a");
    EXPECT_EQ(a->GetSchedule()->GetCount(), 3);
    EXPECT_TRUE(cache->FindKelo("A").IsNull());
}

TEST_F(CacheWriteTest, CreatedKeloIsListedAndItsWritesAreRecordedHere) {
    KeloKeloPtrClass created = cache->CreateKelo("C");
    ASSERT_FALSE(created.IsNull());
    EXPECT_EQ(created->GetNumber(), "C");
    ASSERT_EQ(cache->GetKeloSet()->GetCount(), 3);
    EXPECT_EQ(cache->GetKeloSet()->GetItem(2)->GetNumber(), "C");

    created->SetName("kelo c");
    created->GetSchedule()->AppendStop("000001")->SetArrival(KeloTimeType(12, 0));
    created->GetSchedule()->AppendStop("000002")->SetArrival(KeloTimeType(12, 30));
    EXPECT_EQ(lower->FindKelo("C")->GetSchedule()->GetItem(1)->GetArrival(), KeloTimeType(12, 30));
    KeloKeloPtrClass found = cache->FindKelo("C");
    EXPECT_EQ(found->GetName(), "kelo c");
    EXPECT_EQ(found->GetTravelTime(), KeloTimeType(30));
    EXPECT_FLOAT_EQ(found->GetDistance(), 12.0f);
}

TEST_F(CacheWriteTest, NumberCreatedAgainAfterDeletionDropsWhatWasHeldForTheOldKelo) {
    cache->DeleteKelo("A");
    KeloKeloPtrClass created = cache->CreateKelo("A");
    ASSERT_FALSE(created.IsNull());
    EXPECT_EQ(created->GetSchedule()->GetCount(), 0);
    EXPECT_EQ(created->GetName(), "");
    EXPECT_EQ(created->GetDistance(), 0.0f);
    created->GetSchedule()->AppendStop("000003");
    EXPECT_EQ(cache->FindKelo("A")->GetSchedule()->GetCount(), 1);
    EXPECT_EQ(lower->FindKelo("A")->GetSchedule()->GetCount(), 1);
}

TEST_F(CacheWriteTest, CreateOnASourceThatCannotCreateAnswersEmpty) {
    spy->SetCanCreate(false);
    EXPECT_TRUE(cache->CreateKelo("C").IsNull());
    EXPECT_EQ(spy->Calls("CreateKelo"), 1);
    EXPECT_EQ(cache->GetKeloSet()->GetCount(), 2);
    // What was held for an existing number is not touched by a refused creation.
    EXPECT_EQ(a->GetSchedule()->GetCount(), 3);
}

TEST_F(CacheWriteTest, OverASourceThatIgnoresWritesTheLayerStillHoldsThem) {
    spy->SetReadOnly(true);
    KeloKeloSchedulePtrClass schedule = a->GetSchedule();
    for (std::int32_t i = schedule->GetCount() - 1; i >= 0; --i)
        schedule->RemoveStop(i);
    const char* codes[] = {"000003", "000002", "000001", "000002"};
    for (int i = 0; i < 4; ++i)
        schedule->AppendStop(codes[i])->SetArrival(KeloTimeType(10, 10 * i));
    EXPECT_EQ(spy->Calls("Schedule.RemoveStop"), 3);
    EXPECT_EQ(spy->Calls("Schedule.AppendStop"), 4);
    EXPECT_EQ(spy->Calls("Entry.SetArrival"), 3);
    // The fourth entry has no counterpart below, which is never asked for one.
    EXPECT_EQ(spy->Calls("Schedule.GetItem"), 3);

    KeloKeloSchedulePtrClass reread = cache->FindKelo("A")->GetSchedule();
    ASSERT_EQ(reread->GetCount(), 4);
    EXPECT_EQ(reread->GetItem(0)->GetStop()->GetCode(), "000003");
    EXPECT_EQ(reread->GetItem(3)->GetArrival(), KeloTimeType(10, 30));
    EXPECT_EQ(cache->FindKelo("A")->GetTravelTime(), KeloTimeType(30));
    EXPECT_EQ(LowerSchedule("A")->GetCount(), 3);
    EXPECT_EQ(LowerSchedule("A")->GetItem(0)->GetArrival(), KeloTimeType(8, 0));

    a->SetName("held here");
    EXPECT_EQ(cache->FindKelo("A")->GetName(), "held here");
    EXPECT_EQ(lower->FindKelo("A")->GetName(), "kelo a");
    // Speed and distance come from below again, computed on the lower source's own data.
    EXPECT_FLOAT_EQ(a->GetDistance(), 30.0f);
}

} // namespace
