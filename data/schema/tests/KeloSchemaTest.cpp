// The shared upgrade path over a store that records what it is asked to do.
#include "KeloSchema.h"

#include <gtest/gtest.h>

namespace {

struct RecordingStore : KeloSchemaStoreClass {
    const KeloSchemaDialectType& GetDialect() const override { return dialect; }
    void BeginSchemaChange() override {
        log.push_back("begin");
        pending = version;
    }
    void CommitSchemaChange() override { log.push_back("commit"); }
    void RollbackSchemaChange() override {
        log.push_back("rollback");
        version = pending;
    }
    std::int64_t ReadSchemaVersion() override { return version; }
    void WriteSchemaVersion(std::int64_t v) override { version = v; }
    void ExecuteSchemaSql(const std::string& sql) override {
        if (fail)
            throw std::runtime_error("disk full");
        log.push_back(sql);
    }

    KeloSchemaDialectType dialect{"INTEGER PRIMARY KEY", "BLOB", "BIGINT", ""};
    std::int64_t version = 1;
    std::int64_t pending = 0;
    bool fail = false;
    std::vector<std::string> log;
};

} // namespace

TEST(KeloSchemaTest, StepsLeadFromTheBaseToTheCurrentVersionWithoutGaps) {
    std::int64_t next = 1;
    for (const KeloSchemaStepType& step : KeloSchemaSteps())
        EXPECT_EQ(step.from, next++);
    EXPECT_EQ(next, KeloSchemaVersion);
}

TEST(KeloSchemaTest, RenderPutsTheDialectsWordsInPlaceOfTheTokens) {
    const KeloSchemaDialectType pg{"BIGSERIAL PRIMARY KEY", "BYTEA", "BIGINT", ""};
    EXPECT_EQ(KeloSchemaRender("id {ID}, t {BYTES}, n {INT}){WITHOUT_ROWID}; {x}", pg),
              "id BIGSERIAL PRIMARY KEY, t BYTEA, n BIGINT); {x}");
    EXPECT_EQ(KeloSchemaBaseTables(pg).find('{'), std::string::npos);
}

TEST(KeloSchemaTest, AnOlderDatabaseIsUpgradedOneTransactionPerStep) {
    RecordingStore store;
    EXPECT_EQ(KeloSchemaUpgrade(store), 1);
    EXPECT_EQ(store.version, KeloSchemaVersion);
    ASSERT_EQ(store.log.size(), 3u * KeloSchemaSteps().size());
    EXPECT_EQ(store.log[0], "begin");
    EXPECT_EQ(store.log[1], "ALTER TABLE kelo ADD COLUMN version BIGINT NOT NULL DEFAULT 1");
    EXPECT_EQ(store.log[2], "commit");

    store.log.clear();
    EXPECT_EQ(KeloSchemaUpgrade(store), KeloSchemaVersion);
    EXPECT_TRUE(store.log.empty());
}

TEST(KeloSchemaTest, ANewerDatabaseIsRefusedUntouched) {
    RecordingStore store;
    store.version = KeloSchemaVersion + 1;
    try {
        KeloSchemaUpgrade(store);
        FAIL() << "a newer schema was accepted";
    } catch (const KeloSchemaErrorClass& error) {
        EXPECT_TRUE(error.IsNewer());
    }
    EXPECT_TRUE(store.log.empty());
    EXPECT_EQ(store.version, KeloSchemaVersion + 1);
}

TEST(KeloSchemaTest, AFailedStepIsRolledBackAndReported) {
    RecordingStore store;
    store.fail = true;
    try {
        KeloSchemaUpgrade(store);
        FAIL() << "a failed step went unnoticed";
    } catch (const KeloSchemaErrorClass& error) {
        EXPECT_FALSE(error.IsNewer());
        EXPECT_NE(std::string(error.what()).find("disk full"), std::string::npos);
    }
    EXPECT_EQ(store.log, (std::vector<std::string>{"begin", "rollback"}));
    EXPECT_EQ(store.version, 1);
}
