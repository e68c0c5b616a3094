#include "BufferTestSupport.h"

#include <gtest/gtest.h>

namespace {

class BufferReadTest : public ::testing::Test {
protected:
    void SetUp() override {
        lower = MakeInMemorySource(BufferTestData(), &spy);
        buffer = new KeloCachedUpdateDataClass(lower);
        source = KeloDataPtrClass(buffer);
    }

    InMemoryKeloDataClass* spy = nullptr;
    KeloDataPtrClass lower;
    KeloCachedUpdateDataClass* buffer = nullptr;
    KeloDataPtrClass source;
};

TEST_F(BufferReadTest, FreshBufferIsEmptyAndShowsTheUnderlyingSourceUnchanged) {
    EXPECT_EQ(SetNumbers(source), (Numbers{"A", "B", "C"}));
    EXPECT_EQ(buffer->GetChangeCount(), 0);
    for (const char* number : {"A", "B", "C"}) {
        KeloKeloPtrClass mine = source->FindKelo(number);
        KeloKeloPtrClass below = lower->FindKelo(number);
        EXPECT_EQ(mine->GetName(), below->GetName());
        EXPECT_EQ(Describe(mine->GetSchedule()), Describe(below->GetSchedule()));
        EXPECT_FLOAT_EQ(mine->GetAverageSpeed(), below->GetAverageSpeed());
        EXPECT_FLOAT_EQ(mine->GetDistance(), below->GetDistance());
        EXPECT_EQ(mine->GetTravelTime(), below->GetTravelTime());
    }
    EXPECT_EQ(source->FindKelo("B")->GetTravelTime(), KeloTimeType(30));
    EXPECT_EQ(source->FindKelo("A")->GetBus()->GetCapacity(), 40);
}

TEST_F(BufferReadTest, KeloSetIsOneObjectThatFollowsTheUnderlyingSetUntilAChange) {
    KeloKeloSetPtrClass kelos = source->GetKeloSet();
    EXPECT_EQ(&*kelos, &*source->GetKeloSet());
    lower->CreateKelo("Z");
    EXPECT_EQ(kelos->GetCount(), 4);
    EXPECT_EQ(kelos->GetItem(3)->GetNumber(), "Z");
}

TEST_F(BufferReadTest, UnknownKeysAndMissingBusesGiveEmptyHandles) {
    EXPECT_TRUE(source->FindKelo("NONE").IsNull());
    EXPECT_TRUE(source->FindBus("NONE").IsNull());
    EXPECT_TRUE(source->FindStop("NONE").IsNull());
    EXPECT_TRUE(source->FindKelo("C")->GetBus().IsNull());
    EXPECT_EQ(source->FindBus("BUS2")->GetCapacity(), 20);
}

TEST_F(BufferReadTest, StopsAndDistancesPassThrough) {
    EXPECT_EQ(source->FindStop("S3")->GetName(), "THREE");
    EXPECT_EQ(source->GetStopSet()->GetCount(), 4);
    EXPECT_EQ(source->GetTopology()->GetDistance("S3", "S2"), 20.0f);
    EXPECT_FALSE(source->GetTopology()->HasLink("S1", "S4"));
}

TEST_F(BufferReadTest, TwoLookUpsGiveTwoObjectsThatSeeTheSameChanges) {
    KeloKeloPtrClass one = source->FindKelo("A");
    KeloKeloPtrClass two = source->FindKelo("A");
    EXPECT_NE(&*one, &*two);
    one->SetName("changed");
    EXPECT_EQ(two->GetName(), "changed");
}

TEST_F(BufferReadTest, ReadsOfAnUnchangedKeloDoNotCopyAnything) {
    KeloKeloSchedulePtrClass schedule = source->FindKelo("A")->GetSchedule();
    for (std::int32_t i = 0; i < schedule->GetCount(); ++i)
        schedule->GetItem(i)->GetArrival();
    EXPECT_EQ(buffer->GetChangeCount(), 0);
}

} // namespace
