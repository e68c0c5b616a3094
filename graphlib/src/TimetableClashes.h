#pragma once

#include "KeloTimeType.h"

#include <compare>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

/// One call of a kelo at a stop of the line, as the line's timetable view gives it.
struct TimetableClashCallType {
    std::string stopCode;
    KeloTimeType arrival;
    KeloTimeType stay; // empty counts as 0
};

/// A kelo as the clash rules see it: its number, its direction along the line and its calls
/// at stops of the line in its own order.
struct TimetableClashKeloType {
    std::string number;
    bool forward = true;
    std::vector<TimetableClashCallType> calls;
};

enum class TimetableClashKind : std::int32_t { Interval = 0, Overtaking = 1 };

/// One clash. Kelo A is the one at fault: for an interval the later of two departures too
/// close together, for an overtaking the kelo that leaves `stop` later and reaches `toStop`
/// first. `time` is kelo A's departure at `stop`. Clashes order by the stop's position on
/// the line, then time.
struct TimetableClashType {
    std::int32_t stop = 0; // position of the stop on the line
    std::int32_t time = 0; // minutes into the day, 0 to 1439
    TimetableClashKind kind = TimetableClashKind::Interval;
    std::string keloA;
    std::string keloB;
    std::int32_t toStop = 0; // where the overtaking run ends; `stop` for an interval
    std::int32_t toTime = 0; // kelo A's arrival there; `time` for an interval

    friend auto operator<=>(const TimetableClashType&, const TimetableClashType&) = default;
    friend bool operator==(const TimetableClashType&, const TimetableClashType&) = default;
};

constexpr std::int32_t TimetableClashDefaultMinimumInterval = 3;
// A minimum interval of half a day or more would make the two departures of a stop clash
// both ways round the circle; larger values are taken as this.
constexpr std::int32_t TimetableClashMaximumMinimumInterval = 720;

/// A departure and a run of one kelo, with the stops as positions on the line.
struct TimetableClashDepartureType {
    std::int32_t stop = 0;
    std::int32_t time = 0; // minutes into the day
};
struct TimetableClashRunType {
    std::int32_t from = 0;
    std::int32_t to = 0;
    std::int32_t departure = 0; // minutes into the day
    std::int32_t travel = 0;    // minutes, measured over midnight: 0 to 1439
};
struct TimetableClashPlanType {
    std::vector<TimetableClashDepartureType> departures;
    std::vector<TimetableClashRunType> runs;
};

/// Positions of the line's stops by code; a stop listed twice keeps its first position.
std::unordered_map<std::string, std::int32_t>
TimetableClashStopPositions(const std::vector<std::string>& line);

/// The departures and runs of one kelo. A call without an arrival has no place in time: it
/// neither departs nor ends or starts a run. The last call is not a departure.
TimetableClashPlanType
PlanTimetableClashKelo(const std::unordered_map<std::string, std::int32_t>& stops,
                       const TimetableClashKeloType& kelo);

/// Minutes taken into the day, 0 to 1439.
std::int32_t TimetableClashDayMinute(std::int64_t minutes);

/// All interval and overtaking clashes of the kelos on the line, in clash order. A minimum
/// interval of 0 turns interval clashes off. Sorts the calls of each stop and the runs of
/// each pair of stops once: O(n log n) for n calls, plus the clashes found.
std::vector<TimetableClashType>
FindTimetableClashes(const std::vector<std::string>& line,
                     const std::vector<TimetableClashKeloType>& kelos,
                     std::int32_t minimumInterval);

/// `kind;stop code;HH:MM;kelo A;kelo B` with the kind as "interval" or "overtaking".
std::string FormatTimetableClash(const TimetableClashType& clash,
                                 const std::vector<std::string>& line);
