#include "KeloLineOf.h"

#include "InMemoryKeloData.h"

#include <gtest/gtest.h>

namespace {

TEST(KeloLineOf, KeepsEveryTimetableEntryInOrderWithDuplicatesAndNothingForAnUnknownKelo) {
    InMemoryDataSet d;
    d.stops = {{"000001", "A"}, {"000002", "B"}};
    d.kelos.push_back({"LOOP",
                       "A - B - A",
                       "",
                       {MakeRow("000001", "08:00", 0), MakeRow("000002", "08:10", 1),
                        MakeRow("000001", "08:20", -1)}});
    KeloDataPtrClass source = MakeInMemorySource(d);
    EXPECT_EQ(KeloLineOf(source, "LOOP"), (std::vector<std::string>{"000001", "000002", "000001"}));
    EXPECT_TRUE(KeloLineOf(source, "NONE").empty());
}

} // namespace
