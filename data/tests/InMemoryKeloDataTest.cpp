#include "InMemoryKeloData.h"

#include <gtest/gtest.h>

// The test double must itself behave like a data source, or tests built on it prove nothing.
TEST(InMemoryKeloData, InsertRemoveAndLookupsFollowTheInterfaceRules) {
    InMemoryDataSet d;
    d.stops = {{"000001", "A"}, {"000002", "B"}};
    d.buses = {{"BUS", "CAT", 30}};
    d.kelos.push_back(
        {"K", "k", "BUS", {MakeRow("000001", "08:00", 0), MakeRow("000002", "08:10", -1)}});
    InMemoryKeloDataClass* spy = nullptr;
    KeloDataPtrClass source = MakeInMemorySource(d, &spy);

    KeloKeloSchedulePtrClass schedule = source->FindKelo("K")->GetSchedule();
    KeloStopSchedulePtrClass appended = schedule->InsertStop(5, "000001");
    EXPECT_EQ(schedule->GetCount(), 3);
    EXPECT_TRUE(appended->GetArrival().IsEmpty());
    EXPECT_TRUE(appended->GetStay().IsEmpty());
    schedule->RemoveStop(3);
    EXPECT_EQ(schedule->GetCount(), 3);
    schedule->RemoveStop(0);
    EXPECT_EQ(schedule->GetItem(0)->GetStop()->GetCode(), "000002");

    EXPECT_TRUE(source->FindBus("NONE").IsNull());
    EXPECT_TRUE(source->FindKelo("NONE").IsNull());
    EXPECT_EQ(source->FindKelo("K")->GetBus()->GetCapacity(), 30);
    EXPECT_EQ(spy->Calls("FindKelo"), 3);

    KeloKeloPtrClass a = source->FindKelo("K");
    KeloKeloPtrClass b = source->FindKelo("K");
    EXPECT_NE(&*a, &*b);
    a->SetName("renamed");
    EXPECT_EQ(b->GetName(), "renamed");

    spy->SetCanCreate(false);
    EXPECT_TRUE(source->CreateKelo("NEW").IsNull());
    spy->SetCanCreate(true);
    EXPECT_FALSE(source->CreateKelo("NEW").IsNull());
    EXPECT_EQ(source->GetKeloSet()->GetCount(), 2);
    source->DeleteKelo("K");
    EXPECT_EQ(source->GetKeloSet()->GetCount(), 1);
}
