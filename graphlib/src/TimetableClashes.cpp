#include "TimetableClashes.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <numeric>
#include <set>
#include <utility>

namespace {

constexpr std::int32_t MinutesPerDay = 1440;
constexpr std::int32_t HalfDay = 720;

// A departure at one stop, ordered the way the clash index orders them: by time, then kelo
// number (as its rank among the numbers), then by the call's place in the kelo.
struct DepartureEntry {
    std::int32_t stop;
    bool forward;
    std::int32_t time;
    std::int32_t rank;
    std::int32_t seq;
    std::int32_t kelo;

    // Stop and direction, then time and rank, packed so that sorting compares integers.
    std::uint64_t group = 0;
    std::uint64_t order = 0;

    void Pack() {
        group = (std::uint64_t(std::uint32_t(stop)) << 1) | std::uint64_t(forward);
        order = (std::uint64_t(std::uint32_t(time)) << 32) | std::uint32_t(rank);
    }
    bool SameGroup(const DepartureEntry& other) const { return group == other.group; }
    auto Key() const { return std::tie(group, order, seq); }
};

struct RunEntry {
    std::int32_t from;
    std::int32_t to;
    bool forward;
    std::int32_t departure;
    std::int32_t rank;
    std::int32_t seq;
    std::int32_t travel;
    std::int32_t kelo;

    std::uint64_t group = 0;
    std::uint64_t order = 0;

    void Pack() {
        group = (std::uint64_t(std::uint32_t(from)) << 32) |
                (std::uint64_t(std::uint32_t(to)) << 1) | std::uint64_t(forward);
        order = (std::uint64_t(std::uint32_t(departure)) << 32) | std::uint32_t(rank);
    }
    bool SameGroup(const RunEntry& other) const { return group == other.group; }
    auto Key() const { return std::tie(group, order, seq); }
};

// A clash with its kelos as ranks among the numbers: sorts like the clash itself, without
// touching a string until the list is in order.
struct ClashKey {
    std::int32_t stop;
    std::int32_t time;
    TimetableClashKind kind;
    std::int32_t rankA;
    std::int32_t rankB;
    std::int32_t toStop;
    std::int32_t toTime;

    friend auto operator<=>(const ClashKey&, const ClashKey&) = default;
};

void FindIntervals(std::vector<DepartureEntry>& entries, std::int32_t minimum,
                   std::vector<ClashKey>& clashes) {
    std::sort(entries.begin(), entries.end(),
              [](const DepartureEntry& a, const DepartureEntry& b) { return a.Key() < b.Key(); });
    for (std::size_t first = 0; first < entries.size();) {
        std::size_t end = first + 1;
        while (end < entries.size() && entries[end].SameGroup(entries[first]))
            ++end;
        // Each departure against the one before it on the circle; the first of the day
        // against the last, across midnight.
        for (std::size_t i = first; end - first > 1 && i < end; ++i) {
            const DepartureEntry& later = entries[i];
            const DepartureEntry& earlier = entries[i == first ? end - 1 : i - 1];
            const std::int32_t gap = later.time - earlier.time + (i == first ? MinutesPerDay : 0);
            if (gap >= minimum || later.kelo == earlier.kelo)
                continue;
            clashes.push_back({later.stop, later.time, TimetableClashKind::Interval, later.rank,
                               earlier.rank, later.stop, later.time});
        }
        first = end;
    }
}

// Within one group of runs from s to t, sorted by departure: every later run that arrives
// first. The day is laid out twice, so that a run leaving shortly after midnight meets those
// that left before it; only runs of the first day are overtaken, so each pair counts once.
void FindOvertakingsInGroup(const RunEntry* runs, std::size_t count,
                            std::vector<ClashKey>& clashes) {
    // Runs still on the way, by arrival on the doubled day.
    std::set<std::pair<std::int32_t, std::size_t>> onTheWay;
    for (std::size_t first = 0; first < 2 * count;) {
        const bool secondDay = first >= count;
        const std::int32_t departure =
            runs[first % count].departure + (secondDay ? MinutesPerDay : 0);
        std::size_t end = first + 1;
        while (end < 2 * count && end != count &&
               runs[end % count].departure + (end >= count ? MinutesPerDay : 0) == departure)
            ++end;
        while (!onTheWay.empty() && onTheWay.begin()->first <= departure)
            onTheWay.erase(onTheWay.begin());
        for (std::size_t e = first; e < end; ++e) {
            const RunEntry& later = runs[e % count];
            const std::int32_t arrival = departure + later.travel;
            for (auto it = onTheWay.upper_bound({arrival, std::numeric_limits<std::size_t>::max()});
                 it != onTheWay.end(); ++it) {
                const RunEntry& earlier = runs[it->second];
                const std::int32_t delta = departure - earlier.departure;
                // Exactly half a day apart, the run of the same day is the later one.
                if (delta > HalfDay || (delta == HalfDay && secondDay) ||
                    earlier.kelo == later.kelo)
                    continue;
                clashes.push_back({later.from, later.departure, TimetableClashKind::Overtaking,
                                   later.rank, earlier.rank, later.to,
                                   TimetableClashDayMinute(later.departure + later.travel)});
            }
        }
        if (!secondDay)
            for (std::size_t e = first; e < end; ++e)
                onTheWay.insert({runs[e].departure + runs[e].travel, e});
        first = end;
    }
}

void FindOvertakings(std::vector<RunEntry>& runs, std::vector<ClashKey>& clashes) {
    std::sort(runs.begin(), runs.end(),
              [](const RunEntry& a, const RunEntry& b) { return a.Key() < b.Key(); });
    for (std::size_t first = 0; first < runs.size();) {
        std::size_t end = first + 1;
        while (end < runs.size() && runs[end].SameGroup(runs[first]))
            ++end;
        FindOvertakingsInGroup(runs.data() + first, end - first, clashes);
        first = end;
    }
}

} // namespace

std::unordered_map<std::string, std::int32_t>
TimetableClashStopPositions(const std::vector<std::string>& line) {
    std::unordered_map<std::string, std::int32_t> stops;
    for (std::size_t i = 0; i < line.size(); ++i)
        stops.emplace(line[i], static_cast<std::int32_t>(i));
    return stops;
}

std::int32_t TimetableClashDayMinute(std::int64_t minutes) {
    return static_cast<std::int32_t>(((minutes % MinutesPerDay) + MinutesPerDay) % MinutesPerDay);
}

TimetableClashPlanType
PlanTimetableClashKelo(const std::unordered_map<std::string, std::int32_t>& stops,
                       const TimetableClashKeloType& kelo) {
    TimetableClashPlanType plan;
    bool hasPrevious = false;
    TimetableClashRunType run;
    for (std::size_t j = 0; j < kelo.calls.size(); ++j) {
        const TimetableClashCallType& call = kelo.calls[j];
        const auto stop = stops.find(call.stopCode);
        if (stop == stops.end() || call.arrival.IsEmpty()) {
            hasPrevious = false;
            continue;
        }
        const std::int64_t arrival = call.arrival.GetTotalMinutes();
        if (hasPrevious) {
            run.to = stop->second;
            run.travel = TimetableClashDayMinute(arrival - run.departure);
            plan.runs.push_back(run);
        }
        if (j + 1 == kelo.calls.size())
            break;
        const std::int64_t stay = call.stay.IsEmpty() ? 0 : call.stay.GetTotalMinutes();
        const std::int32_t departure = TimetableClashDayMinute(arrival + stay);
        plan.departures.push_back({stop->second, departure});
        run.from = stop->second;
        run.departure = departure;
        hasPrevious = true;
    }
    return plan;
}

std::vector<TimetableClashType>
FindTimetableClashes(const std::vector<std::string>& line,
                     const std::vector<TimetableClashKeloType>& kelos,
                     std::int32_t minimumInterval) {
    const auto stops = TimetableClashStopPositions(line);
    // Equal departures are ordered by kelo number, as the clash index orders them.
    std::vector<std::int32_t> byNumber(kelos.size());
    std::iota(byNumber.begin(), byNumber.end(), 0);
    std::sort(byNumber.begin(), byNumber.end(),
              [&](std::int32_t a, std::int32_t b) { return kelos[a].number < kelos[b].number; });
    std::vector<std::int32_t> rank(kelos.size());
    for (std::size_t r = 0; r < byNumber.size(); ++r)
        rank[byNumber[r]] = static_cast<std::int32_t>(r);

    std::size_t calls = 0;
    for (const TimetableClashKeloType& kelo : kelos)
        calls += kelo.calls.size();
    std::vector<DepartureEntry> departures;
    std::vector<RunEntry> runs;
    departures.reserve(calls);
    runs.reserve(calls);
    for (std::size_t k = 0; k < kelos.size(); ++k) {
        const TimetableClashPlanType plan = PlanTimetableClashKelo(stops, kelos[k]);
        const auto kelo = static_cast<std::int32_t>(k);
        const bool forward = kelos[k].forward;
        for (std::size_t j = 0; j < plan.departures.size(); ++j) {
            departures.push_back({plan.departures[j].stop, forward, plan.departures[j].time,
                                  rank[k], static_cast<std::int32_t>(j), kelo});
            departures.back().Pack();
        }
        for (std::size_t j = 0; j < plan.runs.size(); ++j) {
            const TimetableClashRunType& run = plan.runs[j];
            runs.push_back({run.from, run.to, forward, run.departure, rank[k],
                            static_cast<std::int32_t>(j), run.travel, kelo});
            runs.back().Pack();
        }
    }

    std::vector<ClashKey> found;
    const std::int32_t minimum = std::min(minimumInterval, TimetableClashMaximumMinimumInterval);
    if (minimum > 0)
        FindIntervals(departures, minimum, found);
    FindOvertakings(runs, found);
    std::sort(found.begin(), found.end());
    std::vector<TimetableClashType> clashes;
    clashes.reserve(found.size());
    for (const ClashKey& key : found)
        clashes.push_back({key.stop, key.time, key.kind, kelos[byNumber[key.rankA]].number,
                           kelos[byNumber[key.rankB]].number, key.toStop, key.toTime});
    return clashes;
}

std::string FormatTimetableClash(const TimetableClashType& clash,
                                 const std::vector<std::string>& line) {
    const std::int32_t minute = TimetableClashDayMinute(clash.time);
    char time[8];
    std::snprintf(time, sizeof time, "%02d:%02d", minute / 60 % 24, minute % 60);
    const std::string stop = clash.stop >= 0 && static_cast<std::size_t>(clash.stop) < line.size()
                                 ? line[clash.stop]
                                 : std::string();
    std::string text = clash.kind == TimetableClashKind::Interval ? "interval" : "overtaking";
    for (const std::string* part : {&stop, &clash.keloA, &clash.keloB}) {
        text += ';';
        text += *part;
        if (part == &stop) {
            text += ';';
            text += time;
        }
    }
    return text;
}
