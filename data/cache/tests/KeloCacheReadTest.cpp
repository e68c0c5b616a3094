#include "CacheTestData.h"
#include "KeloCacheDataClass.h"

#include <gtest/gtest.h>

namespace {

class CacheReadTest : public ::testing::Test {
protected:
    void SetUp() override {
        lower = MakeInMemorySource(CacheTestData(), &spy);
        cache = KeloDataPtrClass(new KeloCacheDataClass(lower));
        spy->ResetCalls();
    }

    InMemoryKeloDataClass* spy = nullptr;
    KeloDataPtrClass lower;
    KeloDataPtrClass cache;
};

TEST_F(CacheReadTest, KeloAttributesAreAskedBelowOnceWhateverObjectReadsThem) {
    EXPECT_EQ(cache->FindKelo("A")->GetName(), "kelo a");
    EXPECT_EQ(cache->FindKelo("A")->GetName(), "kelo a");
    EXPECT_EQ(cache->GetKeloSet()->GetItem(0)->GetName(), "kelo a");
    EXPECT_EQ(spy->Calls("Kelo.GetName"), 1);

    KeloKeloPtrClass a = cache->FindKelo("A");
    const float speed = lower->FindKelo("A")->GetAverageSpeed();
    const float distance = lower->FindKelo("A")->GetDistance();
    spy->ResetCalls();
    for (int i = 0; i < 3; ++i) {
        EXPECT_FLOAT_EQ(a->GetAverageSpeed(), speed);
        EXPECT_FLOAT_EQ(a->GetDistance(), distance);
    }
    EXPECT_EQ(spy->Calls("Kelo.GetAverageSpeed"), 1);
    EXPECT_EQ(spy->Calls("Kelo.GetDistance"), 1);
    EXPECT_FLOAT_EQ(distance, 30.0f);
}

TEST_F(CacheReadTest, TimetableIsLoadedWholeOnceAndReadFromTheCache) {
    KeloKeloSchedulePtrClass first = cache->FindKelo("A")->GetSchedule();
    ASSERT_EQ(first->GetCount(), 3);
    const int loadedWith = spy->Calls("Entry.GetArrival");
    EXPECT_EQ(loadedWith, 3);
    KeloKeloSchedulePtrClass second = cache->FindKelo("A")->GetSchedule();
    for (std::int32_t i = 0; i < second->GetCount(); ++i) {
        second->GetItem(i)->GetArrival();
        second->GetItem(i)->GetStay();
        second->GetItem(i)->GetStop()->GetCode();
    }
    EXPECT_EQ(spy->Calls("Kelo.GetSchedule"), 1);
    EXPECT_EQ(spy->Calls("Entry.GetArrival"), loadedWith);
    EXPECT_EQ(second->GetItem(1)->GetArrival(), KeloTimeType(8, 20));
    EXPECT_EQ(second->GetItem(1)->GetStay(), KeloTimeType(5));
    EXPECT_TRUE(second->GetItem(2)->GetStay().IsEmpty());
    EXPECT_EQ(second->GetItem(2)->GetStop()->GetName(), "THREE");
}

TEST_F(CacheReadTest, LoadedTimetableIgnoresChangesMadeBelowByAnotherPath) {
    cache->FindKelo("A")->GetSchedule()->GetCount();
    lower->FindKelo("A")->GetSchedule()->GetItem(0)->SetArrival(KeloTimeType(7, 0));
    lower->FindKelo("A")->GetSchedule()->RemoveStop(2);
    KeloKeloSchedulePtrClass cached = cache->FindKelo("A")->GetSchedule();
    EXPECT_EQ(cached->GetCount(), 3);
    EXPECT_EQ(cached->GetItem(0)->GetArrival(), KeloTimeType(8, 0));
}

TEST_F(CacheReadTest, TravelTimeIsComputedOverTheCachedTimetableAcrossMidnight) {
    EXPECT_EQ(cache->FindKelo("B")->GetTravelTime(), KeloTimeType(60));
    EXPECT_EQ(cache->FindKelo("A")->GetTravelTime(), KeloTimeType(60));
}

TEST_F(CacheReadTest, PositionsOutsideTheTimetableOrStopSetGiveEmptyHandles) {
    KeloKeloSchedulePtrClass schedule = cache->FindKelo("A")->GetSchedule();
    EXPECT_TRUE(schedule->GetItem(3).IsNull());
    EXPECT_TRUE(schedule->GetItem(-1).IsNull());
    KeloStopSetPtrClass stops = cache->GetStopSet();
    EXPECT_TRUE(stops->GetItem(4).IsNull());
    EXPECT_TRUE(stops->GetItem(-1).IsNull());
}

TEST_F(CacheReadTest, DistanceQuestionsAreAskedBelowOncePerOrderedPair) {
    KeloTopologyPtrClass topology = cache->GetTopology();
    EXPECT_FALSE(topology->HasLink("000001", "000003"));
    EXPECT_FALSE(topology->HasLink("000001", "000003"));
    EXPECT_EQ(topology->GetDistance("000001", "000003"), 0.0f);
    EXPECT_EQ(spy->Calls("HasLink"), 1);
    EXPECT_EQ(spy->Calls("GetDistance"), 0); // no link: the distance is not asked

    EXPECT_EQ(topology->GetDistance("000001", "000002"), 12.0f);
    EXPECT_TRUE(topology->HasLink("000001", "000002"));
    EXPECT_EQ(spy->Calls("HasLink"), 2);
    EXPECT_EQ(spy->Calls("GetDistance"), 1);

    // The reverse pair is a question of its own.
    EXPECT_EQ(topology->GetDistance("000002", "000001"), 12.0f);
    EXPECT_EQ(spy->Calls("HasLink"), 3);
    EXPECT_EQ(topology->GetDistance("000002", "000001"), 12.0f);
    EXPECT_EQ(topology->GetDistance("000001", "000002"), 12.0f);
    EXPECT_EQ(spy->Calls("HasLink"), 3);
    EXPECT_EQ(spy->Calls("GetDistance"), 2);
}

TEST_F(CacheReadTest, StopSetAndTopologyAreTheSameObjectsEveryTime) {
    KeloStopSetPtrClass stops = cache->GetStopSet();
    EXPECT_EQ(&*stops, &*cache->GetStopSet());
    EXPECT_EQ(&*cache->GetTopology(), &*cache->GetTopology());
    EXPECT_EQ(spy->Calls("GetStopSet"), 0); // codes are read on first use only
    ASSERT_EQ(stops->GetCount(), 4);
    for (std::int32_t i = 0; i < stops->GetCount(); ++i) {
        KeloStopPtrClass item = stops->GetItem(i);
        EXPECT_EQ(&*item, &*cache->FindStop(item->GetCode())) << i;
    }
    EXPECT_EQ(spy->Calls("GetStopSet"), 1);
    EXPECT_EQ(stops->GetItem(3)->GetName(), "LONELY");
}

TEST_F(CacheReadTest, FindStopKeepsOneObjectPerCodeAndReadsItsNameOnce) {
    KeloStopPtrClass stop = cache->FindStop("000002");
    EXPECT_EQ(&*stop, &*cache->FindStop("000002"));
    EXPECT_EQ(spy->Calls("FindStop"), 0); // existence is not asked
    EXPECT_EQ(stop->GetName(), "TWO");
    EXPECT_EQ(cache->FindStop("000002")->GetName(), "TWO");
    EXPECT_EQ(spy->Calls("FindStop"), 1);
    EXPECT_EQ(spy->Calls("Stop.GetName"), 1);
    // Timetable entries hand out stops of their own, with the same data.
    KeloStopPtrClass fromEntry = cache->FindKelo("A")->GetSchedule()->GetItem(1)->GetStop();
    EXPECT_NE(&*fromEntry, &*stop);
    EXPECT_EQ(fromEntry->GetCode(), "000002");
    EXPECT_EQ(fromEntry->GetName(), "TWO");
}

TEST_F(CacheReadTest, KeysUnknownBelowAnswerEmpty) {
    EXPECT_TRUE(cache->FindKelo("NONE").IsNull());
    KeloStopPtrClass unknown = cache->FindStop("999999");
    ASSERT_FALSE(unknown.IsNull());
    EXPECT_EQ(unknown->GetCode(), "999999");
    EXPECT_EQ(unknown->GetName(), "");
    EXPECT_TRUE(cache->FindBus("NONE").IsNull());
    EXPECT_TRUE(cache->FindKelo("B")->GetBus().IsNull()); // bus model not among the models
    EXPECT_EQ(cache->FindKelo("A")->GetBus()->GetCapacity(), 40);
}

TEST_F(CacheReadTest, KeloGoneBelowBeforeItsDataWasReadReadsAsEmpty) {
    KeloKeloPtrClass a = cache->FindKelo("A");
    lower->DeleteKelo("A");
    EXPECT_EQ(a->GetNumber(), "A");
    EXPECT_EQ(a->GetName(), "");
    EXPECT_EQ(a->GetAverageSpeed(), 0.0f);
    EXPECT_EQ(a->GetDistance(), 0.0f);
    KeloKeloSchedulePtrClass schedule = a->GetSchedule();
    EXPECT_EQ(schedule->GetCount(), 0);
    EXPECT_TRUE(schedule->GetItem(0).IsNull());
    EXPECT_TRUE(schedule->AppendStop("000001").IsNull());
    schedule->RemoveStop(0);
    EXPECT_EQ(a->GetTravelTime(), KeloTimeType(0));
}

TEST_F(CacheReadTest, TwoLookUpsGiveTwoObjectsWithTheSameData) {
    KeloKeloPtrClass one = cache->FindKelo("A");
    KeloKeloPtrClass two = cache->FindKelo("A");
    EXPECT_NE(&*one, &*two);
    one->SetName("renamed");
    EXPECT_EQ(two->GetName(), "renamed");
}

} // namespace
