#include "InMemoryKeloData.h"
#include "KeloCacheDataClass.h"
#include "KeloCachedUpdateDataClass.h"
#include "KeloSFDataClass.h"
#include "KeloSFKeloScheduleClass.h"

#include <gtest/gtest.h>

namespace {

// A line L1..L4 and kelos that meet it in the ways the diagram has to show.
InMemoryDataSet StackData() {
    InMemoryDataSet d;
    for (const char* code : {"X1", "L1", "L2", "L3", "L4", "X2"})
        d.stops.push_back({code, std::string("stop ") + code});
    d.AddLinkBothWays("X1", "L1", 5);
    d.AddLinkBothWays("L1", "L2", 10);
    d.AddLinkBothWays("L2", "L3", 20);
    d.AddLinkBothWays("L3", "L4", 30);
    d.AddLinkBothWays("L2", "X2", 7);
    d.buses = {{"BUS", "CAT", 30}};
    d.kelos.push_back({"LINE",
                       "line",
                       "BUS",
                       {MakeRow("L1", "08:00", 0), MakeRow("L2", "08:10", 1),
                        MakeRow("L3", "08:30", 1), MakeRow("L4", "09:00", -1)}});
    // Crosses midnight on the line, against its direction.
    d.kelos.push_back(
        {"NIGHT",
         "night",
         "BUS",
         {MakeRow("L4", "23:30", 0), MakeRow("L3", "23:55", 2), MakeRow("L2", "00:20", -1)}});
    // Starts before the line, calls twice at L2 and leaves it part-way.
    d.kelos.push_back(
        {"PART",
         "part",
         "BUS",
         {MakeRow("X1", "12:00", 0), MakeRow("L1", "12:10", 1), MakeRow("L2", "12:25", 1),
          MakeRow("L1", "12:40", 1), MakeRow("L2", "12:55", 1), MakeRow("X2", "13:10", -1)}});
    return d;
}

std::vector<std::string> Line() {
    return {"L1", "L2", "L3", "L4"};
}

class StackTest : public ::testing::Test {
protected:
    void SetUp() override {
        source = MakeInMemorySource(StackData(), &spy);
        cache = KeloDataPtrClass(new KeloCacheDataClass(source));
        buffer = new KeloCachedUpdateDataClass(cache);
        bufferSource = KeloDataPtrClass(buffer);
        view = KeloDataPtrClass(new KeloSFDataClass(bufferSource, Line()));
    }

    KeloSFKeloScheduleClass* ViewSchedule(const std::string& number) {
        held = view->FindKelo(number)->GetSchedule();
        return dynamic_cast<KeloSFKeloScheduleClass*>(&*held);
    }

    InMemoryKeloDataClass* spy = nullptr;
    KeloDataPtrClass source;
    KeloDataPtrClass cache;
    KeloCachedUpdateDataClass* buffer = nullptr;
    KeloDataPtrClass bufferSource;
    KeloDataPtrClass view;
    KeloKeloSchedulePtrClass held;
};

TEST_F(StackTest, ViewAndBufferListTheSameKelosAtTheSameIndices) {
    auto numbersOf = [](KeloDataPtrClass data) {
        std::vector<std::string> numbers;
        KeloKeloSetPtrClass kelos = data->GetKeloSet();
        for (std::int32_t i = 0; i < kelos->GetCount(); ++i)
            numbers.push_back(kelos->GetItem(i)->GetNumber());
        return numbers;
    };
    EXPECT_EQ(numbersOf(view), numbersOf(bufferSource));
    bufferSource->DeleteKelo("NIGHT");
    bufferSource->CreateKelo("COPY")->GetSchedule()->AppendStop("L3");
    EXPECT_EQ(numbersOf(view), (std::vector<std::string>{"LINE", "PART", "COPY"}));
    EXPECT_EQ(numbersOf(view), numbersOf(bufferSource));
    EXPECT_EQ(view->GetKeloSet()->GetItem(2)->GetSchedule()->GetCount(), 1);
}

TEST_F(StackTest, MidnightAndPartWayKelosLookRightThroughTheWholeStack) {
    KeloSFKeloScheduleClass* night = ViewSchedule("NIGHT");
    ASSERT_EQ(night->GetCount(), 3);
    EXPECT_FALSE(night->HasHiddenBefore(0));
    EXPECT_FALSE(night->HasHiddenAfter(2));
    EXPECT_EQ(view->FindKelo("NIGHT")->GetTravelTime(), KeloTimeType(50));

    KeloSFKeloScheduleClass* part = ViewSchedule("PART");
    ASSERT_EQ(part->GetCount(), 4);
    EXPECT_TRUE(part->HasHiddenBefore(0));
    EXPECT_EQ(part->GetHiddenBefore(0)->GetStop()->GetCode(), "X1");
    EXPECT_TRUE(part->HasHiddenAfter(3));
    EXPECT_EQ(part->GetHiddenAfter(3)->GetStop()->GetName(), "stop X2");
    EXPECT_EQ(part->GetItem(3)->GetStop()->GetCode(), "L2");
    EXPECT_EQ(view->FindKelo("PART")->GetTravelTime(), KeloTimeType(44));
}

TEST_F(StackTest, EditsInTheBufferShowInFreshViewTimetablesBeforeTheyAreSaved) {
    KeloKeloSchedulePtrClass schedule = bufferSource->FindKelo("LINE")->GetSchedule();
    schedule->InsertStop(2, "X2")->SetArrival(KeloTimeType(8, 20));
    schedule->GetItem(4)->SetArrival(KeloTimeType(9, 5));
    KeloSFKeloScheduleClass* line = ViewSchedule("LINE");
    ASSERT_EQ(line->GetCount(), 4);
    EXPECT_TRUE(line->HasHiddenAfter(1));
    EXPECT_TRUE(line->HasHiddenBefore(2));
    EXPECT_EQ(line->GetHiddenAfter(1)->GetArrival(), KeloTimeType(8, 20));
    EXPECT_EQ(line->GetItem(3)->GetArrival(), KeloTimeType(9, 5));
    EXPECT_EQ(cache->FindKelo("LINE")->GetSchedule()->GetCount(), 4);
    EXPECT_EQ(spy->Calls("Schedule.InsertStop"), 0);
}

TEST_F(StackTest, SavingAnEditFromTheDialogBufferReachesTheCacheAndTheSource) {
    auto* dialog = new KeloCachedUpdateDataClass(bufferSource);
    KeloDataPtrClass dialogSource(dialog);
    KeloStopSchedulePtrClass entry = dialogSource->FindKelo("NIGHT")->GetSchedule()->GetItem(1);
    entry->SetArrival(KeloTimeType(23, 50));
    entry->SetStay(KeloTimeType(5));
    EXPECT_EQ(ViewSchedule("NIGHT")->GetItem(1)->GetArrival(), KeloTimeType(23, 55));

    EXPECT_TRUE(dialog->ApplyUpdates().empty());
    EXPECT_EQ(ViewSchedule("NIGHT")->GetItem(1)->GetArrival(), KeloTimeType(23, 50));
    EXPECT_EQ(source->FindKelo("NIGHT")->GetSchedule()->GetItem(1)->GetArrival(),
              KeloTimeType(23, 55));

    EXPECT_TRUE(buffer->ApplyUpdates().empty());
    EXPECT_EQ(source->FindKelo("NIGHT")->GetSchedule()->GetItem(1)->GetStay(), KeloTimeType(5));
    EXPECT_EQ(cache->FindKelo("NIGHT")->GetSchedule()->GetItem(1)->GetArrival(),
              KeloTimeType(23, 50));
    EXPECT_EQ(ViewSchedule("NIGHT")->GetItem(1)->GetStay(), KeloTimeType(5));
}

TEST_F(StackTest, CopyOverASourceThatCannotCreateStaysInTheBufferAndOnTheDiagram) {
    spy->SetReadOnly(true);
    KeloKeloPtrClass copy = bufferSource->CreateKelo("COPY");
    copy->SetName("copy");
    copy->GetSchedule()->AppendStop("L1")->SetArrival(KeloTimeType(15, 0));
    copy->GetSchedule()->AppendStop("L2")->SetArrival(KeloTimeType(15, 20));
    // The window shows the name before anyone renames the kelo, so the cache holds it.
    EXPECT_EQ(view->FindKelo("LINE")->GetName(), "line");
    bufferSource->FindKelo("LINE")->SetName("renamed");
    bufferSource->FindKelo("LINE")->GetSchedule()->GetItem(0)->SetArrival(KeloTimeType(7, 50));

    EXPECT_EQ(buffer->ApplyUpdates(), (std::vector<std::string>{"COPY"}));
    ASSERT_EQ(buffer->GetChangeCount(), 1);
    // The other changes live in the cache now, although the source ignored them.
    EXPECT_EQ(cache->FindKelo("LINE")->GetName(), "renamed");
    EXPECT_EQ(cache->FindKelo("LINE")->GetSchedule()->GetItem(0)->GetArrival(),
              KeloTimeType(7, 50));
    KeloKeloSetPtrClass kelos = view->GetKeloSet();
    ASSERT_EQ(kelos->GetCount(), 4);
    EXPECT_EQ(kelos->GetItem(3)->GetNumber(), "COPY");
    EXPECT_EQ(kelos->GetItem(3)->GetTravelTime(), KeloTimeType(20));

    // A kelo renamed before its name was ever read: the cache does not keep the name, and the
    // source ignores it, so the buffer keeps the change until a second save finds it held.
    bufferSource->FindKelo("PART")->SetName("renamed part");
    EXPECT_EQ(buffer->ApplyUpdates(), (std::vector<std::string>{"COPY", "PART"}));
    EXPECT_EQ(view->FindKelo("PART")->GetName(), "renamed part");
    EXPECT_EQ(buffer->ApplyUpdates(), (std::vector<std::string>{"COPY"}));
    EXPECT_EQ(cache->FindKelo("PART")->GetName(), "renamed part");
}

} // namespace

namespace {

TEST_F(StackTest, ACopysRouteIsLeftOutOverASourceThatKeepsNone) {
    auto* routes = KeloFindKeloRoutes(bufferSource);
    ASSERT_TRUE(routes);
    bufferSource->CreateKelo("COPY")->GetSchedule()->AppendStop("L1");
    EXPECT_TRUE(routes->SetKeloRoute("COPY", KeloFeedRouteType{"R", "", "", 3}));
    EXPECT_EQ(routes->GetKeloRoute("LINE"), std::nullopt);
    EXPECT_TRUE(buffer->ApplyUpdates().empty());
    EXPECT_EQ(buffer->GetChangeCount(), 0);
    EXPECT_FALSE(source->FindKelo("COPY").IsNull());
}

} // namespace
