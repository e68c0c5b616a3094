#include "BufferTestSupport.h"

#include <gtest/gtest.h>

namespace {

class BufferChangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        lower = MakeInMemorySource(BufferTestData(), &spy);
        buffer = new KeloCachedUpdateDataClass(lower);
        source = KeloDataPtrClass(buffer);
        spy->ResetCalls();
    }

    InMemoryKeloDataClass* spy = nullptr;
    KeloDataPtrClass lower;
    KeloCachedUpdateDataClass* buffer = nullptr;
    KeloDataPtrClass source;
};

TEST_F(BufferChangeTest, DeletedKeloLeavesTheSetButIsStillFoundByNumber) {
    source->DeleteKelo("B");
    EXPECT_EQ(SetNumbers(source), (Numbers{"A", "C"}));
    EXPECT_EQ(Changes(*buffer), (ChangeList{{Deleted, "B"}}));
    KeloKeloPtrClass b = source->FindKelo("B");
    ASSERT_FALSE(b.IsNull());
    EXPECT_EQ(b->GetName(), "kelo b");
    source->DeleteKelo("B");
    EXPECT_EQ(buffer->GetChangeCount(), 1);
    EXPECT_EQ(SetNumbers(source), (Numbers{"A", "C"}));
    EXPECT_EQ(spy->Calls("DeleteKelo"), 0);
    EXPECT_EQ(lower->GetKeloSet()->GetCount(), 3);
}

TEST_F(BufferChangeTest, CreatedKeloIsAppendedEmptyWithoutBus) {
    source->DeleteKelo("B");
    KeloKeloPtrClass d = source->CreateKelo("D");
    ASSERT_FALSE(d.IsNull());
    EXPECT_EQ(SetNumbers(source), (Numbers{"A", "C", "D"}));
    EXPECT_EQ(Changes(*buffer), (ChangeList{{Deleted, "B"}, {Added, "D"}}));
    EXPECT_EQ(d->GetNumber(), "D");
    EXPECT_EQ(d->GetName(), "");
    EXPECT_TRUE(d->GetBus().IsNull());
    EXPECT_EQ(d->GetSchedule()->GetCount(), 0);
    EXPECT_EQ(d->GetTravelTime(), KeloTimeType(0));
    EXPECT_EQ(d->GetAverageSpeed(), 0.0f);
    EXPECT_EQ(d->GetDistance(), 0.0f);
    EXPECT_EQ(spy->Calls("CreateKelo"), 0);

    d->SetName("kelo d");
    d->SetBus("BUS2");
    d->GetSchedule()->AppendStop("S1")->SetArrival(KeloTimeType(6, 0));
    d->GetSchedule()->AppendStop("S2")->SetArrival(KeloTimeType(6, 30));
    KeloKeloPtrClass found = source->FindKelo("D");
    EXPECT_EQ(found->GetName(), "kelo d");
    EXPECT_EQ(found->GetBus()->GetModel(), "BUS2");
    EXPECT_EQ(found->GetTravelTime(), KeloTimeType(30));
    EXPECT_FLOAT_EQ(found->GetDistance(), 10.0f);
    EXPECT_FLOAT_EQ(found->GetAverageSpeed(), 20.0f);
    EXPECT_EQ(Changes(*buffer), (ChangeList{{Deleted, "B"}, {Added, "D"}}));
}

TEST_F(BufferChangeTest, DeletingACreatedKeloForgetsIt) {
    source->DeleteKelo("B");
    source->CreateKelo("D")->SetName("kelo d");
    source->DeleteKelo("D");
    EXPECT_EQ(Changes(*buffer), (ChangeList{{Deleted, "B"}}));
    EXPECT_EQ(SetNumbers(source), (Numbers{"A", "C"}));
    EXPECT_TRUE(source->FindKelo("D").IsNull());
    EXPECT_TRUE(buffer->ApplyUpdates().empty());
    EXPECT_EQ(spy->Calls("CreateKelo"), 0);
    EXPECT_EQ(SetNumbers(lower), (Numbers{"A", "C"}));
}

TEST_F(BufferChangeTest, DeletedAndCreatedAgainIsOneModificationThatStartsEmpty) {
    source->DeleteKelo("B");
    KeloKeloPtrClass b = source->CreateKelo("B");
    EXPECT_EQ(Changes(*buffer), (ChangeList{{Modified, "B"}}));
    EXPECT_EQ(SetNumbers(source), (Numbers{"A", "C", "B"}));
    // A kelo made anew does not inherit the deleted kelo's data, whichever way it is reached.
    for (KeloKeloPtrClass kelo : {b, source->FindKelo("B")}) {
        EXPECT_EQ(kelo->GetName(), "");
        EXPECT_TRUE(kelo->GetBus().IsNull());
        EXPECT_EQ(kelo->GetSchedule()->GetCount(), 0);
    }
    b->SetName("new b");
    b->GetSchedule()->AppendStop("S1")->SetArrival(KeloTimeType(5, 0));
    EXPECT_EQ(Describe(source->FindKelo("B")->GetSchedule()), "S1 05:00+; ");

    EXPECT_TRUE(buffer->ApplyUpdates().empty());
    EXPECT_EQ(spy->Calls("DeleteKelo"), 0);
    EXPECT_EQ(spy->Calls("CreateKelo"), 0);
    KeloKeloPtrClass below = lower->FindKelo("B");
    EXPECT_EQ(below->GetName(), "new b");
    EXPECT_TRUE(below->GetBus().IsNull());
    EXPECT_EQ(Describe(below->GetSchedule()), "S1 05:00+; ");
    EXPECT_EQ(SetNumbers(lower), (Numbers{"A", "B", "C"}));
}

TEST_F(BufferChangeTest, FirstTimeChangeCopiesTheWholeTimetableOnce) {
    KeloKeloPtrClass a = source->FindKelo("A");
    KeloKeloSchedulePtrClass schedule = a->GetSchedule();
    KeloStopSchedulePtrClass entry2 = schedule->GetItem(2);
    KeloStopSchedulePtrClass entry3 = schedule->GetItem(3); // made before the copy
    const std::string before = Describe(schedule);
    spy->ResetCalls();

    entry2->SetArrival(KeloTimeType(8, 35));
    EXPECT_EQ(Changes(*buffer), (ChangeList{{Modified, "A"}}));
    EXPECT_EQ(spy->Calls("FindKelo"), 1);
    EXPECT_EQ(spy->Calls("Entry.GetArrival"), 5);
    EXPECT_EQ(spy->Calls("Entry.SetArrival"), 0);

    entry3->SetStay(KeloTimeType(4));
    EXPECT_EQ(spy->Calls("FindKelo"), 1); // the same copy
    EXPECT_EQ(entry3->GetStay(), KeloTimeType(4));
    EXPECT_EQ(entry2->GetArrival(), KeloTimeType(8, 35));
    EXPECT_EQ(entry2->GetStop()->GetCode(), "S3");
    EXPECT_EQ(schedule->GetCount(), 5);
    EXPECT_EQ(Describe(lower->FindKelo("A")->GetSchedule()), before);

    // Name and bus still come from below.
    EXPECT_EQ(a->GetName(), "kelo a");
    EXPECT_EQ(a->GetBus()->GetModel(), "BUS1");
    lower->FindKelo("A")->SetName("renamed below");
    EXPECT_EQ(a->GetName(), "renamed below");
}

TEST_F(BufferChangeTest, SpeedAndDistanceOfACopiedTimetableAreComputedFromTheCopy) {
    KeloKeloPtrClass b = source->FindKelo("B");
    // 23:40 -> 00:10 over midnight, 30 km; then change the arrival to make it 20 minutes.
    b->GetSchedule()->GetItem(1)->SetArrival(KeloTimeType(0, 0));
    EXPECT_FLOAT_EQ(b->GetDistance(), 30.0f);
    EXPECT_FLOAT_EQ(b->GetAverageSpeed(), 90.0f);
    EXPECT_EQ(b->GetTravelTime(), KeloTimeType(20));
    EXPECT_EQ(spy->Calls("Kelo.GetAverageSpeed"), 0);
    EXPECT_EQ(spy->Calls("Kelo.GetDistance"), 0);

    // A pair with a missing time counts neither time nor distance for the speed.
    KeloKeloSchedulePtrClass schedule = b->GetSchedule();
    schedule->AppendStop("S2");
    EXPECT_FLOAT_EQ(b->GetDistance(), 50.0f);
    EXPECT_FLOAT_EQ(b->GetAverageSpeed(), 90.0f);
}

TEST_F(BufferChangeTest, RemoveStopPastTheEndOnlyCopiesTheTimetable) {
    KeloKeloSchedulePtrClass schedule = source->FindKelo("A")->GetSchedule();
    const std::string before = Describe(schedule);
    schedule->RemoveStop(7);
    EXPECT_EQ(Changes(*buffer), (ChangeList{{Modified, "A"}}));
    EXPECT_EQ(Describe(schedule), before);
    schedule->RemoveStop(1);
    EXPECT_EQ(schedule->GetCount(), 4);
    EXPECT_EQ(schedule->GetItem(1)->GetStop()->GetCode(), "S3");
}

TEST_F(BufferChangeTest, InsertStopPastTheEndAppendsWithEmptyTimes) {
    KeloKeloSchedulePtrClass schedule = source->FindKelo("A")->GetSchedule();
    KeloStopSchedulePtrClass added = schedule->InsertStop(9, "S1");
    ASSERT_EQ(schedule->GetCount(), 6);
    EXPECT_EQ(schedule->GetItem(5)->GetStop()->GetCode(), "S1");
    EXPECT_TRUE(added->GetArrival().IsEmpty());
    EXPECT_TRUE(added->GetStay().IsEmpty());
    added->SetStay(KeloTimeType(3));
    EXPECT_EQ(schedule->GetItem(5)->GetStay(), KeloTimeType(3));

    KeloStopSchedulePtrClass inserted = schedule->InsertStop(0, "S4");
    EXPECT_EQ(inserted->GetStop()->GetCode(), "S4");
    EXPECT_EQ(schedule->GetItem(1)->GetArrival(), KeloTimeType(8, 0));
}

TEST_F(BufferChangeTest, EntryViewsPastTheCopiedTimetableReadEmptyAndIgnoreWrites) {
    KeloKeloSchedulePtrClass schedule = source->FindKelo("B")->GetSchedule();
    KeloStopSchedulePtrClass last = schedule->GetItem(1);
    schedule->RemoveStop(1);
    EXPECT_TRUE(last->GetArrival().IsEmpty());
    EXPECT_TRUE(last->GetStop().IsNull());
    last->SetArrival(KeloTimeType(1, 0));
    EXPECT_EQ(schedule->GetCount(), 1);
}

TEST_F(BufferChangeTest, NameAndBusChangesStayInTheBuffer) {
    KeloKeloPtrClass a = source->FindKelo("A");
    a->SetName("new a");
    EXPECT_EQ(Changes(*buffer), (ChangeList{{Modified, "A"}}));
    EXPECT_EQ(a->GetBus()->GetModel(), "BUS1"); // bus not changed: from below
    a->SetBus("BUS2");
    EXPECT_EQ(source->FindKelo("A")->GetBus()->GetModel(), "BUS2");
    a->SetBus("NOBUS");
    EXPECT_TRUE(a->GetBus().IsNull());
    EXPECT_EQ(source->FindKelo("A")->GetName(), "new a");
    EXPECT_EQ(lower->FindKelo("A")->GetName(), "kelo a");
    // The timetable was not touched and is still read from below.
    EXPECT_EQ(spy->Calls("Kelo.GetSchedule"), 0);
    EXPECT_EQ(a->GetSchedule()->GetCount(), 5);
    EXPECT_EQ(spy->Calls("Kelo.GetSchedule"), 1);
    EXPECT_EQ(buffer->GetChangeCount(), 1);
}

TEST_F(BufferChangeTest, CancelDropsEveryChange) {
    source->DeleteKelo("B");
    source->CreateKelo("D")->SetName("d");
    source->FindKelo("A")->GetSchedule()->RemoveStop(0);
    source->FindKelo("C")->SetBus("BUS1");
    buffer->CancelUpdates();
    EXPECT_EQ(buffer->GetChangeCount(), 0);
    EXPECT_EQ(SetNumbers(source), (Numbers{"A", "B", "C"}));
    EXPECT_TRUE(source->FindKelo("D").IsNull());
    for (const char* number : {"A", "B", "C"}) {
        KeloKeloPtrClass mine = source->FindKelo(number);
        KeloKeloPtrClass below = lower->FindKelo(number);
        EXPECT_EQ(mine->GetName(), below->GetName());
        EXPECT_EQ(Describe(mine->GetSchedule()), Describe(below->GetSchedule()));
        EXPECT_EQ(mine->GetBus().IsNull(), below->GetBus().IsNull());
    }
    EXPECT_EQ(spy->Calls("DeleteKelo") + spy->Calls("CreateKelo") + spy->Calls("Kelo.SetBus"), 0);
    // Mirroring again: a kelo added below shows up.
    lower->CreateKelo("Z");
    EXPECT_EQ(SetNumbers(source), (Numbers{"A", "B", "C", "Z"}));
}

} // namespace
