// The diagrams of the shipped lines have enough to show: at least 12 kelos in both
// directions, some joining or leaving the line part-way, and a night run over midnight.

#include "KeloDemoDataClass.h"
#include "KeloDemoTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct LineTraffic {
    std::vector<std::string> offered;
    int forward = 0;
    int backward = 0;
    int joiningOrLeaving = 0;
    int overMidnight = 0;
};

// Reads the kelos a source built over the line offers, through the interfaces.
LineTraffic TrafficOf(const std::vector<std::string>& line) {
    LineTraffic traffic;
    KeloDataPtrClass source = MakeBuiltInSource(line);
    KeloKeloSetPtrClass kelos = source->GetKeloSet();
    auto position = [&line](const std::string& code) {
        return std::find(line.begin(), line.end(), code) - line.begin();
    };
    const auto onLine = static_cast<std::ptrdiff_t>(line.size());
    for (std::int32_t k = 0; k < kelos->GetCount(); ++k) {
        KeloKeloPtrClass kelo = kelos->GetItem(k);
        traffic.offered.push_back(kelo->GetNumber());
        KeloKeloSchedulePtrClass schedule = kelo->GetSchedule();
        std::vector<std::ptrdiff_t> positions;
        bool offLine = false, midnight = false;
        for (std::int32_t r = 0; r < schedule->GetCount(); ++r) {
            KeloStopSchedulePtrClass entry = schedule->GetItem(r);
            const std::ptrdiff_t at = position(entry->GetStop()->GetCode());
            if (at == onLine) {
                offLine = true;
                continue;
            }
            if (r + 1 < schedule->GetCount()) {
                KeloStopSchedulePtrClass next = schedule->GetItem(r + 1);
                const bool nextOnLine = position(next->GetStop()->GetCode()) != onLine;
                if (nextOnLine &&
                    next->GetArrival() < KeloDeparture(entry->GetArrival(), entry->GetStay()))
                    midnight = true;
            }
            positions.push_back(at);
        }
        EXPECT_GE(positions.size(), 2u) << Cp1251ToUtf8(kelo->GetNumber());
        if (positions.size() >= 2)
            (positions[1] > positions[0] ? traffic.forward : traffic.backward)++;
        traffic.joiningOrLeaving += offLine;
        traffic.overMidnight += midnight;
    }
    return traffic;
}

// The same choice made directly on the tables: rows at line stops, counted per kelo.
std::vector<std::string> CountedOnTables(const std::vector<std::string>& line) {
    const KeloDemoRootType& root = KeloDemoBuiltInRoot();
    std::vector<std::string> numbers;
    for (std::int32_t k = 0; k < root.keloCount; ++k) {
        int calls = 0;
        for (std::int32_t r = 0; r < root.kelos[k].rowCount; ++r)
            calls += std::count(line.begin(), line.end(),
                                root.rows[root.kelos[k].firstRow + r].stop) > 0;
        if (calls >= 2)
            numbers.emplace_back(root.kelos[k].number);
    }
    return numbers;
}

class KeloDemoLinesTest : public testing::TestWithParam<const char*> {};

TEST_P(KeloDemoLinesTest, DiagramOfTheLineHasBusyTwoWayTraffic) {
    const std::vector<std::string> line = LineOf(KeloDemoBuiltInRoot(), Cp(GetParam()));
    ASSERT_GE(line.size(), 4u);
    const LineTraffic traffic = TrafficOf(line);
    EXPECT_EQ(traffic.offered, CountedOnTables(line));
    EXPECT_NE(std::find(traffic.offered.begin(), traffic.offered.end(), Cp(GetParam())),
              traffic.offered.end());
    EXPECT_GE(traffic.offered.size(), 12u);
    EXPECT_GE(traffic.forward, 1);
    EXPECT_GE(traffic.backward, 1);
    EXPECT_GE(traffic.joiningOrLeaving, 3);
    EXPECT_GE(traffic.overMidnight, 1);
}

INSTANTIATE_TEST_SUITE_P(ShippedLines, KeloDemoLinesTest,
                         testing::Values("02П", "30Т", "60К", "10М", "84Л"));

TEST(KeloDemoLinesTest, LineOf02PIsOfferedTheSuburbanAndLongDistanceKelos) {
    const std::vector<std::string> line = LineOf(KeloDemoBuiltInRoot(), Cp("02П"));
    const LineTraffic traffic = TrafficOf(line);
    for (const char* number : {"02П", "03П", "04П", "05П", "150", "151"}) {
        EXPECT_NE(std::find(traffic.offered.begin(), traffic.offered.end(), Cp(number)),
                  traffic.offered.end())
            << number;
    }
    // The first call of a kelo at one line stop only: not offered, found by number.
    EXPECT_EQ(std::find(traffic.offered.begin(), traffic.offered.end(), "100"),
              traffic.offered.end());
    EXPECT_FALSE(MakeBuiltInSource(line)->FindKelo("100").IsNull());
}

TEST(KeloDemoLinesTest, OneStopOfAKeloIsNotEnough) {
    KeloDataPtrClass source = MakeBuiltInSource({"050157"}); // ПИСАРЕВКА#
    EXPECT_EQ(source->GetKeloSet()->GetCount(), 0);
    EXPECT_FALSE(source->FindKelo(Cp("02П")).IsNull());
    EXPECT_EQ(source->GetStopSet()->GetCount(), 441);
}

} // namespace
