#pragma once

#include "KeloGtfsCsvReaderClass.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

/// The service days of a feed from calendar.txt and calendar_dates.txt, either of which may
/// be missing. Services are known by index; a service named nowhere never runs.
class KeloGtfsCalendarClass {
public:
    // Index of a service id, added when new.
    std::uint32_t AddService(std::string_view id);
    std::uint32_t GetServiceCount() const { return static_cast<std::uint32_t>(services.size()); }

    void ReadCalendar(KeloGtfsCsvReaderClass& reader);
    void ReadCalendarDates(KeloGtfsCsvReaderClass& reader);

    bool Runs(std::uint32_t service, std::int32_t day) const;
    // The day on which the most trips run, `weights[s]` trips belonging to service s; the
    // earliest of equal days. Nothing when no service runs on any day.
    std::optional<std::int32_t> BusiestDay(const std::vector<std::uint64_t>& weights) const;

private:
    struct Service {
        unsigned weekdays = 0; // bit 0 Monday .. bit 6 Sunday
        std::int32_t first = 1;
        std::int32_t last = 0; // first > last: no calendar.txt range
        std::vector<std::pair<std::int32_t, bool>> exceptions; // day, added
    };
    bool RunsByCalendar(const Service& service, std::int32_t day) const;

    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>()(text);
        }
    };
    std::unordered_map<std::string, std::uint32_t, Hash, std::equal_to<>> index;
    std::vector<Service> services;
};
