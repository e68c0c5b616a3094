#pragma once

#include "KeloTimeType.h"

#include <string>
#include <vector>

/// Cached attributes of one kelo; each value is valid only while its flag is set.
struct KeloCAKeloType {
    std::string Number;
    std::string Name;
    bool NameLoaded = false;
    float AverageSpeed = 0;
    bool SpeedLoaded = false;
    float Distance = 0;
    bool DistanceLoaded = false;
};

/// One cached timetable entry.
struct KeloCAStopScheduleType {
    std::string StopCode;
    KeloTimeType Arrival;
    KeloTimeType Stay;
};

/// The cached timetable of one kelo, in travel order.
struct KeloCAKeloScheduleType {
    std::string Number;
    std::vector<KeloCAStopScheduleType> Entries;
};

/// One answered distance question for an ordered pair of stop codes.
struct KeloCATopologyLinkType {
    std::string StopA;
    std::string StopB;
    bool Linked = false;
    float Distance = 0;
};
