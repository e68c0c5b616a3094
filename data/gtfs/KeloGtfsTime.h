#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Times and dates as the feed writes them.

/// Seconds after the start of the service day, from "H:MM:SS" or "HH:MM:SS";
/// hours may pass 24 for trips after midnight. Nothing for a malformed time ("25:61:00").
std::optional<std::int32_t> ParseGtfsTime(std::string_view text);

/// Days since 1970-01-01 of a "YYYYMMDD" date; nothing for a malformed or impossible date.
std::optional<std::int32_t> ParseGtfsDate(std::string_view text);

/// The same for a day the user names (--service-date): exactly eight digits, nothing around
/// them, and a date the calendar has.
std::optional<std::int32_t> ParseServiceDate(std::string_view text);

/// "YYYYMMDD" of a day number.
std::string FormatGtfsDate(std::int32_t day);

/// 0 for Monday .. 6 for Sunday, the order of calendar.txt's columns.
int GtfsWeekday(std::int32_t day);
