#include "BufferTestSupport.h"

#include <gtest/gtest.h>

namespace {

// A kelo of the source below that ignores a new name or bus when told to, like a source
// with rules of its own; everything else passes through.
class RefusingKelo : public KeloKeloClass {
public:
    RefusingKelo(KeloKeloPtrClass inner, bool refuseName, bool refuseBus)
        : inner(std::move(inner)), refuseName(refuseName), refuseBus(refuseBus) {}
    std::string GetNumber() override { return inner->GetNumber(); }
    std::string GetName() override { return inner->GetName(); }
    KeloKeloSchedulePtrClass GetSchedule() override { return inner->GetSchedule(); }
    KeloBusPtrClass GetBus() override { return inner->GetBus(); }
    float GetAverageSpeed() override { return inner->GetAverageSpeed(); }
    float GetDistance() override { return inner->GetDistance(); }
    void SetName(const std::string& name) override {
        if (!refuseName)
            inner->SetName(name);
    }
    void SetBus(const std::string& model) override {
        if (!refuseBus)
            inner->SetBus(model);
    }

private:
    KeloKeloPtrClass inner;
    bool refuseName, refuseBus;
};

class RefusingSource : public KeloDataClass {
public:
    explicit RefusingSource(KeloDataPtrClass inner) : inner(std::move(inner)) {}
    bool refuseName = false;
    bool refuseBus = false;
    KeloKeloSetPtrClass GetKeloSet() override { return inner->GetKeloSet(); }
    KeloStopSetPtrClass GetStopSet() override { return inner->GetStopSet(); }
    KeloTopologyPtrClass GetTopology() override { return inner->GetTopology(); }
    KeloKeloPtrClass FindKelo(const std::string& n) override { return Wrap(inner->FindKelo(n)); }
    KeloStopPtrClass FindStop(const std::string& code) override { return inner->FindStop(code); }
    KeloBusPtrClass FindBus(const std::string& model) override { return inner->FindBus(model); }
    KeloKeloPtrClass CreateKelo(const std::string& n) override {
        return Wrap(inner->CreateKelo(n));
    }
    void DeleteKelo(const std::string& number) override { inner->DeleteKelo(number); }

private:
    KeloKeloPtrClass Wrap(KeloKeloPtrClass kelo) {
        if (kelo.IsNull())
            return kelo;
        return KeloKeloPtrClass(new RefusingKelo(kelo, refuseName, refuseBus));
    }
    KeloDataPtrClass inner;
};

class BufferSubsetTest : public ::testing::Test {
protected:
    void SetUp() override {
        lower = MakeInMemorySource(BufferTestData());
        refusing = new RefusingSource(lower);
        buffer = new KeloCachedUpdateDataClass(KeloDataPtrClass(refusing));
        source = KeloDataPtrClass(buffer);
    }
    KeloDataPtrClass lower;
    RefusingSource* refusing = nullptr;
    KeloCachedUpdateDataClass* buffer = nullptr;
    KeloDataPtrClass source;
};

} // namespace

TEST_F(BufferSubsetTest, OnlyTheChosenChangesAreWrittenTheOthersStayListedInOrder) {
    source->FindKelo("C")->GetSchedule()->GetItem(0)->SetArrival(KeloTimeType(11, 0));
    source->DeleteKelo("B");
    source->FindKelo("A")->SetName("new a");
    KeloKeloPtrClass d = source->CreateKelo("D");
    d->SetName("kelo d");
    d->GetSchedule()->AppendStop("S2")->SetArrival(KeloTimeType(7, 0));
    ASSERT_EQ(Changes(*buffer),
              (ChangeList{{Deleted, "B"}, {Modified, "C"}, {Modified, "A"}, {Added, "D"}}));

    EXPECT_TRUE(buffer->ApplySelectedUpdates({true, false, true, false}).heldBack.empty());
    EXPECT_EQ(SetNumbers(lower), (Numbers{"A", "C"}));
    EXPECT_EQ(lower->FindKelo("A")->GetName(), "new a");
    EXPECT_EQ(lower->FindKelo("C")->GetSchedule()->GetItem(0)->GetArrival(), KeloTimeType(12, 0));
    EXPECT_EQ(Changes(*buffer), (ChangeList{{Modified, "C"}, {Added, "D"}}));
    EXPECT_EQ(SetNumbers(source), (Numbers{"A", "C", "D"}));
    EXPECT_EQ(source->FindKelo("C")->GetSchedule()->GetItem(0)->GetArrival(), KeloTimeType(11, 0));

    EXPECT_TRUE(buffer->ApplySelectedUpdates({}).heldBack.empty());
    EXPECT_EQ(buffer->GetChangeCount(), 2);
    EXPECT_TRUE(buffer->ApplyUpdates().empty());
    EXPECT_EQ(buffer->GetChangeCount(), 0);
    EXPECT_EQ(SetNumbers(lower), (Numbers{"A", "C", "D"}));
}

// Before: the timetable was rewritten below and only then the refused name noticed.
TEST_F(BufferSubsetTest, ARefusedNameStopsTheKeloBeforeAnyOfItsPartsIsWritten) {
    KeloKeloPtrClass a = source->FindKelo("A");
    a->SetName("new a");
    a->GetSchedule()->RemoveStop(4);
    refusing->refuseName = true;
    const KeloDataCUApplyResultType result = buffer->ApplySelectedUpdates({true});
    ASSERT_EQ(result.HeldBackNumbers(), Numbers{"A"});
    const KeloDataCUHeldBackType& held = result.heldBack[0];
    EXPECT_FALSE(held.nameWritten || held.busWritten || held.scheduleWritten || held.created);
    EXPECT_EQ(lower->FindKelo("A")->GetSchedule()->GetCount(), 5);
    EXPECT_EQ(source->FindKelo("A")->GetSchedule()->GetCount(), 4);
}

TEST_F(BufferSubsetTest, ARefusedBusIsHeldBackAndTheNoteSaysTheNameWasWritten) {
    KeloKeloPtrClass a = source->FindKelo("A");
    a->SetName("new a");
    a->SetBus("BUS2");
    a->GetSchedule()->RemoveStop(4);
    source->FindKelo("C")->SetBus("NO SUCH BUS");
    refusing->refuseBus = true;
    const KeloDataCUApplyResultType result = buffer->ApplySelectedUpdates({true, true});
    ASSERT_EQ(result.HeldBackNumbers(), (Numbers{"A", "C"}));
    EXPECT_TRUE(result.heldBack[0].nameWritten);
    EXPECT_FALSE(result.heldBack[0].busWritten || result.heldBack[0].scheduleWritten);
    EXPECT_FALSE(result.heldBack[1].nameWritten || result.heldBack[1].busWritten);
    EXPECT_EQ(lower->FindKelo("A")->GetName(), "new a");
    EXPECT_EQ(lower->FindKelo("A")->GetBus()->GetModel(), "BUS1");
    EXPECT_EQ(lower->FindKelo("A")->GetSchedule()->GetCount(), 5);
    // What is still unsaved stays readable through the buffer and is offered again.
    EXPECT_EQ(source->FindKelo("A")->GetBus()->GetModel(), "BUS2");
    EXPECT_EQ(Changes(*buffer), (ChangeList{{Modified, "A"}, {Modified, "C"}}));
    refusing->refuseBus = false;
    EXPECT_EQ(buffer->ApplyUpdates(), Numbers{"C"});
    EXPECT_EQ(lower->FindKelo("A")->GetBus()->GetModel(), "BUS2");
    EXPECT_EQ(lower->FindKelo("A")->GetSchedule()->GetCount(), 4);
}
