#pragma once

#include "TimetableClashes.h"

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

/// The clashes of a line kept current under edits: after a change only the changed kelos
/// and their neighbours at each stop are looked at again. Gives the same clashes as
/// FindTimetableClashes over the same kelos.
class TimetableClashIndexClass {
public:
    // Starts over with the whole line.
    void Reset(const std::vector<std::string>& line,
               const std::vector<TimetableClashKeloType>& kelos, std::int32_t minimumInterval);
    // Brings the clashes up to date after the kelos `changedNumbers` were added, removed or
    // changed. `current` holds the present state of those of them that still exist (others
    // in it are ignored); a changed number missing from it has been removed.
    void Update(const std::vector<std::string>& changedNumbers,
                const std::vector<TimetableClashKeloType>& current);
    // A new minimum interval rechecks every stop; 0 turns interval clashes off.
    void SetMinimumInterval(std::int32_t minimumInterval);
    std::int32_t GetMinimumInterval() const { return minimumInterval; }

    const std::multiset<TimetableClashType>& GetClashes() const { return clashes; }
    std::vector<TimetableClashType> GetClashList() const {
        return {clashes.begin(), clashes.end()};
    }
    const std::vector<std::string>& GetLine() const { return line; }

private:
    // A departure or a run in its group, ordered by time, kelo number and place in the kelo.
    struct EntryType {
        std::int32_t time = 0;
        std::string number;
        std::int32_t seq = 0;
        std::int32_t travel = 0; // runs only

        auto Key() const { return std::tie(time, number, seq); }
        bool operator<(const EntryType& other) const { return Key() < other.Key(); }
    };
    using EntrySetType = std::set<EntryType>;
    using GroupKeyType = std::tuple<std::int32_t, std::int32_t, bool>; // from, to, forward
    struct RunGroupType {
        EntrySetType runs;
        std::multiset<std::int32_t> travels; // the longest run bounds the search backwards
    };

    void Insert(const TimetableClashKeloType& kelo);
    void Remove(const std::string& number);
    void InsertDeparture(EntrySetType& group, std::int32_t stop, const EntryType& entry);
    void RemoveDeparture(EntrySetType& group, std::int32_t stop, const EntryType& entry);
    bool IntervalClash(std::int32_t stop, const EntryType& earlier, const EntryType& later,
                       TimetableClashType& clash) const;
    // Every overtaking between the run and the others of its group.
    std::vector<TimetableClashType> Overtakings(const RunGroupType& group,
                                                EntrySetType::const_iterator run,
                                                const GroupKeyType& key) const;
    void EraseClash(const TimetableClashType& clash);

    std::vector<std::string> line;
    std::unordered_map<std::string, std::int32_t> stops;
    std::int32_t minimumInterval = TimetableClashDefaultMinimumInterval;
    std::unordered_map<std::string, TimetableClashKeloType> kelos;
    std::map<std::pair<std::int32_t, bool>, EntrySetType> departures; // by stop, direction
    std::map<GroupKeyType, RunGroupType> runs;
    std::multiset<TimetableClashType> clashes;
};
