#include "KeloGtfsCsvReaderClass.h"
#include "KeloGtfsErrorClass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

// Hands out a text in pieces of `chunk` bytes, so records straddle every read.
class TextSource : public KeloGtfsByteSourceClass {
public:
    TextSource(std::string text, std::size_t chunk) : text(std::move(text)), chunk(chunk) {}
    std::size_t Read(char* buffer, std::size_t size) override {
        const std::size_t n = std::min({size, chunk, text.size() - at});
        std::memcpy(buffer, text.data() + at, n);
        at += n;
        return n;
    }

private:
    std::string text;
    std::size_t chunk;
    std::size_t at = 0;
};

struct Record {
    std::uint64_t line;
    std::vector<std::string> fields;
    bool operator==(const Record&) const = default;
};

std::vector<Record> ReadAll(const std::string& text, std::size_t chunk) {
    KeloGtfsCsvReaderClass reader(std::make_unique<TextSource>(text, chunk), "t.txt");
    std::vector<Record> records;
    while (reader.Next()) {
        Record record{reader.GetLine(), {}};
        for (std::size_t i = 0; i < reader.GetFieldCount(); ++i)
            record.fields.emplace_back(reader.Field(static_cast<int>(i)));
        records.push_back(record);
    }
    return records;
}

struct CsvCase {
    const char* name;
    std::string text;
    std::vector<Record> records;
    std::string error; // part of the refusal, when the text is refused
};

const std::vector<CsvCase> Cases = {
    {"plain", "a,b\n1,2\n3,4\n", {{2, {"1", "2"}}, {3, {"3", "4"}}}, ""},
    {"crlf", "a,b\r\n1,2\r\n", {{2, {"1", "2"}}}, ""},
    {"byte order mark",
     "\xEF\xBB\xBF"
     "a,b\n1,2\n",
     {{2, {"1", "2"}}},
     ""},
    {"quoted comma", "a,b\n\"x,y\",2\n", {{2, {"x,y", "2"}}}, ""},
    {"doubled quotes", "a,b\n\"say \"\"hi\"\"\",\"\"\n", {{2, {"say \"hi\"", ""}}}, ""},
    {"line break in quotes",
     "a,b\n\"one\r\ntwo\",2\n3,4\n",
     {{2, {"one\r\ntwo", "2"}}, {4, {"3", "4"}}},
     ""},
    {"no final line end", "a,b\n1,2", {{2, {"1", "2"}}}, ""},
    {"blank lines", "a,b\n\n1,2\r\n\r\n\n3,4\n\n", {{3, {"1", "2"}}, {6, {"3", "4"}}}, ""},
    {"empty fields", "a,b,c\n,,\n", {{2, {"", "", ""}}}, ""},
    {"quoted field at the end", "a,b\n1,\"2\"", {{2, {"1", "2"}}}, ""},
    {"unclosed quote", "a,b\n1,2\n\"x,2\n3,4\n", {}, "t.txt, line 3: a quoted field is not closed"},
    {"text after closing quote",
     "a,b\n\"x\"y,2\n",
     {},
     "t.txt, line 2: text follows a closing quote"},
    {"too many fields", "a,b\n1,2\n1,2,3\n", {}, "t.txt, line 3: has 3 fields, the header 2"},
    {"too few fields", "a,b\n1\n", {}, "t.txt, line 2: has 1 field, the header 2"},
    {"empty file", "", {}, "t.txt: the file is empty"},
};

TEST(KeloGtfsCsvReaderTest, ReadsRfc4180RecordsInAnyChunking) {
    for (const CsvCase& c : Cases)
        for (std::size_t chunk : {std::size_t(1), std::size_t(3), std::size_t(1) << 20}) {
            SCOPED_TRACE(std::string(c.name) + ", chunk " + std::to_string(chunk));
            if (c.error.empty()) {
                EXPECT_EQ(ReadAll(c.text, chunk), c.records);
                continue;
            }
            try {
                ReadAll(c.text, chunk);
                ADD_FAILURE() << "not refused";
            } catch (const KeloGtfsErrorClass& error) {
                EXPECT_NE(std::string(error.what()).find(c.error), std::string::npos)
                    << error.what();
            }
        }
}

TEST(KeloGtfsCsvReaderTest, FindsColumnsByTrimmedNameAndNamesMissingOnes) {
    // The byte-order mark goes however few bytes the first read brings.
    for (std::size_t chunk : {1, 2, 64}) {
        KeloGtfsCsvReaderClass marked(std::make_unique<TextSource>("\xEF\xBB\xBFstop_id\n", chunk),
                                      "stops.txt");
        EXPECT_EQ(marked.FindColumn("stop_id"), 0) << chunk;
    }
    KeloGtfsCsvReaderClass reader(std::make_unique<TextSource>("\xEF\xBB\xBF"
                                                               "stop_id, stop_name\n",
                                                               64),
                                  "stops.txt");
    EXPECT_EQ(reader.FindColumn("stop_id"), 0);
    EXPECT_EQ(reader.FindColumn("stop_name"), 1);
    EXPECT_EQ(reader.FindColumn("stop_lat"), -1);
    EXPECT_THROW(
        {
            try {
                reader.RequireColumn("stop_lat");
            } catch (const KeloGtfsErrorClass& error) {
                EXPECT_STREQ(error.what(),
                             "stops.txt: the required column \"stop_lat\" is missing");
                throw;
            }
        },
        KeloGtfsErrorClass);
}

TEST(KeloGtfsCsvReaderTest, RecordsUpTo1MBAreReadWholeLongerOnesRefused) {
    const std::string big((1 << 20) - 16, 'x');
    const auto records = ReadAll("a,b\n\"" + big + "\",1\n2,3\n", 1 << 16);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].fields[0], big);
    EXPECT_EQ(records[1], (Record{3, {"2", "3"}}));
    try {
        ReadAll("a,b\n1,2\n" + big + big + ",1\n", 1 << 16);
        ADD_FAILURE() << "not refused";
    } catch (const KeloGtfsErrorClass& error) {
        EXPECT_STREQ(error.what(), "t.txt, line 3: a record is longer than 1 MB");
    }
}

} // namespace
