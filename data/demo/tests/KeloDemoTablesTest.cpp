// The shape and invariants of the built-in data set, checked on the compiled tables.

#include "KeloDemoTableCompiler.h"
#include "KeloDemoTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <utility>

namespace {

constexpr std::int32_t Empty = 2147483647;

const KeloDemoRootType& Root() {
    return KeloDemoBuiltInRoot();
}

std::map<std::pair<std::string, std::string>, float> LinkMap() {
    std::map<std::pair<std::string, std::string>, float> links;
    for (std::int32_t i = 0; i < Root().linkCount; ++i)
        links[{Root().links[i].from, Root().links[i].to}] = Root().links[i].distance;
    return links;
}

std::set<std::string> StopCodes() {
    std::set<std::string> codes;
    for (std::int32_t i = 0; i < Root().stopCount; ++i)
        codes.insert(Root().stops[i].code);
    return codes;
}

TEST(KeloDemoTablesTest, TablesHaveTheirSizes) {
    EXPECT_EQ(Root().busCount, 23);
    EXPECT_EQ(Root().stopCount, 441);
    EXPECT_EQ(Root().rowCount, 2139);
    EXPECT_EQ(Root().keloCount, 176);
    EXPECT_EQ(Root().linkCount, 1138);
}

TEST(KeloDemoTablesTest, BusModelsAreThePublishedTableInOrder) {
    const std::vector<std::pair<const char*, const char*>> expected = {
        {"КАВЗ-685", "ЖСТ"},    {"ЛИАЗ-677", "ЖСТ"},    {"ЛАЗ-42021", "ЖСТ"}, {"ЛАЗ-695", "ЖСТ"},
        {"ЛАЗ-695Г", "ЖСТ"},    {"ЛАЗ-697", "МГК"},     {"ЛАЗ-699", "МГК"},   {"МЕРСЕДЕС-1", "МГК"},
        {"МЕРСЕДЕС-16", "МГК"}, {"МЕРСЕДЕС-МА", "МГК"}, {"НИСАН-14", "МГК"},  {"ПАЗ-672", "ЖСТ"},
        {"ПАЗ-672(М)", "МГК"},  {"РАФ-2203", "МГК"},    {"ФОРД-13", "МГК"},   {"ИК-211", "ЖСТ"},
        {"ИК-250", "МГК"},      {"ИК-255", "МГК"},      {"ИК-256", "МГК"},    {"ИК-260М", "МГК"},
        {"ГАЗ-3221", "МГК"},    {"ГАЗЕЛЬ-13", "МГК"},   {"ГАЗЕЛЬ-14", "МГК"},
    };
    ASSERT_EQ(Root().busCount, static_cast<std::int32_t>(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(Root().buses[i].model, Cp(expected[i].first)) << i;
        EXPECT_EQ(Root().buses[i].category, Cp(expected[i].second)) << i;
        EXPECT_EQ(Root().buses[i].capacity, 0) << i;
    }
}

TEST(KeloDemoTablesTest, StopsAreSortedBySixDigitCodes) {
    for (std::int32_t i = 0; i < Root().stopCount; ++i) {
        const std::string code = Root().stops[i].code;
        EXPECT_EQ(code.size(), 6u) << code;
        EXPECT_TRUE(std::all_of(code.begin(), code.end(), ::isdigit)) << code;
        if (i > 0) {
            EXPECT_LT(std::string(Root().stops[i - 1].code), code);
        }
    }
}

TEST(KeloDemoTablesTest, StopNamesCarryTheirMarksInThePublishedNumbers) {
    int plain = 0, hash = 0, plus = 0;
    std::set<std::string> names;
    for (std::int32_t i = 0; i < Root().stopCount; ++i) {
        const std::string name = Root().stops[i].name;
        ASSERT_FALSE(name.empty());
        names.insert(name);
        if (name.back() == '#')
            ++hash;
        else if (name.back() == '+')
            ++plus;
        else
            ++plain;
    }
    EXPECT_EQ(plain, 185);
    EXPECT_EQ(hash, 184);
    EXPECT_EQ(plus, 72);
    for (const char* quoted : {"ВИННИЦА 1", "ВОРОНОВИЦА+", "КЕМПИНГ#"}) {
        EXPECT_TRUE(names.count(Cp(quoted))) << quoted;
    }
}

TEST(KeloDemoTablesTest, EveryLinkIsStoredOnceEachWayWithOneDistance) {
    const auto links = LinkMap();
    EXPECT_EQ(links.size(), 1138u) << "a link is stored twice in the same direction";
    const std::set<std::string> codes = StopCodes();
    std::set<std::pair<std::string, std::string>> pairs;
    for (const auto& [key, distance] : links) {
        EXPECT_NE(key.first, key.second);
        EXPECT_TRUE(codes.count(key.first) && codes.count(key.second)) << key.first;
        const auto back = links.find({key.second, key.first});
        ASSERT_NE(back, links.end()) << key.first << " " << key.second;
        EXPECT_EQ(back->second, distance);
        pairs.insert(std::minmax(key.first, key.second));
    }
    EXPECT_EQ(pairs.size(), 569u);
}

TEST(KeloDemoTablesTest, DistancesRunFromZeroTo1032Kilometres) {
    float low = 1e9f, high = -1;
    for (std::int32_t i = 0; i < Root().linkCount; ++i) {
        low = std::min(low, Root().links[i].distance);
        high = std::max(high, Root().links[i].distance);
    }
    EXPECT_EQ(low, 0.0f);
    EXPECT_EQ(high, 1032.0f);
    const auto links = LinkMap();
    EXPECT_EQ(links.at({"050100", "050101"}), 24.0f);
    EXPECT_EQ(links.at({"050100", "050157"}), 10.2f);
}

TEST(KeloDemoTablesTest, KelosAreSortedByNumberInCodePageByteOrder) {
    ASSERT_GT(Root().keloCount, 0);
    EXPECT_EQ(Root().kelos[0].number, Cp("02П"));
    for (std::int32_t i = 1; i < Root().keloCount; ++i) {
        EXPECT_TRUE(ByteLess(Root().kelos[i - 1].number, Root().kelos[i].number))
            << Cp1251ToUtf8(Root().kelos[i - 1].number) << " before "
            << Cp1251ToUtf8(Root().kelos[i].number);
    }
    // Digits sort before letters: "02П" < "100" < "10М".
    EXPECT_TRUE(ByteLess(Cp("02П"), "100"));
    EXPECT_TRUE(ByteLess("100", Cp("10М")));
    for (const char* number : {"02П", "100", "10М"}) {
        EXPECT_NE(KeloRecord(Root(), Cp(number)), nullptr) << number;
    }
}

TEST(KeloDemoTablesTest, RowsFollowKeloByKeloWithoutGapsOrSharing) {
    std::int32_t next = 0;
    for (std::int32_t k = 0; k < Root().keloCount; ++k) {
        const KeloDemoKeloRecordType& kelo = Root().kelos[k];
        EXPECT_EQ(kelo.firstRow, next) << Cp1251ToUtf8(kelo.number);
        EXPECT_GE(kelo.rowCount, 4) << Cp1251ToUtf8(kelo.number);
        EXPECT_LE(kelo.rowCount, 22) << Cp1251ToUtf8(kelo.number);
        next = kelo.firstRow + kelo.rowCount;
    }
    EXPECT_EQ(next, Root().rowCount);
}

TEST(KeloDemoTablesTest, StayIsEmptyExactlyAtLastRowsAndZeroAtMostFirstRows) {
    int zeroFirst = 0;
    for (std::int32_t k = 0; k < Root().keloCount; ++k) {
        const KeloDemoKeloRecordType& kelo = Root().kelos[k];
        const KeloDemoRowRecordType* rows = Root().rows + kelo.firstRow;
        for (std::int32_t r = 0; r < kelo.rowCount; ++r) {
            const bool last = r == kelo.rowCount - 1;
            EXPECT_EQ(rows[r].stay == Empty, last) << Cp1251ToUtf8(kelo.number) << " row " << r;
            EXPECT_GE(rows[r].stay, 0);
            EXPECT_GE(rows[r].arrival, 0);
            EXPECT_LT(rows[r].arrival, 1440);
        }
        if (rows[0].stay == 0)
            ++zeroFirst;
    }
    EXPECT_EQ(zeroFirst, 172);
}

TEST(KeloDemoTablesTest, EveryReferenceExistsAndEveryTimetableStepIsLinked) {
    const std::set<std::string> codes = StopCodes();
    const auto links = LinkMap();
    std::set<std::string> models;
    for (std::int32_t i = 0; i < Root().busCount; ++i)
        models.insert(Root().buses[i].model);
    for (std::int32_t i = 0; i < Root().rowCount; ++i) {
        EXPECT_TRUE(codes.count(Root().rows[i].stop)) << Root().rows[i].stop;
    }
    for (std::int32_t k = 0; k < Root().keloCount; ++k) {
        const KeloDemoKeloRecordType& kelo = Root().kelos[k];
        EXPECT_TRUE(models.count(kelo.bus)) << Cp1251ToUtf8(kelo.number);
        const KeloDemoRowRecordType* rows = Root().rows + kelo.firstRow;
        for (std::int32_t r = 0; r + 1 < kelo.rowCount; ++r) {
            EXPECT_TRUE(links.count({rows[r].stop, rows[r + 1].stop}))
                << Cp1251ToUtf8(kelo.number) << ": " << rows[r].stop << "-" << rows[r + 1].stop;
        }
    }
}

TEST(KeloDemoTablesTest, Kelo02PIsThePublishedTimetable) {
    const KeloDemoKeloRecordType* kelo = KeloRecord(Root(), Cp("02П"));
    ASSERT_NE(kelo, nullptr);
    EXPECT_EQ(kelo->name, Cp("ВИННИЦА 1 - ВОЛОВОДОВКА#"));
    EXPECT_EQ(kelo->bus, Cp("ПАЗ-672"));
    EXPECT_EQ(kelo->firstRow, 0);
    ASSERT_EQ(kelo->rowCount, 9);
    struct Expected {
        const char* code;
        const char* name;
        int arrival;
        int stay;
    };
    const Expected expected[] = {
        {"050100", "ВИННИЦА 1", 480, 0},        {"050157", "ПИСАРЕВКА#", 494, 1},
        {"050104", "ГУМЕННОЕ+", 500, 1},        {"050102", "СОКИРИНЦЫ+", 503, 1},
        {"050101", "ВОРОНОВИЦА+", 515, 1},      {"052307", "СТЕПАНОВКА#", 520, 1},
        {"054308", "ПОБЕРЕЖНОЕ#", 525, 1},      {"054946", "ОБЕДНОЕ#", 538, 1},
        {"054947", "ВОЛОВОДОВКА#", 545, Empty},
    };
    std::map<std::string, std::string> names;
    for (std::int32_t i = 0; i < Root().stopCount; ++i)
        names[Root().stops[i].code] = Root().stops[i].name;
    const auto links = LinkMap();
    const float segments[] = {10.2f, 4, 1, 8.2f, 4, 3.1f, 7.4f, 2};
    for (int r = 0; r < 9; ++r) {
        const KeloDemoRowRecordType& row = Root().rows[kelo->firstRow + r];
        EXPECT_STREQ(row.stop, expected[r].code);
        EXPECT_EQ(names[row.stop], Cp(expected[r].name));
        EXPECT_EQ(row.arrival, expected[r].arrival) << r;
        EXPECT_EQ(row.stay, expected[r].stay) << r;
        if (r < 8) {
            EXPECT_EQ(links.at({row.stop, Root().rows[kelo->firstRow + r + 1].stop}), segments[r]);
        }
    }
}

TEST(KeloDemoTablesTest, Kelo100RunsOvernightFromKelmentsyToSimferopol) {
    const KeloDemoKeloRecordType* kelo = KeloRecord(Root(), "100");
    ASSERT_NE(kelo, nullptr);
    EXPECT_EQ(kelo->name, Cp("КЕЛЬМЕНЦЫ - СИМФЕРОПОЛЬ"));
    ASSERT_EQ(kelo->rowCount, 14);
    const KeloDemoRowRecordType* rows = Root().rows + kelo->firstRow;
    EXPECT_STREQ(rows[0].stop, "775100");
    EXPECT_EQ(rows[0].arrival, 14 * 60 + 30);
    EXPECT_EQ(rows[0].stay, 2);
    EXPECT_STREQ(rows[13].stop, "430100");
    EXPECT_EQ(rows[13].arrival, 10 * 60 + 40);
    EXPECT_EQ(rows[6].arrival, 21 * 60 + 45);
    EXPECT_EQ(rows[7].arrival, 10);
    for (int r = 1; r < 14; ++r)
        if (r != 7) {
            EXPECT_GT(rows[r].arrival, rows[r - 1].arrival) << r;
        }
}

TEST(KeloDemoTablesTest, PublishedKeloNamesExist) {
    std::set<std::string> names;
    for (std::int32_t k = 0; k < Root().keloCount; ++k)
        names.insert(Root().kelos[k].name);
    for (const char* name :
         {"ВИННИЦА 1 - ВОЛОВОДОВКА#", "КЕЛЬМЕНЦЫ - СИМФЕРОПОЛЬ", "ВИННИЦА 1 - КАЛИНОВКА"})
        EXPECT_TRUE(names.count(Cp(name))) << name;
}

// The committed text tables are what the program is built from.
TEST(KeloDemoTablesTest, TextTablesCompileToTheBuiltInTables) {
    const KeloDemoTextTables text = ReadKeloDemoTables(KELO_DEMO_TABLES_DIR);
    EXPECT_EQ(text.buses.size(), 23u);
    EXPECT_EQ(text.stops.size(), 441u);
    EXPECT_EQ(text.links.size(), 569u);
    EXPECT_EQ(text.kelos.size(), 176u);
    ASSERT_EQ(text.rows.size(), 2139u);
    for (std::int32_t i = 0; i < Root().rowCount; ++i) {
        EXPECT_EQ(text.rows[i].stop.bytes, Root().rows[i].stop);
        EXPECT_EQ(text.rows[i].arrival, Root().rows[i].arrival);
        EXPECT_EQ(text.rows[i].stay, Root().rows[i].stay);
    }
}

} // namespace
