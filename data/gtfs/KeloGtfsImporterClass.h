#pragma once

#include "KeloPlanWriterClass.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

/// What to import: the feed, the day (the busiest one when not given) and whom to tell of
/// progress (a table name and the rows read of it so far, or "writing" and the timetable
/// rows written).
struct KeloGtfsImportOptionsType {
    std::string feed;                       // folder or .zip
    std::optional<std::int32_t> serviceDay; // days since 1970-01-01
    std::function<void(const std::string& table, std::uint64_t rows)> progress;
};

/// What an import wrote.
struct KeloGtfsImportSummaryType {
    std::int32_t day = 0;
    std::uint64_t stops = 0;
    std::uint64_t links = 0; // each direction counted
    std::uint64_t kelos = 0;
    std::uint64_t rows = 0;
    std::uint64_t skippedTrips = 0;       // trips of the day with fewer than two stops
    std::uint64_t replacedCharacters = 0; // characters Windows-1251 cannot hold
    std::string distanceSource;           // "shape_dist_traveled in metres", "great-circle"
};

/// Reads one day of a GTFS feed and writes its stops, links, bus models and kelos into a
/// sink. stop_times.txt is streamed; only compact numeric rows of the day's trips are kept.
/// Every refusal throws KeloGtfsErrorClass before Commit, naming the file and line.
class KeloGtfsImporterClass {
public:
    KeloGtfsImportSummaryType Run(const KeloGtfsImportOptionsType& options,
                                  KeloPlanWriterClass& sink);
    // The day an import without a service day takes: the one with the most trips. Nothing
    // when no trip runs on any day; throws KeloGtfsErrorClass for a broken feed.
    static std::optional<std::int32_t> BusiestDay(const std::string& feed);
};
