#pragma once

#include "KeloDataClass.h"

#include <string>

/// Running time of one run at a design speed, as the timetable dialog's recalculation uses it.
struct KeloLegTimeType {
    bool linked = false;        // the run is known to the topology; nothing else is set without it
    bool longerThanDay = false; // the run took 24 hours or more and was reduced modulo 24 hours
    KeloTimeType duration;      // whole minutes, rounded up
};

/// The run from `fromCode` to `toCode` at `speed` km/h: hours = distance / speed held in
/// single precision, minutes rounded up from that value, whole hours kept modulo 24. Since
/// the hours are single precision, a run of an exact number of minutes often comes out one
/// minute longer (10 km at 60 km/h gives 11 minutes); timetables made so depend on it.
KeloLegTimeType LegTimeAtSpeed(KeloTopologyClass& topology, const std::string& fromCode,
                               const std::string& toCode, double speed);
