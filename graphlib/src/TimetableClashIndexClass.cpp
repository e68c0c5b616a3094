#include "TimetableClashIndexClass.h"

#include <algorithm>
#include <unordered_set>

namespace {

constexpr std::int32_t MinutesPerDay = 1440;
constexpr std::int32_t HalfDay = 720;

template <typename Set, typename Iterator> Iterator NextOnCircle(const Set& set, Iterator it) {
    ++it;
    return it == set.end() ? set.begin() : it;
}

template <typename Set, typename Iterator> Iterator PreviousOnCircle(const Set& set, Iterator it) {
    if (it == set.begin())
        it = set.end();
    return --it;
}

} // namespace

void TimetableClashIndexClass::Reset(const std::vector<std::string>& newLine,
                                     const std::vector<TimetableClashKeloType>& newKelos,
                                     std::int32_t newMinimumInterval) {
    line = newLine;
    stops = TimetableClashStopPositions(line);
    minimumInterval = std::min(newMinimumInterval, TimetableClashMaximumMinimumInterval);
    kelos.clear();
    departures.clear();
    runs.clear();
    // Built in bulk: each group sorted once, the clashes by the full sweep.
    std::map<std::pair<std::int32_t, bool>, std::vector<EntryType>> departureLists;
    std::map<GroupKeyType, std::vector<EntryType>> runLists;
    for (const TimetableClashKeloType& kelo : newKelos) {
        const TimetableClashPlanType plan = PlanTimetableClashKelo(stops, kelo);
        for (std::size_t j = 0; j < plan.departures.size(); ++j)
            departureLists[{plan.departures[j].stop, kelo.forward}].push_back(
                {plan.departures[j].time, kelo.number, static_cast<std::int32_t>(j), 0});
        for (std::size_t j = 0; j < plan.runs.size(); ++j) {
            const TimetableClashRunType& run = plan.runs[j];
            runLists[{run.from, run.to, kelo.forward}].push_back(
                {run.departure, kelo.number, static_cast<std::int32_t>(j), run.travel});
        }
        kelos[kelo.number] = kelo;
    }
    for (auto& [key, list] : departureLists) {
        std::sort(list.begin(), list.end());
        departures.emplace(key, EntrySetType(std::make_move_iterator(list.begin()),
                                             std::make_move_iterator(list.end())));
    }
    for (auto& [key, list] : runLists) {
        std::sort(list.begin(), list.end());
        RunGroupType& group = runs[key];
        for (const EntryType& run : list)
            group.travels.insert(run.travel);
        group.runs = EntrySetType(std::make_move_iterator(list.begin()),
                                  std::make_move_iterator(list.end()));
    }
    const std::vector<TimetableClashType> found =
        FindTimetableClashes(line, newKelos, minimumInterval);
    clashes = std::multiset<TimetableClashType>(found.begin(), found.end());
}

void TimetableClashIndexClass::SetMinimumInterval(std::int32_t newMinimumInterval) {
    std::vector<TimetableClashKeloType> all;
    all.reserve(kelos.size());
    for (auto& [number, kelo] : kelos)
        all.push_back(std::move(kelo));
    Reset(line, all, newMinimumInterval);
}

void TimetableClashIndexClass::Update(const std::vector<std::string>& changedNumbers,
                                      const std::vector<TimetableClashKeloType>& current) {
    const std::unordered_set<std::string> changed(changedNumbers.begin(), changedNumbers.end());
    // One kelo at a time out, then one at a time in: a pair of two changed kelos is then
    // met exactly once on each way.
    for (const std::string& number : changed)
        Remove(number);
    for (const TimetableClashKeloType& kelo : current)
        if (changed.count(kelo.number) != 0 && kelos.count(kelo.number) == 0)
            Insert(kelo);
}

void TimetableClashIndexClass::Insert(const TimetableClashKeloType& kelo) {
    const TimetableClashPlanType plan = PlanTimetableClashKelo(stops, kelo);
    for (std::size_t j = 0; j < plan.departures.size(); ++j) {
        const TimetableClashDepartureType& departure = plan.departures[j];
        InsertDeparture(departures[{departure.stop, kelo.forward}], departure.stop,
                        {departure.time, kelo.number, static_cast<std::int32_t>(j), 0});
    }
    for (std::size_t j = 0; j < plan.runs.size(); ++j) {
        const TimetableClashRunType& run = plan.runs[j];
        const GroupKeyType key{run.from, run.to, kelo.forward};
        RunGroupType& group = runs[key];
        const auto it =
            group.runs
                .insert({run.departure, kelo.number, static_cast<std::int32_t>(j), run.travel})
                .first;
        group.travels.insert(run.travel);
        for (TimetableClashType& clash : Overtakings(group, it, key))
            clashes.insert(std::move(clash));
    }
    kelos[kelo.number] = kelo;
}

void TimetableClashIndexClass::Remove(const std::string& number) {
    const auto found = kelos.find(number);
    if (found == kelos.end())
        return;
    const TimetableClashKeloType& kelo = found->second;
    const TimetableClashPlanType plan = PlanTimetableClashKelo(stops, kelo);
    for (std::size_t j = 0; j < plan.departures.size(); ++j) {
        const TimetableClashDepartureType& departure = plan.departures[j];
        const auto group = departures.find({departure.stop, kelo.forward});
        RemoveDeparture(group->second, departure.stop,
                        {departure.time, number, static_cast<std::int32_t>(j), 0});
        if (group->second.empty())
            departures.erase(group);
    }
    for (std::size_t j = 0; j < plan.runs.size(); ++j) {
        const TimetableClashRunType& run = plan.runs[j];
        const GroupKeyType key{run.from, run.to, kelo.forward};
        const auto group = runs.find(key);
        const auto it =
            group->second.runs.find({run.departure, number, static_cast<std::int32_t>(j), 0});
        for (const TimetableClashType& clash : Overtakings(group->second, it, key))
            EraseClash(clash);
        group->second.runs.erase(it);
        group->second.travels.erase(group->second.travels.find(run.travel));
        if (group->second.runs.empty())
            runs.erase(group);
    }
    kelos.erase(found);
}

bool TimetableClashIndexClass::IntervalClash(std::int32_t stop, const EntryType& earlier,
                                             const EntryType& later,
                                             TimetableClashType& clash) const {
    if (minimumInterval <= 0 || earlier.number == later.number)
        return false;
    // The first departure of the day follows the last one across midnight.
    const std::int32_t gap = later.time - earlier.time + (later < earlier ? MinutesPerDay : 0);
    if (gap >= minimumInterval)
        return false;
    clash = {stop, later.time, TimetableClashKind::Interval, later.number, earlier.number,
             stop, later.time};
    return true;
}

void TimetableClashIndexClass::InsertDeparture(EntrySetType& group, std::int32_t stop,
                                               const EntryType& entry) {
    const auto it = group.insert(entry).first;
    if (group.size() < 2)
        return;
    const EntryType& previous = *PreviousOnCircle(group, it);
    const EntryType& next = *NextOnCircle(group, it);
    TimetableClashType clash;
    // The new departure comes between two neighbours that were next to each other.
    if (group.size() > 2 && IntervalClash(stop, previous, next, clash))
        EraseClash(clash);
    if (IntervalClash(stop, previous, *it, clash))
        clashes.insert(clash);
    if (IntervalClash(stop, *it, next, clash))
        clashes.insert(clash);
}

void TimetableClashIndexClass::RemoveDeparture(EntrySetType& group, std::int32_t stop,
                                               const EntryType& entry) {
    const auto it = group.find(entry);
    if (group.size() >= 2) {
        const EntryType& previous = *PreviousOnCircle(group, it);
        const EntryType& next = *NextOnCircle(group, it);
        TimetableClashType clash;
        if (IntervalClash(stop, previous, *it, clash))
            EraseClash(clash);
        if (IntervalClash(stop, *it, next, clash))
            EraseClash(clash);
        if (group.size() > 2 && IntervalClash(stop, previous, next, clash))
            clashes.insert(clash);
    }
    group.erase(it);
}

std::vector<TimetableClashType>
TimetableClashIndexClass::Overtakings(const RunGroupType& group, EntrySetType::const_iterator run,
                                      const GroupKeyType& key) const {
    std::vector<TimetableClashType> found;
    const auto [from, to, forward] = key;
    const EntrySetType& set = group.runs;
    const std::int32_t longest = *group.travels.rbegin();
    // Runs that left before this one, back to where none could still be on the way.
    for (auto it = PreviousOnCircle(set, run); it != run; it = PreviousOnCircle(set, it)) {
        const bool wrapped = !(*it < *run);
        const std::int32_t delta = run->time - it->time + (wrapped ? MinutesPerDay : 0);
        if (delta >= longest || delta > HalfDay || (delta == HalfDay && wrapped))
            break;
        if (delta > 0 && it->number != run->number && it->travel > delta + run->travel)
            found.push_back({from, run->time, TimetableClashKind::Overtaking, run->number,
                             it->number, to, TimetableClashDayMinute(run->time + run->travel)});
    }
    // Runs that left after it, while they could still arrive first.
    for (auto it = NextOnCircle(set, run); it != run; it = NextOnCircle(set, it)) {
        const bool wrapped = *it < *run;
        const std::int32_t delta = it->time - run->time + (wrapped ? MinutesPerDay : 0);
        if (delta >= run->travel || delta > HalfDay || (delta == HalfDay && wrapped))
            break;
        if (delta > 0 && it->number != run->number && run->travel > delta + it->travel)
            found.push_back({from, it->time, TimetableClashKind::Overtaking, it->number,
                             run->number, to, TimetableClashDayMinute(it->time + it->travel)});
    }
    return found;
}

void TimetableClashIndexClass::EraseClash(const TimetableClashType& clash) {
    const auto it = clashes.find(clash);
    if (it != clashes.end())
        clashes.erase(it);
}
