// Two planners on one plan: a save never overwrites a kelo another planner saved since it was
// read, and the rest of the save still goes through.
#include "Cp1251.h"
#include "KeloChangeFeedClass.h"
#include "KeloDBBuiltInExport.h"
#include "KeloDBConnectionClass.h"
#include "KeloDBDataClass.h"
#include "KeloDBOpen.h"
#include "KeloSchema.h"
#include "KeloSharedPlanSupport.h"

#include <algorithm>

namespace {

const std::string Kelo02P = Utf8ToCp1251("02П").bytes;

KeloDataPtrClass OpenFile(const std::string& path, int busyTimeoutMs = 2000) {
    KeloDBOpenResultType opened = KeloDBOpen(path, busyTimeoutMs);
    EXPECT_EQ(opened.status, KeloDBOpenStatusType::Ok) << opened.detail;
    return KeloDataPtrClass(new KeloDBDataClass(opened.connection, {}));
}

struct Planner : KeloPlannerType {
    explicit Planner(const std::string& path) : KeloPlannerType(OpenFile(path)) {}
};

KeloDataCUApplyResultType SaveAll(Planner& planner) {
    return planner.SaveAll();
}

std::int64_t StoredVersion(Planner& planner, const std::string& number) {
    return planner.StoredVersion(number);
}

class StackSharedPlanTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kelo-shared-XXXXXX").string();
        dir = ::mkdtemp(pattern.data());
        path = (dir / "plan.db").string();
        KeloDBWriteBuiltInDataSet(path);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::filesystem::path dir;
    std::string path;
};

} // namespace

TEST_F(StackSharedPlanTest, TheLaterSaveOfOneKeloIsHeldBackAndTheRestIsWritten) {
    Planner a(path), b(path);
    const std::string before = b.Name(Kelo02P);
    b.buffer->FindKelo("100")->SetName("B's 100");
    b.buffer->FindKelo(Kelo02P)->SetName("B's 02P");
    a.buffer->FindKelo(Kelo02P)->SetName("A's 02P");
    EXPECT_TRUE(SaveAll(a).heldBack.empty());
    EXPECT_EQ(StoredVersion(a, Kelo02P), 2);

    const KeloDataCUApplyResultType result = SaveAll(b);
    ASSERT_TRUE(b.outcome.saved) << b.outcome.error;
    ASSERT_EQ(result.heldBack.size(), 1u);
    EXPECT_EQ(result.heldBack[0].number, Kelo02P);
    EXPECT_TRUE(result.heldBack[0].changedByOther);
    EXPECT_EQ(b.bufferObject->GetChangeCount(), 1);
    EXPECT_EQ(b.Name(Kelo02P), "B's 02P");

    Planner check(path);
    EXPECT_EQ(check.Name(Kelo02P), "A's 02P");
    EXPECT_EQ(check.Name("100"), "B's 100");

    // Reloading takes A's save as read: the next save writes B's change over it, knowingly.
    b.bufferObject->ReloadKelo(Kelo02P);
    EXPECT_EQ(b.Name(Kelo02P), "B's 02P");
    EXPECT_TRUE(SaveAll(b).heldBack.empty());
    EXPECT_EQ(Planner(path).Name(Kelo02P), "B's 02P");
    EXPECT_EQ(StoredVersion(b, Kelo02P), 3);
    EXPECT_NE(before, "B's 02P");
}

TEST_F(StackSharedPlanTest, DeletionsAndNewNumbersAreRefusedTheSameWayAndCanBeDiscarded) {
    Planner a(path), b(path);
    b.buffer->DeleteKelo(Kelo02P);
    b.buffer->CreateKelo("NEW")->SetName("B's new");
    a.buffer->FindKelo(Kelo02P)->SetName("A's 02P");
    a.buffer->CreateKelo("NEW")->SetName("A's new");
    EXPECT_TRUE(SaveAll(a).heldBack.empty());

    const KeloDataCUApplyResultType result = SaveAll(b);
    ASSERT_EQ(result.heldBack.size(), 2u);
    EXPECT_TRUE(result.heldBack[0].changedByOther);
    EXPECT_TRUE(result.heldBack[1].changedByOther);
    EXPECT_FALSE(result.heldBack[1].created);
    EXPECT_EQ(b.bufferObject->GetChangeCount(), 2);

    b.bufferObject->DiscardKelo(Kelo02P);
    b.bufferObject->DiscardKelo("NEW");
    EXPECT_EQ(b.bufferObject->GetChangeCount(), 0);
    EXPECT_EQ(b.Name(Kelo02P), "A's 02P");
    EXPECT_EQ(b.Name("NEW"), "A's new");
}

TEST_F(StackSharedPlanTest, TheFeedNamesTheKelosAnotherConnectionSaved) {
    Planner a(path), b(path);
    KeloChangeFeedClass* feed = KeloFindChangeFeed(a.bottom);
    ASSERT_NE(feed, nullptr);
    EXPECT_TRUE(feed->TakeChangedKelos().empty());
    b.buffer->FindKelo(Kelo02P)->SetName("B's 02P");
    b.buffer->DeleteKelo("100");
    EXPECT_TRUE(SaveAll(b).heldBack.empty());
    std::vector<std::string> changed = feed->TakeChangedKelos();
    std::sort(changed.begin(), changed.end());
    EXPECT_EQ(changed, (std::vector<std::string>{Kelo02P, "100"}));
    EXPECT_TRUE(feed->TakeChangedKelos().empty());
}

TEST_F(StackSharedPlanTest, AFileOfTheFirstVersionIsUpgradedInPlace) {
    {
        KeloDBConnectionClass raw(path, KeloDBConnectionClass::ModeType::OpenExisting, 0);
        raw.Execute("ALTER TABLE kelo DROP COLUMN version; DROP TABLE agency;"
                    "ALTER TABLE stop DROP COLUMN lat; ALTER TABLE stop DROP COLUMN lon;"
                    "ALTER TABLE kelo DROP COLUMN route_id;"
                    "ALTER TABLE kelo DROP COLUMN route_short_name;"
                    "ALTER TABLE kelo DROP COLUMN route_long_name;"
                    "ALTER TABLE kelo DROP COLUMN route_type; ALTER TABLE kelo DROP COLUMN trip_id;"
                    "PRAGMA user_version = 1");
    }
    Planner planner(path);
    EXPECT_EQ(StoredVersion(planner, Kelo02P), 1);
    EXPECT_EQ(planner.buffer->GetKeloSet()->GetCount(), 176);
    KeloDBConnectionClass raw(path, KeloDBConnectionClass::ModeType::OpenExisting, 0);
    EXPECT_EQ(raw.QueryInt("PRAGMA user_version"), KeloSchemaVersion);
}

TEST_F(StackSharedPlanTest, TwoProcessesSavingOverlappingKelosLoseNoUpdate) {
    KeloRaceTwoPlanners([&] { return OpenFile(path, 20000); }, dir);
}

TEST_F(StackSharedPlanTest, CopiesSavedToAFileKeepTheirOriginalsRoute) {
    KeloExpectRoutesCarried(OpenFile(path), Kelo02P, "100");
}
