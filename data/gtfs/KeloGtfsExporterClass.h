#pragma once

#include "KeloFeedPlan.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

/// Why an export was refused; nothing was written then.
enum class KeloGtfsExportRefusalType {
    StopsWithoutPosition, // `names` holds the first ten stops' names (UTF-8), `count` all
    NoPositionAtAll,      // no stop of the plan has a position, as in the built-in data set
    NoAgency,             // none stored and none given
    BadTimeZone,          // `names` holds the time zone
    NoTrips,              // no kelo has two stops with times
    BadDates,             // the end lies before the start
    Unwritable,           // `names` holds the system's reason
};

/// A refusal of the export: an English line for the command line, and the kind with its
/// details for a window to word in its own language.
class KeloGtfsExportErrorClass : public std::runtime_error {
public:
    KeloGtfsExportErrorClass(KeloGtfsExportRefusalType kind, const std::string& message,
                             std::vector<std::string> names = {}, std::uint64_t count = 0)
        : std::runtime_error(message), kind(kind), names(std::move(names)), count(count) {}
    KeloGtfsExportRefusalType kind;
    std::vector<std::string> names;
    std::uint64_t count;
};

/// What to write and whom to tell of progress.
struct KeloGtfsExportOptionsType {
    std::string file;                         // the .zip to write
    std::int32_t startDay = 0;                // days since 1970-01-01, the first day the plan runs
    std::int32_t endDay = 0;                  // the last, inclusive
    std::optional<KeloFeedAgencyType> agency; // used when the plan stores none
    // Entries written so far of all; answering false cancels the export.
    std::function<bool(std::uint64_t done, std::uint64_t total)> progress;
};

/// What an export wrote.
struct KeloGtfsExportSummaryType {
    bool cancelled = false;
    std::uint64_t trips = 0;
    std::uint64_t stopTimes = 0;
    std::uint64_t stops = 0;
    std::uint64_t routes = 0;
    std::uint64_t skippedKelos = 0; // fewer than two stops, or no time at either end
};

/// Writes a plan as a GTFS feed: the one-day plan runs every day from the start to the end
/// day, each kelo one trip. The zip appears under its name whole or not at all. Refusals
/// throw KeloGtfsExportErrorClass before anything is written.
class KeloGtfsExporterClass {
public:
    KeloGtfsExportSummaryType Run(const KeloFeedPlanType& plan,
                                  const KeloGtfsExportOptionsType& options);
};

/// True for a time zone of the system's time zone database, such as "Europe/Kyiv".
bool KeloGtfsIsTimeZone(const std::string& name);

/// Today on this computer's calendar, as days since 1970-01-01.
std::int32_t KeloGtfsLocalToday();

/// The same date a year later; 29 February becomes 28 February.
std::int32_t KeloGtfsSameDayNextYear(std::int32_t day);
