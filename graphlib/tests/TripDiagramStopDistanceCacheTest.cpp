#include "TripDiagramStopDistanceCacheClass.h"

#include "InMemoryKeloData.h"

#include <gtest/gtest.h>

namespace {

// A source whose stop set is exactly `codes`, in that order, with the given links.
KeloDataPtrClass LineSource(const std::vector<std::string>& codes,
                            const std::vector<InMemoryDataSet::Link>& links,
                            InMemoryKeloDataClass** spy = nullptr) {
    InMemoryDataSet data;
    for (const auto& code : codes)
        data.stops.push_back({code, "Stop " + code});
    data.links = links;
    return MakeInMemorySource(std::move(data), spy);
}

TripDiagramStopDistanceCacheClass Built(KeloDataPtrClass source) {
    TripDiagramStopDistanceCacheClass cache;
    cache.Build(source);
    return cache;
}

TEST(TripDiagramStopDistanceCache, EmptyAndOneStopLinesHaveNoRowsAndZeroLength) {
    for (const auto& codes : {std::vector<std::string>{}, std::vector<std::string>{"100001"}}) {
        auto cache = Built(LineSource(codes, {}));
        EXPECT_TRUE(cache.GetRows().empty());
        EXPECT_EQ(cache.GetDistanceToEnd(0), 0.0f);
        EXPECT_EQ(cache.GetLength(), 0.0f);
        EXPECT_EQ(cache.GetPosition(0), 0.0f);
        EXPECT_EQ(cache.GetPosition(1), 0.0f);
        std::uint32_t index = 99;
        EXPECT_TRUE(cache.FindStopIndex("100001", index));
        EXPECT_EQ(index, 0u);
        EXPECT_EQ(cache.GetStopPosition("anything"), 0.0f);
    }
}

TEST(TripDiagramStopDistanceCache, ThreeStopsGivePositionsDistancesAndLength) {
    InMemoryKeloDataClass* spy = nullptr;
    KeloDataPtrClass source = LineSource({"A", "B", "C"}, {{"A", "B", 10}, {"B", "C", 15}}, &spy);
    auto cache = Built(source);
    ASSERT_EQ(cache.GetRows().size(), 2u);
    EXPECT_EQ(cache.GetRows()[0].stopCode, "A");
    EXPECT_EQ(cache.GetRows()[0].distance, 10.0f);
    EXPECT_EQ(cache.GetRows()[1].stopCode, "B");
    EXPECT_EQ(cache.GetRows()[1].distance, 15.0f);
    EXPECT_EQ(cache.GetPosition(0), 0.0f);
    EXPECT_EQ(cache.GetPosition(1), 10.0f);
    EXPECT_EQ(cache.GetPosition(2), 25.0f);
    EXPECT_EQ(cache.GetDistanceToEnd(1), 15.0f);
    EXPECT_EQ(cache.GetDistanceToEnd(0), 25.0f);
    EXPECT_EQ(cache.GetDistanceToEnd(2), 0.0f);
    EXPECT_EQ(cache.GetDistanceBetween(2, 0), 25.0f);
    EXPECT_EQ(cache.GetDistanceBetween(0, 2), 25.0f);
    EXPECT_EQ(cache.GetDistanceBetween(1, 1), 0.0f);
    // Only the two consecutive pairs were asked, and nothing else.
    EXPECT_EQ(spy->Calls("GetDistance"), 2);
    EXPECT_EQ(spy->Calls("HasLink"), 0);
}

TEST(TripDiagramStopDistanceCache, PairsAreAskedInTravelOrderOfTheLine) {
    // Only the reverse link carries 7 km: asking B->A by mistake would give it.
    auto cache = Built(LineSource({"A", "B"}, {{"A", "B", 3}, {"B", "A", 7}}));
    EXPECT_EQ(cache.GetLength(), 3.0f);
}

TEST(TripDiagramStopDistanceCache, OutOfRangeIndicesGiveZero) {
    auto cache = Built(LineSource({"A", "B", "C"}, {{"A", "B", 10}, {"B", "C", 15}}));
    EXPECT_EQ(cache.GetPosition(3), 0.0f); // beyond the last stop: 0, not the length
    EXPECT_EQ(cache.GetPosition(1000), 0.0f);
    EXPECT_EQ(cache.GetDistanceBetween(0, 3), 0.0f);
    EXPECT_EQ(cache.GetDistanceBetween(3, 1), 0.0f);
    EXPECT_EQ(cache.GetDistanceToEnd(3), 0.0f);
}

TEST(TripDiagramStopDistanceCache, LastStopAndUnknownCodesMapToTheEnd) {
    auto cache = Built(LineSource({"A", "B", "C"}, {{"A", "B", 10}, {"B", "C", 15}}));
    std::uint32_t index = 0;
    EXPECT_TRUE(cache.FindStopIndex("C", index));
    EXPECT_EQ(index, 2u);
    EXPECT_EQ(cache.GetStopPosition("C"), 25.0f);
    index = 0;
    EXPECT_TRUE(cache.FindStopIndex("not on the line", index));
    EXPECT_EQ(index, 2u);
    EXPECT_EQ(cache.GetStopPosition("not on the line"), 25.0f);
    EXPECT_TRUE(cache.FindStopIndex("B", index));
    EXPECT_EQ(index, 1u);
    // Exact comparison: case and blanks matter.
    EXPECT_EQ(cache.GetStopPosition("a"), 25.0f);
    EXPECT_EQ(cache.GetStopPosition("B "), 25.0f);
}

TEST(TripDiagramStopDistanceCache, DuplicateCodeFindsTheFirstRow) {
    auto cache =
        Built(LineSource({"A", "B", "A", "C"}, {{"A", "B", 1}, {"B", "A", 2}, {"A", "C", 4}}));
    std::uint32_t index = 9;
    cache.FindStopIndex("A", index);
    EXPECT_EQ(index, 0u);
    EXPECT_EQ(cache.GetPosition(2), 3.0f);
    EXPECT_EQ(cache.GetLength(), 7.0f);
}

TEST(TripDiagramStopDistanceCache, StopsWithoutKnownDistanceShareAPosition) {
    auto cache = Built(LineSource({"A", "B", "C"}, {{"B", "C", 5}}));
    EXPECT_EQ(cache.GetPosition(0), cache.GetPosition(1));
    EXPECT_EQ(cache.GetPosition(2), 5.0f);
}

TEST(TripDiagramStopDistanceCache, SumsInSinglePrecision) {
    // 0.1 added ten times in float is not exactly 1, and not the double sum either.
    std::vector<std::string> codes;
    std::vector<InMemoryDataSet::Link> links;
    for (int i = 0; i <= 10; ++i)
        codes.push_back("S" + std::to_string(i));
    for (int i = 0; i < 10; ++i)
        links.push_back({codes[i], codes[i + 1], 0.1f});
    auto cache = Built(LineSource(codes, links));
    float expected = 0;
    for (int i = 0; i < 10; ++i)
        expected += 0.1f;
    EXPECT_EQ(cache.GetLength(), expected);
    EXPECT_NE(static_cast<double>(cache.GetLength()), 1.0);
}

} // namespace
