#include "KeloGtfsCalendarClass.h"

#include "KeloGtfsTime.h"

#include <algorithm>
#include <array>
#include <iterator>
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
    // The count of a day changes only where a calendar range begins or ends, by weekday, and
    // on exception days. Between two such days each weekday keeps its count, so its first
    // day there that is no exception day stands for all of them; exception days are
    // counted one by one. The cost follows the number of services and exceptions, whatever
    // the dates.
    std::map<std::int32_t, std::array<std::int64_t, 7>> changes; // per weekday, from the day
    std::map<std::int32_t, std::int64_t> corrections;            // exception days
    for (std::size_t s = 0; s < services.size(); ++s) {
        const Service& service = services[s];
        if (weights[s] == 0)
            continue;
        const auto weight = static_cast<std::int64_t>(weights[s]);
        if (service.first <= service.last) {
            auto& from = changes[service.first];
            auto& to = changes[service.last + 1];
            for (int w = 0; w < 7; ++w)
                if ((service.weekdays >> w & 1u) != 0) {
                    from[w] += weight;
                    to[w] -= weight;
                }
        }
        std::map<std::int32_t, bool> decided; // the last exception per day holds
        for (const auto& [day, added] : service.exceptions)
            decided[day] = added;
        for (const auto& [day, added] : decided) {
            changes[day]; // a day to visit
            std::int64_t& correction = corrections[day];
            if (added != RunsByCalendar(service, day))
                correction += added ? weight : -weight;
        }
    }
    std::optional<std::int32_t> best;
    std::int64_t bestCount = 0;
    const auto offer = [&](std::int32_t day, std::int64_t count) {
        if (count > 0 && (count > bestCount || (count == bestCount && day < *best))) {
            best = day;
            bestCount = count;
        }
    };
    std::array<std::int64_t, 7> running{};
    for (auto at = changes.begin(); at != changes.end(); ++at) {
        for (int w = 0; w < 7; ++w)
            running[w] += at->second[w];
        const std::int32_t from = at->first;
        const auto next = std::next(at);
        // Past the last change every range has ended; exception days there still count.
        const std::int32_t to = next == changes.end() ? INT32_MAX : next->first; // exclusive
        for (int k = 0; k < 7 && from + k < to; ++k) {
            std::int32_t day = from + k;
            while (day < to && corrections.count(day))
                day += 7;
            if (day < to)
                offer(day, running[GtfsWeekday(day)]);
        }
        for (auto e = corrections.lower_bound(from); e != corrections.end() && e->first < to; ++e)
            offer(e->first, running[GtfsWeekday(e->first)] + e->second);
    }
    return best;
}
