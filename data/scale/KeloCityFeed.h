#pragma once

#include <cstdint>
#include <string>

/// The kelo number the import gives the trunk route's first trip: its stops make the line
/// with the most kelos.
inline constexpr const char* KeloCityFeedBusiestKelo = "1-001";

/// What WriteKeloCityFeed wrote, and where a benchmark finds its busiest line.
struct KeloCityFeedSummaryType {
    int routes = 0;
    int stops = 0;
    int trips = 0;
    std::int64_t stopTimes = 0;
    std::string busiestKelo = KeloCityFeedBusiestKelo;
};

/// A synthetic city bus feed shaped like a real operator's: about 200 routes of 25 to 60
/// stops, each run both ways over a grid of about 1,900 shared stops, about 10,000 trips at
/// headways of 5 to 30 minutes and about 270,000 stop times. The same seed writes the same
/// bytes. Writes the GTFS tables into the folder `dir` (made when missing); throws
/// std::runtime_error when a file cannot be written.
KeloCityFeedSummaryType WriteKeloCityFeed(const std::string& dir, std::uint32_t seed = 1);
