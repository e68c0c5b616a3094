#include "KeloCommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct RefusalCase {
    std::vector<std::string> arguments;
    std::string errorPart;
};

TEST(KeloCommandLine, RefusesWhatCannotBeCarriedOut) {
    const std::vector<RefusalCase> cases = {
        {{"--export", "02П"}, "--export needs"},
        {{"--database"}, "--database needs"},
        {{"--import-gtfs", "feed.zip"}, "needs --database"},
        {{"--service-date", "20260230x", "--import-gtfs", "f", "--database", "d"}, "YYYYMMDD"},
        {{"--service-date", "20261301", "--import-gtfs", "f", "--database", "d"}, "YYYYMMDD"},
        {{"--service-date", "20260231", "--import-gtfs", "f", "--database", "d"}, "YYYYMMDD"},
        {{"--service-date", "20261201"}, "only used with --import-gtfs"},
        {{"plan.db"}, "unknown argument \"plan.db\""},
        {{"--exprot", "1", "a.pdf"}, "unknown argument \"--exprot\""},
        {{"--database", "a", "--database", "b"}, "given twice"},
        {{"--import-gtfs", "f", "--database", "d", "--export", "1", "x.svg"}, "together"},
        {{"--check"}, "--check needs a kelo number"},
        {{"--check", "1", "--export", "1", "x.svg"}, "cannot be used with"},
        {{"--min-interval", "5"}, "only used with --check"},
        {{"--check", "1", "--min-interval", "721"}, "from 0 to 720"},
        {{"--check", "1", "--min-interval", "2.5"}, "from 0 to 720"},
        {{"--copy-database", "a.db"}, "--copy-database needs"},
        {{"--copy-database", "a.db", "b.db", "--database", "c.db"}, "on its own"},
        {{"--export-gtfs"}, "--export-gtfs needs"},
        {{"--export-gtfs", "a.zip", "--start-date", "2026-01-01"}, "YYYYMMDD"},
        {{"--end-date", "20260101"}, "only used with --export-gtfs"},
        {{"--agency-name", "A"}, "only used with --export-gtfs"},
        {{"--export-gtfs", "a.zip", "--agency-name", "A"}, "needs --agency-timezone"},
        {{"--export-gtfs", "a.zip", "--export", "1", "x.svg"}, "cannot be used with"},
        {{"--demo", "--database", "d"}, "--demo cannot"},
    };
    for (const RefusalCase& c : cases) {
        const KeloCommandLineParseType parsed = ParseKeloCommandLine(c.arguments);
        EXPECT_NE(parsed.error.find(c.errorPart), std::string::npos)
            << c.arguments.front() << ": " << parsed.error;
    }
}

TEST(KeloCommandLine, ReadsEveryOptionAndPassesQtOnesOver) {
    const KeloCommandLineParseType parsed = ParseKeloCommandLine(
        {"-platform", "offscreen", "--database", "plan.db", "--export", "02П", "out.svg"});
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.database, "plan.db");
    EXPECT_EQ(parsed.options.exportNumber, "02П");
    EXPECT_EQ(parsed.options.exportFile, "out.svg");
    EXPECT_FALSE(parsed.options.WantsImport());

    const KeloCommandLineParseType import = ParseKeloCommandLine(
        {"--import-gtfs", "feed", "--database", "new.db", "--service-date", "20261209"});
    ASSERT_EQ(import.error, "");
    EXPECT_EQ(import.options.importFeed, "feed");
    EXPECT_EQ(import.options.serviceDate, "20261209");

    const KeloCommandLineParseType check =
        ParseKeloCommandLine({"--database", "plan.db", "--check", "134", "--min-interval", "0"});
    ASSERT_EQ(check.error, "");
    EXPECT_TRUE(check.options.WantsCheck());
    EXPECT_EQ(check.options.checkNumber, "134");
    EXPECT_EQ(check.options.minimumInterval, 0);
    EXPECT_EQ(ParseKeloCommandLine({"--check", "1"}).options.minimumInterval, 3);
    const KeloCommandLineParseType copy =
        ParseKeloCommandLine({"--copy-database", "plan.db", "postgresql://anna@server/winter"});
    ASSERT_EQ(copy.error, "");
    EXPECT_EQ(copy.options.copyFrom, "plan.db");
    EXPECT_EQ(copy.options.copyTo, "postgresql://anna@server/winter");
    const KeloCommandLineParseType feed = ParseKeloCommandLine(
        {"--export-gtfs", "out.zip", "--database", "p.db", "--start-date", "20260101", "--end-date",
         "20261231", "--agency-name", "Лінії", "--agency-timezone", "Europe/Kyiv", "--agency-url",
         "https://a.org", "--agency-lang", "uk"});
    ASSERT_EQ(feed.error, "");
    EXPECT_EQ(feed.options.exportGtfs, "out.zip");
    EXPECT_EQ(feed.options.endDate, "20261231");
    EXPECT_EQ(feed.options.agencyName, "Лінії");
    EXPECT_EQ(feed.options.agencyLanguage, "uk");

    EXPECT_TRUE(ParseKeloCommandLine({"--demo"}).options.demo);
    EXPECT_TRUE(ParseKeloCommandLine({}).error.empty());
    EXPECT_TRUE(ParseKeloCommandLine({"--help", "--bogus-after-help-is-still-read"}).error.size());
}

} // namespace
