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
        {{"--service-date", "20261201"}, "only used with --import-gtfs"},
        {{"plan.db"}, "unknown argument \"plan.db\""},
        {{"--exprot", "1", "a.pdf"}, "unknown argument \"--exprot\""},
        {{"--database", "a", "--database", "b"}, "given twice"},
        {{"--import-gtfs", "f", "--database", "d", "--export", "1", "x.svg"}, "together"},
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

    EXPECT_TRUE(ParseKeloCommandLine({"--demo"}).options.demo);
    EXPECT_TRUE(ParseKeloCommandLine({}).error.empty());
    EXPECT_TRUE(ParseKeloCommandLine({"--help", "--bogus-after-help-is-still-read"}).error.size());
}

} // namespace
