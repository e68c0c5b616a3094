#include "KeloTimetableCommands.h"
#include "DocumentTestSupport.h"

#include <gtest/gtest.h>

namespace {

// The timetable edits the dialog and the document share, on the kelo "02" (A, C, D).
TEST(TimetableCommandsTest, RulesOfEachEdit) {
    KeloDataPtrClass source = MakeDocumentSource();
    KeloTopologyPtrClass topology = source->GetTopology();
    KeloKeloSchedulePtrClass schedule = source->FindKelo("02")->GetSchedule();

    EXPECT_FALSE(KeloRemoveTimetableStop(*schedule, *topology, 1)); // A - D unknown
    EXPECT_FALSE(KeloCanInsertTimetableStop(*schedule, *topology, 0, "000004"));
    EXPECT_TRUE(KeloCanInsertTimetableStop(*schedule, *topology, 0, "000002"));
    EXPECT_TRUE(KeloInsertTimetableStop(*schedule, *topology, 1, "000002"));
    EXPECT_EQ(schedule->GetItem(1)->GetArrival().GetTotalMinutes(), 0);
    EXPECT_TRUE(schedule->GetItem(1)->GetStay().IsEmpty());
    EXPECT_FALSE(KeloRemoveTimetableStop(*schedule, *topology, 2)); // B - D unknown
    EXPECT_TRUE(KeloRemoveTimetableStop(*schedule, *topology, 3));  // the last goes unchecked
    EXPECT_FALSE(KeloRemoveTimetableStop(*schedule, *topology, 1)); // A - C unknown
    EXPECT_TRUE(KeloRemoveTimetableStop(*schedule, *topology, 0));  // the first unchecked
    EXPECT_EQ(schedule->GetCount(), 2);
    EXPECT_TRUE(KeloAppendTimetableStop(*schedule, "000004"));
    EXPECT_EQ(schedule->GetItem(2)->GetArrival().GetTotalMinutes(), 0);
}

// The recalculation from the first stop at 60 km/h: 10 km take 11 minutes, then the stay.
TEST(TimetableCommandsTest, RecalculateRunsUntilUnknownLink) {
    KeloDataPtrClass source = MakeDocumentSource();
    KeloKeloSchedulePtrClass schedule = source->FindKelo("01")->GetSchedule();
    std::vector<int> runs;
    EXPECT_TRUE(KeloRecalculateAtSpeed(*schedule, *source->GetTopology(), 0, 60, {},
                                       [&](int j) { runs.push_back(j); }));
    EXPECT_EQ(schedule->GetItem(1)->GetArrival().GetTotalMinutes(), 8 * 60 + 5 + 11);
    EXPECT_EQ(schedule->GetItem(2)->GetArrival().GetTotalMinutes(), 8 * 60 + 16 + 2 + 21);
    EXPECT_EQ(runs, (std::vector<int>{0, 1}));
    EXPECT_FALSE(KeloSetEntryTimes(*schedule, 0, KeloTimeType(8, 0), KeloTimeType(5)));
}

} // namespace
