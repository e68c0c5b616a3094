// The server stopped in the middle of a save: the plan keeps its state from before the save,
// and the planner's buffer keeps every change to be saved again.
#include "KeloPGTestSupport.h"
#include "KeloSharedPlanSupport.h"

#include <cstdlib>

namespace {

// pg_ctlcluster stops and starts the throw-away cluster pg_virtualenv made, as root too.
int Cluster(const std::string& action) {
    const std::string command = "pg_ctlcluster $(pg_lsclusters -h | awk -v p=\"$PGPORT\" "
                                "'$3 == p { print $1, $2 }') " +
                                action + " >/dev/null 2>&1";
    return std::system(command.c_str());
}

} // namespace

TEST(KeloPGFault, AServerStoppedMidSaveLeavesTheStateBeforeAndTheBufferKeepsTheChanges) {
    KELO_REQUIRE_SERVER();
    KeloPGTestDatabaseType database;
    KeloPGOpenResultType opened = KeloPGOpen(database.ConnInfo());
    ASSERT_EQ(opened.status, KeloPGOpenStatusType::Ok) << opened.detail;
    KeloPlannerType planner(KeloDataPtrClass(new KeloPGDataClass(opened.connection, {})));
    KeloKeloSetPtrClass kelos = planner.buffer->GetKeloSet();
    std::vector<std::string> numbers, names;
    for (std::int32_t i = 0; i < 6; ++i) {
        numbers.push_back(kelos->GetItem(i)->GetNumber());
        names.push_back(planner.Name(numbers.back()));
        planner.buffer->FindKelo(numbers.back())->SetName("changed " + std::to_string(i));
    }

    planner.outcome = KeloSaveInTransaction(
        KeloFindTransaction(planner.bottom), *planner.cacheObject, *planner.bufferObject, [&] {
            // Some rows reach the server, then it goes away and the rest of the save fails.
            for (std::size_t i = 0; i < 3; ++i)
                planner.cache->FindKelo(numbers[i])->SetName("written");
            ASSERT_EQ(Cluster("stop -m immediate"), 0);
            planner.bufferObject->ApplyUpdates();
        });
    EXPECT_FALSE(planner.outcome.saved);
    EXPECT_FALSE(planner.outcome.error.empty());
    EXPECT_EQ(planner.bufferObject->GetChangeCount(), 6);
    KeloCachedUpdateDataClass::SnapshotType kept = planner.bufferObject->TakeSnapshot();
    for (std::size_t i = 0; i < numbers.size(); ++i)
        EXPECT_EQ(kept.modified.GetItem(std::int32_t(i))->name, "changed " + std::to_string(i));
    ASSERT_EQ(Cluster("start"), 0);

    KeloPGOpenResultType again = KeloPGOpen(database.ConnInfo());
    ASSERT_EQ(again.status, KeloPGOpenStatusType::Ok) << again.detail;
    KeloPGDataClass check(again.connection, {});
    for (std::size_t i = 0; i < numbers.size(); ++i)
        EXPECT_EQ(check.FindKelo(numbers[i])->GetName(), names[i]);
}
