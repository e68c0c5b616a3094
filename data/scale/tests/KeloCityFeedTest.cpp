#include "KeloCityFeed.h"
#include "KeloDBDataClass.h"
#include "KeloDBOpen.h"
#include "KeloDBPlanCopy.h"
#include "KeloGtfsImporterClass.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string Slurp(const std::filesystem::path& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

std::filesystem::path Scratch(const char* name) {
    const auto dir = std::filesystem::temp_directory_path() / ("kelo-city-" + std::string(name));
    std::filesystem::remove_all(dir);
    return dir;
}

TEST(KeloCityFeed, OneSeedWritesOneFeedAndAnotherSeedAnother) {
    const auto a = Scratch("a"), b = Scratch("b"), c = Scratch("c");
    WriteKeloCityFeed(a.string(), 7);
    WriteKeloCityFeed(b.string(), 7);
    WriteKeloCityFeed(c.string(), 8);
    for (const char* table : {"stops.txt", "routes.txt", "trips.txt", "stop_times.txt"})
        EXPECT_EQ(Slurp(a / table), Slurp(b / table)) << table;
    EXPECT_NE(Slurp(a / "stop_times.txt"), Slurp(c / "stop_times.txt"));
    for (const auto& dir : {a, b, c})
        std::filesystem::remove_all(dir);
}

// The feed has the shape of the operator's and imports whole; the kelo it names runs the
// trunk: 60 stops, and its line gathers more kelos than any other route could.
TEST(KeloCityFeed, ImportsWithTheShapeOfACityNetwork) {
    const auto dir = Scratch("import");
    const KeloCityFeedSummaryType feed = WriteKeloCityFeed((dir / "feed").string());
    EXPECT_EQ(feed.routes, 200);
    EXPECT_NEAR(feed.stops, 1900, 100);
    EXPECT_NEAR(feed.trips, 10000, 1500);
    EXPECT_NEAR(double(feed.stopTimes), 270000, 40000);

    KeloGtfsImportOptionsType options;
    options.feed = (dir / "feed").string();
    const std::string database = (dir / "city.db").string();
    KeloDBPlanWriterClass sink(database);
    const KeloGtfsImportSummaryType imported = KeloGtfsImporterClass().Run(options, sink);
    EXPECT_EQ(imported.kelos, std::uint64_t(feed.trips));
    EXPECT_EQ(imported.rows, std::uint64_t(feed.stopTimes));

    KeloDBOpenResultType opened = KeloDBOpen(database);
    ASSERT_EQ(opened.status, KeloDBOpenStatusType::Ok) << opened.detail;
    KeloDBDataClass all(opened.connection, {});
    KeloKeloPtrClass first = all.FindKelo(feed.busiestKelo);
    ASSERT_FALSE(first.IsNull());
    KeloKeloSchedulePtrClass trunk = first->GetSchedule();
    ASSERT_EQ(trunk->GetCount(), 60);
    std::vector<std::string> line;
    for (int i = 0; i < trunk->GetCount(); ++i)
        line.push_back(trunk->GetItem(i)->GetStop()->GetCode());
    const int onLine = KeloDBDataClass(opened.connection, line).GetKeloSet()->GetCount();
    EXPECT_GT(onLine, 2 * 228); // both ways of the trunk, and routes along its street
    opened.connection.reset();
    std::filesystem::remove_all(dir);
}

} // namespace
