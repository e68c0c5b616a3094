#include "KeloDBConnectionClass.h"
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

// Runs the program in `dir`; its exit status and what it printed.
std::pair<int, std::string> RunKelo(const std::filesystem::path& dir,
                                    const std::string& arguments) {
    const std::string command =
        "cd '" + dir.string() + "' && '" + KELO_BINARY + "' " + arguments + " >kelo.log 2>&1";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile((dir / "kelo.log").string())};
}

// Commands that only read leave the file as it was, byte for byte, even the journal mode in
// its header, whether they draw or refuse; and names are file names, never URIs.
TEST(KeloImportThenExport, ReadingCommandsChangeNoByteAndNamesAreFileNames) {
    std::string pattern = (std::filesystem::temp_directory_path() / "kelo-e2e-XXXXXX").string();
    const std::filesystem::path dir = ::mkdtemp(pattern.data());
    const std::string database = (dir / "plan.db").string();
    std::ostringstream out, err;
    ASSERT_EQ(RunKeloGtfsImportCommand(KELO_GTFS_FIXTURE, database, "", out, err), 0) << err.str();
    KeloDBConnectionClass(database, KeloDBConnectionClass::ModeType::OpenExisting, 0)
        .Execute("PRAGMA journal_mode = DELETE");
    const std::string before = ReadFile(database);
    EXPECT_EQ(RunKelo(dir, "--database plan.db --export 101 line.svg").first, 0);
    EXPECT_EQ(ReadFile(database), before);

    KeloDBConnectionClass(database, KeloDBConnectionClass::ModeType::OpenExisting, 0)
        .Execute("UPDATE entry SET seq = seq + 5 WHERE kelo_id = 1");
    const std::string damaged = ReadFile(database);
    const auto [status, output] = RunKelo(dir, "--database plan.db --export 101 again.svg");
    EXPECT_EQ(status, 2);
    EXPECT_NE(output.find("повреждена"), std::string::npos) << output;
    EXPECT_EQ(ReadFile(database), damaged);
    EXPECT_FALSE(std::filesystem::exists(dir / "again.svg"));

    // "file:plan.db?x=" is a new file of that name, not a way into plan.db.
    const auto imported = RunKelo(dir, std::string("--import-gtfs '") + KELO_GTFS_FIXTURE +
                                           "' --database 'file:plan.db?x='");
    EXPECT_EQ(imported.first, 0) << imported.second;
    EXPECT_EQ(ReadFile(database), damaged);
    EXPECT_TRUE(std::filesystem::exists(dir / "file:plan.db?x="));
    std::filesystem::remove_all(dir);
}

// The feed export as the planner runs it: from the imported plan, and refused for the
// built-in data, whose stops have no coordinates.
TEST(KeloImportThenExport, TheImportedPlanLeavesAsAFeedAndTheBuiltInDataCannot) {
    std::string pattern = (std::filesystem::temp_directory_path() / "kelo-e2e-XXXXXX").string();
    const std::filesystem::path dir = ::mkdtemp(pattern.data());
    std::ostringstream out, err;
    ASSERT_EQ(RunKeloGtfsImportCommand(KELO_GTFS_FIXTURE, (dir / "plan.db").string(), "", out, err),
              0)
        << err.str();
    const auto exported = RunKelo(dir, "--database plan.db --export-gtfs feed.zip");
    const auto refused = RunKelo(dir, "--demo --export-gtfs built-in.zip");
    const bool feedWritten = std::filesystem::exists(dir / "feed.zip");
    const bool builtInWritten = std::filesystem::exists(dir / "built-in.zip");
    std::filesystem::remove_all(dir);
    EXPECT_EQ(exported.first, 0) << exported.second;
    EXPECT_TRUE(feedWritten);
    EXPECT_NE(exported.second.find("exported 6 trips"), std::string::npos) << exported.second;
    EXPECT_EQ(refused.first, 2);
    EXPECT_NE(refused.second.find("the built-in data set has none"), std::string::npos)
        << refused.second;
    EXPECT_FALSE(builtInWritten);
}

} // namespace
