#include "KeloGtfsImportCommand.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The planner's path end to end: import a feed, then draw one of its lines from the database.
TEST(KeloImportThenExport, ImportedKeloIsDrawnFromTheDatabase) {
    std::string pattern = (std::filesystem::temp_directory_path() / "kelo-e2e-XXXXXX").string();
    const std::filesystem::path dir = ::mkdtemp(pattern.data());
    const std::string database = (dir / "plan.db").string();
    const std::string svg = (dir / "line.svg").string();
    std::ostringstream out, err;
    ASSERT_EQ(RunKeloGtfsImportCommand(KELO_GTFS_FIXTURE, database, "", out, err), 0) << err.str();

    const std::string log = (dir / "export.log").string();
    const std::string command = std::string("'") + KELO_BINARY + "' --database '" + database +
                                "' --export 101 '" + svg + "' >'" + log + "' 2>&1";
    const int status = std::system(command.c_str());
    const std::string output = ReadFile(log);
    const std::string drawn = ReadFile(svg);
    std::filesystem::remove_all(dir);
    ASSERT_EQ(status, 0) << output;
    // The line of kelo 101 runs from the first stop to the third, both named in the picture.
    EXPECT_NE(drawn.find("<svg"), std::string::npos);
    EXPECT_NE(drawn.find("Винница Центр"), std::string::npos);
    EXPECT_NE(drawn.find("Вороновица, центр"), std::string::npos);
}

// The feed export as the planner runs it: from the imported plan, and refused for the
// built-in data, whose stops have no coordinates.
TEST(KeloImportThenExport, TheImportedPlanLeavesAsAFeedAndTheBuiltInDataCannot) {
    std::string pattern = (std::filesystem::temp_directory_path() / "kelo-e2e-XXXXXX").string();
    const std::filesystem::path dir = ::mkdtemp(pattern.data());
    const std::string database = (dir / "plan.db").string();
    std::ostringstream out, err;
    ASSERT_EQ(RunKeloGtfsImportCommand(KELO_GTFS_FIXTURE, database, "", out, err), 0) << err.str();
    auto run = [&](const std::string& arguments, const std::string& zip) {
        const std::string command = std::string("'") + KELO_BINARY + "' " + arguments +
                                    " --export-gtfs '" + zip + "' >'" + (dir / "log").string() +
                                    "' 2>&1";
        return std::system(command.c_str());
    };
    const std::string feed = (dir / "feed.zip").string();
    const int exported = run("--database '" + database + "'", feed);
    const std::string exportLog = ReadFile((dir / "log").string());
    const std::string builtIn = (dir / "built-in.zip").string();
    const int refused = run("", builtIn);
    const std::string refusal = ReadFile((dir / "log").string());
    const bool feedWritten = std::filesystem::exists(feed);
    const bool builtInWritten = std::filesystem::exists(builtIn);
    std::filesystem::remove_all(dir);
    EXPECT_EQ(exported, 0) << exportLog;
    EXPECT_TRUE(feedWritten);
    EXPECT_NE(exportLog.find("exported 6 trips"), std::string::npos) << exportLog;
    EXPECT_EQ(WEXITSTATUS(refused), 2);
    EXPECT_NE(refusal.find("the built-in data set has none"), std::string::npos) << refusal;
    EXPECT_FALSE(builtInWritten);
}

} // namespace
