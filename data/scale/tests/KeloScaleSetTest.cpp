// The scale data set keeps the built-in region's counts and invariants in every region.

#include "KeloScaleSet.h"
#include "Cp1251.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <stdexcept>

namespace {

constexpr std::int32_t Empty = 2147483647;

const KeloDemoRootType& Region() {
    return KeloDemoBuiltInRoot();
}

std::string Cp(const char* utf8) {
    return Utf8ToCp1251(utf8).bytes;
}

// Kelos with at least two calls at the stops of the line.
int Offered(const KeloScaleSetType& set, const std::vector<std::string>& line) {
    const std::set<std::string> codes(line.begin(), line.end());
    int offered = 0;
    for (const auto& kelo : set.kelos) {
        int calls = 0;
        for (const auto& row : kelo.rows)
            calls += int(codes.count(row.stop));
        offered += calls >= 2;
    }
    return offered;
}

TEST(KeloScaleSetTest, FactorOneIsTheBuiltInSetUnchanged) {
    const KeloScaleSetType set = MakeKeloScaleSet(Region(), 1);
    ASSERT_EQ(set.stops.size(), std::size_t(Region().stopCount));
    ASSERT_EQ(set.links.size(), std::size_t(Region().linkCount));
    ASSERT_EQ(set.kelos.size(), std::size_t(Region().keloCount));
    ASSERT_EQ(set.buses.size(), std::size_t(Region().busCount));
    for (std::size_t i = 0; i < set.stops.size(); ++i) {
        EXPECT_EQ(set.stops[i].code, Region().stops[i].code);
        EXPECT_EQ(set.stops[i].name, Region().stops[i].name);
    }
    for (std::size_t i = 0; i < set.links.size(); ++i) {
        EXPECT_EQ(set.links[i].from, Region().links[i].from);
        EXPECT_EQ(set.links[i].to, Region().links[i].to);
        EXPECT_EQ(set.links[i].distance, Region().links[i].distance);
    }
    std::int32_t rows = 0;
    for (std::size_t k = 0; k < set.kelos.size(); ++k) {
        const KeloDemoKeloRecordType& kelo = Region().kelos[k];
        EXPECT_EQ(set.kelos[k].number, kelo.number);
        EXPECT_EQ(set.kelos[k].name, kelo.name);
        EXPECT_EQ(set.kelos[k].bus, kelo.bus);
        ASSERT_EQ(set.kelos[k].rows.size(), std::size_t(kelo.rowCount));
        for (std::int32_t r = 0; r < kelo.rowCount; ++r) {
            const KeloDemoRowRecordType& row = Region().rows[kelo.firstRow + r];
            EXPECT_EQ(set.kelos[k].rows[r].stop, row.stop);
            EXPECT_EQ(set.kelos[k].rows[r].arrival, row.arrival);
            EXPECT_EQ(set.kelos[k].rows[r].stay, row.stay);
        }
        rows += kelo.rowCount;
    }
    EXPECT_EQ(rows, 2139);
    EXPECT_EQ(Offered(set, KeloScaleLineOf(set, set.trunkKelo)), 56);
}

// Region 0 keeps the shipped codes; region g > 0 its own prefix.
int RegionOf(const std::string& code) {
    const int prefix = std::stoi(code.substr(0, 3));
    return prefix >= 200 && prefix < 400 ? prefix - 199 : code[0] == '9' ? -1 : 0;
}

TEST(KeloScaleSetTest, EveryRegionHasTheShippedShapeAtFactorTwo) {
    const KeloScaleSetType set = MakeKeloScaleSet(Region(), 2);
    std::map<std::string, std::string> names;
    for (const auto& stop : set.stops)
        names[stop.code] = stop.name;
    for (int g = 0; g < 2; ++g) {
        SCOPED_TRACE(g);
        std::map<char, int> marks;
        int stops = 0, links = 0;
        for (const auto& stop : set.stops)
            if (RegionOf(stop.code) == g) {
                ++stops;
                const char last = stop.name.back();
                ++marks[last == '+' || last == '#' ? last : ' '];
            }
        for (const auto& link : set.links)
            links += RegionOf(link.from) == g && RegionOf(link.to) == g;
        EXPECT_EQ(stops, 441);
        EXPECT_EQ(links, 1138);
        EXPECT_EQ(marks[' '], 185);
        EXPECT_EQ(marks['#'], 184);
        EXPECT_EQ(marks['+'], 72);

        std::map<std::string, const KeloScaleSetType::Kelo*> kelos;
        for (const auto& kelo : set.kelos)
            kelos[kelo.number] = &kelo;
        std::int32_t rows = 0;
        for (std::int32_t k = 0; k < Region().keloCount; ++k) {
            const KeloDemoKeloRecordType& shipped = Region().kelos[k];
            const auto found = kelos.find(KeloScaleRegionNumber(shipped.number, g));
            ASSERT_NE(found, kelos.end()) << shipped.number;
            const KeloScaleSetType::Kelo& kelo = *found->second;
            EXPECT_EQ(kelo.bus, shipped.bus);
            ASSERT_EQ(kelo.rows.size(), std::size_t(shipped.rowCount));
            for (std::int32_t r = 0; r < shipped.rowCount; ++r) {
                const KeloDemoRowRecordType& row = Region().rows[shipped.firstRow + r];
                EXPECT_EQ(RegionOf(kelo.rows[r].stop), g);
                EXPECT_EQ(kelo.rows[r].arrival, row.arrival);
                EXPECT_EQ(kelo.rows[r].stay, row.stay);
            }
            rows += shipped.rowCount;
        }
        EXPECT_EQ(rows, 2139);
        // The worked example 02П: its first stop is the region's "ВИННИЦА 1", its last
        // "ВОЛОВОДОВКА#", 24 km of road between the hub and "ВОРОНОВИЦА+".
        const KeloScaleSetType::Kelo& kelo = *kelos.at(KeloScaleRegionNumber(Cp("02П"), g));
        const std::string suffix = g == 0 ? "" : "-2";
        EXPECT_EQ(names[kelo.rows.front().stop], Cp("ВИННИЦА 1") + suffix);
        EXPECT_EQ(names[kelo.rows.back().stop], Cp("ВОЛОВОДОВКА") + suffix + "#");
        EXPECT_EQ(kelo.name, Cp("ВИННИЦА 1") + suffix + " - " + Cp("ВОЛОВОДОВКА") + suffix + "#");
        EXPECT_EQ(kelo.rows.front().stop, set.hubs[g]);
    }
}

TEST(KeloScaleSetTest, TheWholeSetIsConsistentAtFactorTwo) {
    const KeloScaleSetType set = MakeKeloScaleSet(Region(), 2);
    std::set<std::string> codes, numbers, models;
    for (const auto& stop : set.stops)
        EXPECT_TRUE(codes.insert(stop.code).second) << stop.code;
    for (const auto& bus : set.buses)
        models.insert(bus.model);
    std::map<std::pair<std::string, std::string>, float> links;
    for (const auto& link : set.links) {
        EXPECT_TRUE(codes.count(link.from) && codes.count(link.to));
        EXPECT_TRUE(links.emplace(std::pair(link.from, link.to), link.distance).second);
    }
    for (const auto& [pair, km] : links)
        EXPECT_EQ(links.at({pair.second, pair.first}), km);
    for (const auto& kelo : set.kelos) {
        EXPECT_TRUE(numbers.insert(kelo.number).second) << kelo.number;
        EXPECT_TRUE(models.count(kelo.bus)) << kelo.number;
        ASSERT_GE(kelo.rows.size(), 2u);
        for (std::size_t r = 0; r < kelo.rows.size(); ++r) {
            EXPECT_TRUE(codes.count(kelo.rows[r].stop));
            EXPECT_EQ(kelo.rows[r].stay == Empty, r + 1 == kelo.rows.size()) << kelo.number;
            EXPECT_GE(kelo.rows[r].arrival, 0);
            EXPECT_LT(kelo.rows[r].arrival, 1440);
            if (r > 0) {
                EXPECT_TRUE(links.count({kelo.rows[r - 1].stop, kelo.rows[r].stop})) << kelo.number;
            }
        }
    }
    EXPECT_EQ(set.stops.size(), 2u * 441 + KeloScaleTrunkStops);
    EXPECT_EQ(set.kelos.size(), 2u * 176 + 2 + 112);
}

TEST(KeloScaleSetTest, TheTrunkLineOffers56KelosPerRegionJoinedAndLeftAtHubs) {
    for (int factor : {2, 3}) {
        const KeloScaleSetType set = MakeKeloScaleSet(Region(), factor);
        const std::vector<std::string> line = KeloScaleLineOf(set, set.trunkKelo);
        ASSERT_EQ(line.size(), std::size_t(KeloScaleTrunkStops));
        EXPECT_EQ(Offered(set, line), 56 * factor);
        const std::set<std::string> hubs(set.hubs.begin(), set.hubs.end());
        int forward = 0, backward = 0, joining = 0, leaving = 0;
        for (const auto& kelo : set.kelos) {
            forward += kelo.rows.front().stop == line.front();
            backward += kelo.rows.front().stop == line.back();
            joining += hubs.count(kelo.rows.front().stop) && kelo.rows[1].stop[0] == '9';
            leaving += hubs.count(kelo.rows.back().stop) && kelo.rows.end()[-2].stop[0] == '9';
        }
        EXPECT_EQ(forward + backward + joining, 56 * factor) << factor;
        EXPECT_EQ(joining, 14 * factor);
        EXPECT_EQ(leaving, 14 * factor);
        EXPECT_EQ(forward, backward);
    }
}

TEST(KeloScaleSetTest, AFactorOutOfRangeIsRefused) {
    EXPECT_THROW(MakeKeloScaleSet(Region(), 0), std::invalid_argument);
    EXPECT_THROW(MakeKeloScaleSet(Region(), KeloScaleMaxFactor + 1), std::invalid_argument);
}

} // namespace
