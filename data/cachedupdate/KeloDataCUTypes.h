#pragma once

#include "KeloTimeType.h"

#include <string>
#include <vector>

/// Kind of one buffered change; the change review picks its texts by these values.
enum KeloDataCUChangeKind { Deleted = 0, Modified = 1, Added = 2 };

/// One buffered timetable entry.
struct KeloDataCUStopScheduleType {
    std::string stopCode;
    KeloTimeType arrival;
    KeloTimeType stay;
};

/// The change record of one kelo: each buffered part replaces the underlying one only while
/// its flag is set. A kelo created in the buffer (`isNew`) always has its name and timetable.
struct KeloDataCUKeloType {
    std::string number;
    std::string name;
    std::string busModel;
    std::vector<KeloDataCUStopScheduleType> stops;
    bool isNew = false;
    bool nameSet = false;
    bool busSet = false;
    bool scheduleLoaded = false;
};
