#pragma once

#include "KeloDataClass.h"

#include <cstdint>

/// Distance and average speed of one run, from the departure at one timetable entry to the
/// arrival at the next.
struct KeloRunType {
    float distance = 0;       // km, as the topology gives it (0 for an unknown link)
    std::int32_t minutes = 0; // running time over midnight if need be; 0 when a time is missing
    double speed = 0;         // km/h; 0 when the running time is 0
};

/// The one rule for a run's speed and distance: departure = arrival + stay (the stay only
/// when it is not empty); minutes = next arrival - departure, plus 1440 when the next arrival
/// is smaller; speed = km / minutes * 60, and 0 for zero minutes.
KeloRunType MeasureKeloRun(const KeloTimeType& arrival, const KeloTimeType& stay,
                           const KeloTimeType& nextArrival, float distance);

/// The same rule for entries `index` and `index + 1` of a timetable.
KeloRunType MeasureKeloRun(KeloKeloScheduleClass& schedule, std::int32_t index,
                           KeloTopologyClass& topology);

/// The arrival at the first entry: where a kelo starts. Empty when the timetable has no entries.
KeloTimeType KeloFirstArrival(KeloKeloScheduleClass& schedule);

/// Moves every arrival by the same difference so that the first arrival becomes `newStart`
/// (minutes 0..1439), wrapping each into the day; stays stay. Empty arrivals stay empty.
/// Answers false, changing nothing, when there is no first arrival to move from.
bool ShiftKeloSchedule(KeloKeloScheduleClass& schedule, std::int32_t newStart);

/// Position of the first entry without an arrival, or -1 when every entry has one.
std::int32_t FindEntryWithoutArrival(KeloKeloScheduleClass& schedule);
