#include "KeloDBBuilderClass.h"
#include "KeloDBBuiltInExport.h"
#include "KeloDBConnectionClass.h"
#include "KeloDBDataClass.h"
#include "KeloDBErrorClass.h"
#include "KeloDBOpen.h"
#include "KeloDBSchema.h"
#include "KeloDBTestSupport.h"

#include <gtest/gtest.h>

namespace {

std::int64_t Count(KeloDBConnectionClass& connection, const std::string& table) {
    return connection.QueryInt(("SELECT count(*) FROM " + table).c_str());
}

TEST(KeloDBBuilder, NothingIsLeftBehindWithoutCommitOrAfterAFailedCall) {
    KeloDBTempDirType dir;
    {
        KeloDBBuilderClass builder(dir.File("a.db"));
        builder.AddStop("1", "A");
        EXPECT_THROW(builder.AddStop("1", "again"), KeloDBErrorClass);
        EXPECT_THROW(builder.AddEntry("none", "1", KeloTimeType(), KeloTimeType()),
                     KeloDBErrorClass);
        EXPECT_THROW(builder.AddKelo("K", "", "no such bus"), KeloDBErrorClass);
        EXPECT_THROW(builder.AddLink("1", "1", 2.0f), KeloDBErrorClass);
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path));
}

TEST(KeloDBBuilder, RefusesAnExistingFileAndLeavesItAlone) {
    KeloDBTempDirType dir;
    { std::ofstream(dir.File("x.db")) << "keep me"; }
    EXPECT_THROW(KeloDBBuilderClass builder(dir.File("x.db")), KeloDBErrorClass);
    EXPECT_EQ(KeloDBReadBytes(dir.File("x.db")), "keep me");
}

TEST(KeloDBBuilder, WritesTextsByteForByteAndOneDistanceForBothDirections) {
    KeloDBTempDirType dir;
    const std::string allBytes = [] {
        std::string bytes;
        for (int c = 1; c < 256; ++c)
            bytes += static_cast<char>(c);
        return bytes;
    }();
    {
        KeloDBBuilderClass builder(dir.File("t.db"));
        builder.AddBus("\xCF\xC0\xC7-672", "", 0);
        builder.AddStop("000001", allBytes);
        builder.AddStop("000002", "");
        builder.AddStop("000003", "C");
        builder.AddLink("000002", "000001", 5.5f);
        builder.AddLink("000001", "000003", 1.0f);
        builder.AddLink("000003", "000001", 1.25f); // the later distance wins, both ways
        builder.AddKelo("\xCF"
                        "1",
                        allBytes, "\xCF\xC0\xC7-672");
        builder.AddEntry("\xCF"
                         "1",
                         "000001", KeloTimeType(8, 0), KeloTimeType(0));
        builder.AddEntry("\xCF"
                         "1",
                         "000002", KeloTimeType(9, 0), KeloTimeType());
        builder.Commit();
    }
    KeloDBOpenResultType opened = KeloDBOpen(dir.File("t.db"));
    ASSERT_EQ(opened.status, KeloDBOpenStatusType::Ok) << opened.detail;
    EXPECT_EQ(Count(*opened.connection, "link"), 2);
    KeloDBDataClass source(opened.connection, {});
    EXPECT_EQ(source.FindStop("000001")->GetName(), allBytes);
    EXPECT_EQ(source.FindStop("000002")->GetName(), "");
    KeloKeloPtrClass kelo = source.FindKelo("\xCF"
                                            "1");
    ASSERT_FALSE(kelo.IsNull());
    EXPECT_EQ(kelo->GetName(), allBytes);
    EXPECT_EQ(kelo->GetBus()->GetModel(), "\xCF\xC0\xC7-672");
    EXPECT_FLOAT_EQ(source.GetTopology()->GetDistance("000001", "000002"), 5.5f);
    EXPECT_FLOAT_EQ(source.GetTopology()->GetDistance("000001", "000003"), 1.25f);
    EXPECT_FLOAT_EQ(source.GetTopology()->GetDistance("000003", "000001"), 1.25f);
    EXPECT_FALSE(source.GetTopology()->HasLink("000002", "000003"));
    EXPECT_TRUE(kelo->GetSchedule()->GetItem(1)->GetStay().IsEmpty());
    EXPECT_EQ(kelo->GetSchedule()->GetItem(0)->GetArrival(), KeloTimeType(8, 0));
}

TEST(KeloDBBuilder, BuiltInDataSetKeepsItsCounts) {
    KeloDBTempDirType dir;
    KeloDBWriteBuiltInDataSet(dir.File("b.db"));
    KeloDBOpenResultType opened = KeloDBOpen(dir.File("b.db"));
    ASSERT_EQ(opened.status, KeloDBOpenStatusType::Ok) << opened.detail;
    KeloDBConnectionClass& db = *opened.connection;
    EXPECT_EQ(Count(db, "stop"), 441);
    EXPECT_EQ(2 * Count(db, "link"), 1138);
    EXPECT_EQ(Count(db, "bus"), 23);
    EXPECT_EQ(Count(db, "kelo"), 176);
    EXPECT_EQ(Count(db, "entry"), 2139);
    EXPECT_EQ(db.QueryInt("PRAGMA user_version"), KeloDBSchemaVersion);
    EXPECT_EQ(db.QueryInt("PRAGMA foreign_keys"), 1);
    KeloDBStatementClass mode(db.GetHandle(), "PRAGMA journal_mode");
    ASSERT_TRUE(mode.Step());
    EXPECT_EQ(mode.ColumnBytes(0), "wal");
    // Every look-up by key goes through an index.
    KeloDBStatementClass plan(db.GetHandle(),
                              "EXPLAIN QUERY PLAN SELECT e.id FROM entry e JOIN stop s "
                              "ON s.id = e.stop_id WHERE e.kelo_id = 1 AND e.seq = 0");
    std::string plans;
    while (plan.Step())
        plans += plan.ColumnBytes(3) + "\n";
    EXPECT_EQ(plans.find("SCAN"), std::string::npos) << plans;
}

} // namespace
