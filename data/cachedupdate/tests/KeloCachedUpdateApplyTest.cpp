#include "BufferTestSupport.h"
#include "KeloCacheDataClass.h"

#include <gtest/gtest.h>

namespace {

class BufferApplyTest : public ::testing::Test {
protected:
    void SetUp() override {
        lower = MakeInMemorySource(BufferTestData(), &spy);
        buffer = new KeloCachedUpdateDataClass(lower);
        source = KeloDataPtrClass(buffer);
    }

    // A typical mix: a deletion, a timetable change, a renamed kelo and a copy.
    void MakeMixedChanges() {
        source->FindKelo("C")->GetSchedule()->GetItem(0)->SetArrival(KeloTimeType(11, 0));
        source->DeleteKelo("B");
        source->FindKelo("A")->SetName("new a");
        KeloKeloPtrClass d = source->CreateKelo("D");
        d->SetName("kelo d");
        d->SetBus("BUS2");
        d->GetSchedule()->AppendStop("S2")->SetArrival(KeloTimeType(7, 0));
        d->GetSchedule()->GetItem(0)->SetStay(KeloTimeType(0));
        d->GetSchedule()->AppendStop("S3")->SetArrival(KeloTimeType(7, 40));
    }

    InMemoryKeloDataClass* spy = nullptr;
    KeloDataPtrClass lower;
    KeloCachedUpdateDataClass* buffer = nullptr;
    KeloDataPtrClass source;
};

TEST_F(BufferApplyTest, ApplyWritesEverythingBelowAndLeavesAnEmptyTransparentBuffer) {
    MakeMixedChanges();
    spy->ResetCalls();
    EXPECT_TRUE(buffer->ApplyUpdates().empty());
    EXPECT_EQ(buffer->GetChangeCount(), 0);

    EXPECT_EQ(SetNumbers(lower), (Numbers{"A", "C", "D"}));
    EXPECT_EQ(lower->FindKelo("A")->GetName(), "new a");
    EXPECT_EQ(Describe(lower->FindKelo("C")->GetSchedule()), "S2 11:00+00:00; S1 12:20+; ");
    KeloKeloPtrClass d = lower->FindKelo("D");
    EXPECT_EQ(d->GetName(), "kelo d");
    EXPECT_EQ(d->GetBus()->GetModel(), "BUS2");
    EXPECT_EQ(Describe(d->GetSchedule()), "S2 07:00+00:00; S3 07:40+; ");
    // A was only renamed: its timetable below was not rewritten.
    EXPECT_EQ(spy->Calls("Schedule.RemoveStop"), 2);
    EXPECT_EQ(spy->Calls("Schedule.AppendStop"), 4);

    // Transparent again: reads equal the source, and the set follows it.
    EXPECT_EQ(SetNumbers(source), (Numbers{"A", "C", "D"}));
    lower->DeleteKelo("A");
    EXPECT_EQ(SetNumbers(source), (Numbers{"C", "D"}));
}

TEST_F(BufferApplyTest, ApplyIntoAnotherBufferKeepsTheOrderOfDeletionsThenRecords) {
    KeloCachedUpdateDataClass* window = buffer;
    KeloCachedUpdateDataClass* nested = new KeloCachedUpdateDataClass(source);
    KeloDataPtrClass nestedSource(nested);
    nestedSource->FindKelo("C")->SetName("c first");
    nestedSource->DeleteKelo("B");
    nestedSource->CreateKelo("D")->SetName("d");
    nestedSource->FindKelo("A")->GetSchedule()->RemoveStop(4);
    nestedSource->DeleteKelo("A");
    nestedSource->CreateKelo("A");
    nestedSource->FindKelo("A")->SetName("a again");
    EXPECT_EQ(Changes(*nested),
              (ChangeList{{Deleted, "B"}, {Modified, "C"}, {Added, "D"}, {Modified, "A"}}));
    EXPECT_EQ(window->GetChangeCount(), 0);
    EXPECT_EQ(SetNumbers(source), (Numbers{"A", "B", "C"}));

    EXPECT_TRUE(nested->ApplyUpdates().empty());
    EXPECT_EQ(Changes(*window),
              (ChangeList{{Deleted, "B"}, {Modified, "C"}, {Added, "D"}, {Modified, "A"}}));
    EXPECT_EQ(SetNumbers(source), (Numbers{"A", "C", "D"}));
    EXPECT_EQ(source->FindKelo("A")->GetSchedule()->GetCount(), 0);
    EXPECT_EQ(source->FindKelo("A")->GetName(), "a again");
    EXPECT_EQ(SetNumbers(nestedSource), (Numbers{"A", "C", "D"}));
}

TEST_F(BufferApplyTest, CopyTheSourceCannotCreateIsHeldBackAndEverythingElseIsWritten) {
    spy->SetCanCreate(false);
    MakeMixedChanges();
    EXPECT_EQ(buffer->ApplyUpdates(), (Numbers{"D"}));
    EXPECT_EQ(Changes(*buffer), (ChangeList{{Added, "D"}}));
    EXPECT_EQ(SetNumbers(lower), (Numbers{"A", "C"}));
    EXPECT_EQ(lower->FindKelo("A")->GetName(), "new a");
    EXPECT_EQ(lower->FindKelo("C")->GetSchedule()->GetItem(0)->GetArrival(), KeloTimeType(11, 0));

    // The held-back copy is still listed after the kelos below and reads as before.
    EXPECT_EQ(SetNumbers(source), (Numbers{"A", "C", "D"}));
    KeloKeloPtrClass d = source->FindKelo("D");
    EXPECT_EQ(d->GetName(), "kelo d");
    EXPECT_EQ(Describe(d->GetSchedule()), "S2 07:00+00:00; S3 07:40+; ");
    // Reads of the written kelos come from below again.
    EXPECT_EQ(source->FindKelo("A")->GetName(), "new a");

    // It can be saved again once the source takes it ...
    spy->SetCanCreate(true);
    EXPECT_TRUE(buffer->ApplyUpdates().empty());
    EXPECT_EQ(buffer->GetChangeCount(), 0);
    EXPECT_EQ(Describe(lower->FindKelo("D")->GetSchedule()), "S2 07:00+00:00; S3 07:40+; ");
    EXPECT_EQ(SetNumbers(source), (Numbers{"A", "C", "D"}));
}

TEST_F(BufferApplyTest, HeldBackCopyCanBeDiscardedOrDeleted) {
    spy->SetCanCreate(false);
    source->CreateKelo("D")->SetName("d");
    source->CreateKelo("E")->SetName("e");
    EXPECT_EQ(buffer->ApplyUpdates(), (Numbers{"D", "E"}));
    source->DeleteKelo("D");
    EXPECT_EQ(Changes(*buffer), (ChangeList{{Added, "E"}}));
    EXPECT_EQ(SetNumbers(source), (Numbers{"A", "B", "C", "E"}));
    buffer->CancelUpdates();
    EXPECT_EQ(buffer->GetChangeCount(), 0);
    EXPECT_EQ(SetNumbers(source), (Numbers{"A", "B", "C"}));
}

TEST_F(BufferApplyTest, KeloGoneBelowDuringApplyIsHeldBackInsteadOfEndingTheProgram) {
    source->FindKelo("A")->SetName("new a");
    source->FindKelo("C")->SetName("new c");
    lower->DeleteKelo("A");
    EXPECT_EQ(buffer->ApplyUpdates(), (Numbers{"A"}));
    EXPECT_EQ(Changes(*buffer), (ChangeList{{Modified, "A"}}));
    EXPECT_EQ(lower->FindKelo("C")->GetName(), "new c");
    // Nothing below to show it by: it is not listed and not found, but can still be dropped.
    EXPECT_EQ(SetNumbers(source), (Numbers{"B", "C"}));
    EXPECT_TRUE(source->FindKelo("A").IsNull());
    buffer->CancelUpdates();
    EXPECT_EQ(buffer->GetChangeCount(), 0);
}

TEST_F(BufferApplyTest, OverASourceThatIgnoresWritesTheChangesItRefusesStay) {
    source->DeleteKelo("B");
    source->FindKelo("A")->GetSchedule()->GetItem(0)->SetArrival(KeloTimeType(7, 0));
    source->FindKelo("C")->SetName("new c");
    spy->SetReadOnly(true);
    // A refused entry, a name read back unchanged, a kelo still there after its deletion.
    EXPECT_EQ(buffer->ApplyUpdates(), (Numbers{"B", "A", "C"}));
    EXPECT_EQ(Changes(*buffer), (ChangeList{{Deleted, "B"}, {Modified, "A"}, {Modified, "C"}}));
    EXPECT_EQ(source->FindKelo("C")->GetName(), "new c");
    EXPECT_EQ(SetNumbers(source), (Numbers{"A", "C"}));
    EXPECT_EQ(source->FindKelo("A")->GetSchedule()->GetItem(0)->GetArrival(), KeloTimeType(7, 0));
    EXPECT_EQ(source->FindKelo("A")->GetSchedule()->GetCount(), 5);

    spy->SetReadOnly(false);
    EXPECT_TRUE(buffer->ApplyUpdates().empty());
    EXPECT_EQ(SetNumbers(lower), (Numbers{"A", "C"}));
    EXPECT_EQ(lower->FindKelo("A")->GetSchedule()->GetItem(0)->GetArrival(), KeloTimeType(7, 0));
    EXPECT_EQ(lower->FindKelo("A")->GetSchedule()->GetCount(), 5);
    EXPECT_EQ(lower->FindKelo("C")->GetName(), "new c");
}

TEST_F(BufferApplyTest, NestedBufferAppliedIntoTheWindowBufferAndThenIntoTheCache) {
    KeloDataPtrClass cache(new KeloCacheDataClass(lower));
    auto* window = new KeloCachedUpdateDataClass(cache);
    KeloDataPtrClass windowSource(window);
    auto* dialog = new KeloCachedUpdateDataClass(windowSource);
    KeloDataPtrClass dialogSource(dialog);

    KeloKeloSchedulePtrClass schedule = dialogSource->FindKelo("B")->GetSchedule();
    schedule->GetItem(1)->SetArrival(KeloTimeType(0, 20));
    schedule->InsertStop(1, "S4")->SetArrival(KeloTimeType(23, 50));
    KeloKeloPtrClass copy = dialogSource->CreateKelo("B2");
    copy->SetName("copy of b");
    copy->SetBus("BUS2");
    copy->GetSchedule()->AppendStop("S1")->SetArrival(KeloTimeType(10, 0));
    const std::string edited = Describe(dialogSource->FindKelo("B")->GetSchedule());
    EXPECT_EQ(Describe(windowSource->FindKelo("B")->GetSchedule()), "S4 23:40+00:00; S3 00:10+; ");

    EXPECT_TRUE(dialog->ApplyUpdates().empty());
    EXPECT_EQ(Changes(*window), (ChangeList{{Modified, "B"}, {Added, "B2"}}));
    EXPECT_EQ(Describe(windowSource->FindKelo("B")->GetSchedule()), edited);
    EXPECT_EQ(SetNumbers(windowSource), (Numbers{"A", "B", "C", "B2"}));
    EXPECT_EQ(Describe(lower->FindKelo("B")->GetSchedule()), "S4 23:40+00:00; S3 00:10+; ");
    dialog = nullptr;
    dialogSource = KeloDataPtrClass();

    EXPECT_TRUE(window->ApplyUpdates().empty());
    EXPECT_EQ(window->GetChangeCount(), 0);
    EXPECT_EQ(Describe(cache->FindKelo("B")->GetSchedule()), edited);
    EXPECT_EQ(Describe(lower->FindKelo("B")->GetSchedule()), edited);
    EXPECT_EQ(cache->FindKelo("B")->GetTravelTime(), KeloTimeType(40));
    EXPECT_EQ(SetNumbers(cache), (Numbers{"A", "B", "C", "B2"}));
    EXPECT_EQ(cache->FindKelo("B2")->GetName(), "copy of b");
    EXPECT_EQ(lower->FindKelo("B2")->GetBus()->GetModel(), "BUS2");
    EXPECT_EQ(Describe(windowSource->FindKelo("B2")->GetSchedule()), "S1 10:00+; ");
}

} // namespace
