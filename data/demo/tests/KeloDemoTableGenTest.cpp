// The table compiler: what it makes of good tables, and how it refuses bad ones.

#include "KeloDemoTableCompiler.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>

namespace {

namespace fs = std::filesystem;

struct ToolRun {
    int status = -1;
    std::string output;
};

class KeloDemoTableGenTest : public testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("kelo_tablegen_" + std::to_string(::getpid()) + "_" +
                  testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        files = {
            {"buses.tsv", "model\tcategory\tcapacity\nПАЗ-672\tЖСТ\t0\nИК-250\tМГК\t45\n"},
            {"stops.tsv", "code\tname\n050100\tВИННИЦА 1\n050101\tВОРОНОВИЦА+\n"
                          "050157\tА1\n"},
            {"links.tsv", "from\tto\tkm\n050100\t050157\t10.2\n050157\t050101\t14\n"},
            {"kelos.tsv", "number\tname\tbus\n02П\tВИННИЦА 1 - ВОРОНОВИЦА+\tПАЗ-672\n"
                          "100\tОБРАТНО\tИК-250\n"},
            {"rows.tsv", "kelo\tcode\tstop\tarrival\tstay\n"
                         "02П\t050100\tВИННИЦА 1\t08:00\t0\n"
                         "02П\t050157\tА1\t08:14\t1\n"
                         "02П\t050101\tВОРОНОВИЦА+\t08:35\t-\n"
                         "100\t050101\tВОРОНОВИЦА+\t23:50\t2\n"
                         "100\t050100\tВИННИЦА 1\t00:20\t-\n"},
        };
    }

    void TearDown() override { fs::remove_all(folder); }

    void WriteFiles() {
        for (const auto& [name, text] : files)
            std::ofstream(folder / name, std::ios::binary) << text;
    }

    // The error the compiler reports for the tables as they stand ("" when they compile).
    std::string ErrorOf() {
        WriteFiles();
        try {
            ReadKeloDemoTables(folder);
        } catch (const KeloDemoTableError& e) {
            return e.what();
        }
        return "";
    }

    ToolRun RunTool() {
        WriteFiles();
        const std::string command = std::string("\"") + KELO_DEMO_TABLEGEN + "\" \"" +
                                    folder.string() + "\" \"" + Output().string() + "\" 2>&1";
        ToolRun run;
        FILE* pipe = ::popen(command.c_str(), "r");
        if (!pipe)
            return run;
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe))
            run.output += buffer;
        const int status = ::pclose(pipe);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return run;
    }

    fs::path Output() const { return folder / "tables.cpp"; }

    fs::path folder;
    std::map<std::string, std::string> files;
};

TEST_F(KeloDemoTableGenTest, GoodTablesCompileToEscapedWindows1251Tables) {
    const ToolRun run = RunTool();
    ASSERT_EQ(run.status, 0) << run.output;
    std::ifstream in(Output());
    const std::string source((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
    // ВИННИЦА 1 in code-page bytes, and a hex digit after an escape starts a new literal.
    EXPECT_NE(source.find(R"({"050100", "\xC2\xC8\xCD\xCD\xC8\xD6\xC0 1"})"), std::string::npos);
    EXPECT_NE(source.find(R"("\xC0" "1")"), std::string::npos);
    // Every road pair both ways; rows with minutes and the empty stay; kelos with their rows.
    EXPECT_NE(source.find(R"({"050100", "050157", 10.2f})"), std::string::npos);
    EXPECT_NE(source.find(R"({"050157", "050100", 10.2f})"), std::string::npos);
    EXPECT_NE(source.find(R"({"050157", "050101", 14.0f})"), std::string::npos);
    EXPECT_NE(source.find(R"({"050101", 1430, 2})"), std::string::npos);
    EXPECT_NE(source.find(R"({"050101", 515, 2147483647})"), std::string::npos);
    EXPECT_NE(source.find(R"("\xC8\xCA-250", 3, 2})"), std::string::npos);
    EXPECT_NE(source.find("Buses, 2,\n    Stops, 3,\n    Rows, 5,\n    Kelos, 2,\n    Links, 4,"),
              std::string::npos);
    EXPECT_NE(source.find("// ВИННИЦА 1"), std::string::npos);
}

TEST_F(KeloDemoTableGenTest, MalformedTablesFailTheToolWithFileAndLine) {
    files["stops.tsv"] = "code\tname\n050100\tВИННИЦА 1\n050101\n";
    const ToolRun run = RunTool();
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("kelo_demo_tablegen: error: stops.tsv:3: expected 2 "
                              "tab-separated fields, found 1"),
              std::string::npos)
        << run.output;
    EXPECT_FALSE(fs::exists(Output()));
}

TEST_F(KeloDemoTableGenTest, TextWindows1251CannotHoldFailsTheTool) {
    files["stops.tsv"] = "code\tname\n050100\tВИННИЦА 1\n050101\tВОРОНОВИЦА+\n050157\tŐ\n";
    const ToolRun run = RunTool();
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("stops.tsv:4: stop name \"Ő\" has a character that Windows-1251 "
                              "cannot hold (U+0150)"),
              std::string::npos)
        << run.output;
}

TEST_F(KeloDemoTableGenTest, WrongArgumentsAndMissingFolderFail) {
    const std::string tool = std::string("\"") + KELO_DEMO_TABLEGEN + "\" > /dev/null 2>&1";
    EXPECT_NE(std::system(tool.c_str()), 0);
    fs::remove_all(folder);
    fs::create_directories(folder);
    files.clear();
    const ToolRun run = RunTool();
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("buses.tsv: cannot open"), std::string::npos) << run.output;
}

TEST_F(KeloDemoTableGenTest, EachKindOfFaultIsNamed) {
    struct Fault {
        const char* file;
        std::string text;
        std::string message;
    };
    const std::string rowsHeader = "kelo\tcode\tstop\tarrival\tstay\n";
    const std::string kelosHeader = "number\tname\tbus\n";
    const std::vector<Fault> faults = {
        {"stops.tsv", "code\tnom\n050100\tX\n", "stops.tsv:1: the header must be"},
        {"stops.tsv", "", "stops.tsv:1: the file is empty"},
        {"stops.tsv", "code\tname\n\n050100\tX\n", "stops.tsv:2: empty line"},
        {"stops.tsv", "code\tname\n05010\tX\n", "stops.tsv:2: stop code must be six digits"},
        {"stops.tsv", "code\tname\n050100\t\n", "stops.tsv:2: empty stop name"},
        {"stops.tsv", "code\tname\n050100\t\xFF\xFE\n",
         "stops.tsv:2: stop name is not valid UTF-8"},
        {"buses.tsv", "model\tcategory\tcapacity\nX\tY\tmany\n",
         "buses.tsv:2: capacity must be a whole number"},
        {"links.tsv", "from\tto\tkm\n050100\t050101\t1,5\n", "links.tsv:2: distance must be"},
        {"links.tsv", "from\tto\tkm\n050100\t059999\t1\n",
         "links.tsv:2: stop code 059999 is not in stops.tsv"},
        {"kelos.tsv", kelosHeader + "02П\tX\tИКАРУС\n",
         "kelos.tsv:2: bus model ИКАРУС is not in buses.tsv"},
        {"kelos.tsv", kelosHeader + "02П\tX\tИК-250\n02П\tY\tИК-250\n",
         "kelos.tsv:3: kelo 02П is listed twice"},
        {"rows.tsv", rowsHeader + "02П\t050100\tВИННИЦА 1\t8:00\t0\n",
         "rows.tsv:2: arrival must be HH:MM, not \"8:00\""},
        {"rows.tsv", rowsHeader + "02П\t050100\tВИННИЦА 1\t24:00\t0\n",
         "rows.tsv:2: arrival 24:00 is not a time of day"},
        {"rows.tsv", rowsHeader + "02П\t050100\tВИННИЦА 1\t08:00\t-1\n",
         "rows.tsv:2: stay (minutes, or - for none) must be a whole number"},
        {"rows.tsv", rowsHeader + "07Х\t050100\tВИННИЦА 1\t08:00\t0\n",
         "rows.tsv:2: kelo 07Х is not in kelos.tsv"},
        {"rows.tsv", rowsHeader + "02П\t050100\tВИННИЦА\t08:00\t0\n",
         "rows.tsv:2: stop 050100 is named \"ВИННИЦА 1\" in stops.tsv, not \"ВИННИЦА\""},
        {"rows.tsv", rowsHeader + "02П\t059999\tX\t08:00\t0\n",
         "rows.tsv:2: stop code 059999 is not in stops.tsv"},
        {"rows.tsv",
         rowsHeader + "02П\t050100\tВИННИЦА 1\t08:00\t0\n100\t050100\tВИННИЦА 1\t08:00\t0\n"
                      "02П\t050100\tВИННИЦА 1\t09:00\t-\n",
         "rows.tsv:4: rows of kelo 02П must follow each other"},
        {"rows.tsv", rowsHeader + "100\t050100\tВИННИЦА 1\t08:00\t0\n",
         "rows.tsv:2: kelo 02П has no rows before the rows of kelo 100"},
        {"rows.tsv", rowsHeader + "02П\t050100\tВИННИЦА 1\t08:00\t0\n",
         "rows.tsv: kelo 100 has no rows"},
    };
    const auto good = files;
    for (const Fault& fault : faults) {
        files = good;
        files[fault.file] = fault.text;
        const std::string error = ErrorOf();
        EXPECT_EQ(error.rfind(fault.message, 0), 0u)
            << "expected \"" << fault.message << "\", got \"" << error << "\"";
    }
    files = good;
    EXPECT_EQ(ErrorOf(), "");
}

TEST_F(KeloDemoTableGenTest, ByteOrderMarkAndWindowsLineEndsAreAccepted) {
    files["stops.tsv"] = "\xEF\xBB\xBF"
                         "code\tname\r\n050100\tВИННИЦА 1\r\n050101\tВОРОНОВИЦА+\r\n"
                         "050157\tА1\r\n";
    EXPECT_EQ(ErrorOf(), "");
}

} // namespace

TEST_F(KeloDemoTableGenTest, NamesEndingInABackslashCannotSwallowTheNextRecord) {
    // A backslash at the end of a comment would splice the next line, a record, into it.
    files["stops.tsv"] = "code\tname\n050100\tВИННИЦА 1\\\n050101\tВОРОНОВИЦА+\n050157\tА1\n";
    files["kelos.tsv"] = "number\tname\tbus\n02П\tВИННИЦА 1 - ВОРОНОВИЦА+\\\tПАЗ-672\n"
                         "100\tОБРАТНО\tИК-250\n";
    files["rows.tsv"] = "kelo\tcode\tstop\tarrival\tstay\n"
                        "02П\t050100\tВИННИЦА 1\\\t08:00\t0\n"
                        "02П\t050101\tВОРОНОВИЦА+\t08:35\t-\n"
                        "100\t050101\tВОРОНОВИЦА+\t23:50\t2\n"
                        "100\t050100\tВИННИЦА 1\\\t00:20\t-\n";
    const ToolRun run = RunTool();
    ASSERT_EQ(run.status, 0) << run.output;
    std::ifstream in(Output());
    const std::string source((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
    EXPECT_EQ(source.find("\\\n"), std::string::npos);
    EXPECT_EQ(source.find("\\\r"), std::string::npos);
    EXPECT_NE(source.find("// ВИННИЦА 1\\x5C\n    {\"050101\""), std::string::npos);
    EXPECT_NE(source.find("ВОРОНОВИЦА+\\x5C\n    {\"100\""), std::string::npos);
}
