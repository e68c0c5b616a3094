#include "KeloGtfsCalendarClass.h"

#include "KeloGtfsTime.h"

#include <algorithm>
#include <map>

namespace {

std::int32_t RequireDate(KeloGtfsCsvReaderClass& reader, int column) {
    const std::string_view text = reader.Field(column);
    const std::optional<std::int32_t> day = ParseGtfsDate(text);
    if (!day)
        reader.Fail("\"" + std::string(text) + "\" is not a date as YYYYMMDD");
    return *day;
}

} // namespace

std::uint32_t KeloGtfsCalendarClass::AddService(std::string_view id) {
    const auto found = index.find(id);
    if (found != index.end())
        return found->second;
    const auto number = static_cast<std::uint32_t>(services.size());
    index.emplace(std::string(id), number);
    services.emplace_back();
    return number;
}

void KeloGtfsCalendarClass::ReadCalendar(KeloGtfsCsvReaderClass& reader) {
    static const char* const Days[] = {"monday", "tuesday",  "wednesday", "thursday",
                                       "friday", "saturday", "sunday"};
    const int idColumn = reader.RequireColumn("service_id");
    int dayColumns[7];
    for (int i = 0; i < 7; ++i)
        dayColumns[i] = reader.RequireColumn(Days[i]);
    const int startColumn = reader.RequireColumn("start_date");
    const int endColumn = reader.RequireColumn("end_date");
    while (reader.Next()) {
        Service& service = services[AddService(reader.Field(idColumn))];
        service.weekdays = 0;
        for (int i = 0; i < 7; ++i) {
            const std::string_view flag = reader.Field(dayColumns[i]);
            if (flag == "1")
                service.weekdays |= 1u << i;
            else if (flag != "0")
                reader.Fail(std::string(Days[i]) + " must be 0 or 1, not \"" + std::string(flag) +
                            "\"");
        }
        service.first = RequireDate(reader, startColumn);
        service.last = RequireDate(reader, endColumn);
        if (service.last < service.first)
            reader.Fail("end_date lies before start_date");
    }
}

void KeloGtfsCalendarClass::ReadCalendarDates(KeloGtfsCsvReaderClass& reader) {
    const int idColumn = reader.RequireColumn("service_id");
    const int dateColumn = reader.RequireColumn("date");
    const int typeColumn = reader.RequireColumn("exception_type");
    while (reader.Next()) {
        const std::uint32_t service = AddService(reader.Field(idColumn));
        const std::int32_t day = RequireDate(reader, dateColumn);
        const std::string_view type = reader.Field(typeColumn);
        if (type != "1" && type != "2")
            reader.Fail("exception_type must be 1 or 2, not \"" + std::string(type) + "\"");
        services[service].exceptions.emplace_back(day, type == "1");
    }
}

bool KeloGtfsCalendarClass::RunsByCalendar(const Service& service, std::int32_t day) const {
    return day >= service.first && day <= service.last &&
           (service.weekdays >> GtfsWeekday(day) & 1u) != 0;
}

bool KeloGtfsCalendarClass::Runs(std::uint32_t number, std::int32_t day) const {
    const Service& service = services[number];
    // The last exception for a day decides; a removal without a calendar.txt day is harmless.
    for (auto it = service.exceptions.rbegin(); it != service.exceptions.rend(); ++it)
        if (it->first == day)
            return it->second;
    return RunsByCalendar(service, day);
}

std::optional<std::int32_t>
KeloGtfsCalendarClass::BusiestDay(const std::vector<std::uint64_t>& weights) const {
    // Days of the calendar ranges are counted per weekday with difference arrays over at most
    // MaxSweptDays from the earliest start; exception days are corrected one by one, and those
    // beyond the swept span are counted in full.
    constexpr std::int32_t MaxSweptDays = 3660;
    std::int32_t first = 0, last = -1;
    for (std::size_t s = 0; s < services.size(); ++s) {
        const Service& service = services[s];
        if (service.first > service.last || weights[s] == 0)
            continue;
        const bool any = last >= first;
        first = any ? std::min(first, service.first) : service.first;
        last = any ? std::max(last, service.last) : service.last;
    }
    const bool anyRange = last >= first;
    if (anyRange)
        last = std::min(last, first + MaxSweptDays - 1);
    const auto inSweep = [&](std::int32_t day) { return day >= first && day <= last; };

    std::map<std::int32_t, std::int64_t> totals;
    if (first <= last) {
        const std::size_t span = static_cast<std::size_t>(last - first) + 1;
        std::vector<std::int64_t> perWeekday[7];
        for (auto& v : perWeekday)
            v.assign(span + 1, 0);
        for (std::size_t s = 0; s < services.size(); ++s) {
            const Service& service = services[s];
            if (service.first > service.last || weights[s] == 0 || service.first > last)
                continue;
            const auto weight = static_cast<std::int64_t>(weights[s]);
            const auto from = static_cast<std::size_t>(service.first - first);
            const auto to = static_cast<std::size_t>(std::min(service.last, last) - first) + 1;
            for (int w = 0; w < 7; ++w)
                if ((service.weekdays >> w & 1u) != 0) {
                    perWeekday[w][from] += weight;
                    perWeekday[w][to] -= weight;
                }
        }
        std::int64_t running[7] = {};
        for (std::size_t at = 0; at < span; ++at) {
            for (int w = 0; w < 7; ++w)
                running[w] += perWeekday[w][at];
            const auto day = first + static_cast<std::int32_t>(at);
            if (const std::int64_t count = running[GtfsWeekday(day)]; count > 0)
                totals[day] = count;
        }
    }
    std::map<std::int32_t, bool> outside; // exception days beyond the sweep
    for (std::size_t s = 0; s < services.size(); ++s) {
        const Service& service = services[s];
        if (weights[s] == 0)
            continue;
        std::map<std::int32_t, bool> decided; // the last exception per day holds
        for (const auto& [day, added] : service.exceptions)
            decided[day] = added;
        for (const auto& [day, added] : decided) {
            // Without any calendar.txt range every day starts from nothing; otherwise a day
            // beyond the sweep is counted in full below.
            if (anyRange && !inSweep(day)) {
                outside[day] = true;
                continue;
            }
            if (added != RunsByCalendar(service, day))
                totals[day] += added ? static_cast<std::int64_t>(weights[s])
                                     : -static_cast<std::int64_t>(weights[s]);
        }
    }
    for (const auto& entry : outside) {
        std::int64_t count = 0;
        for (std::uint32_t s = 0; s < services.size(); ++s)
            if (weights[s] != 0 && Runs(s, entry.first))
                count += static_cast<std::int64_t>(weights[s]);
        totals[entry.first] = count;
    }
    std::optional<std::int32_t> best;
    std::int64_t bestCount = 0;
    for (const auto& [day, count] : totals)
        if (count > bestCount) {
            best = day;
            bestCount = count;
        }
    return best;
}
