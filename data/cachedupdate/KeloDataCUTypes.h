#pragma once

#include "KeloFeedPlan.h"
#include "KeloTimeType.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

/// Kind of one buffered change; the change review picks its texts by these values.
enum KeloDataCUChangeKind { Deleted = 0, Modified = 1, Added = 2 };

/// One buffered timetable entry.
struct KeloDataCUStopScheduleType {
    std::string stopCode;
    KeloTimeType arrival;
    KeloTimeType stay;

    friend bool operator==(const KeloDataCUStopScheduleType&,
                           const KeloDataCUStopScheduleType&) = default;
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
    // The feed route, replacing the one below while `routeSet`: a copy runs on its
    // original's route.
    std::optional<KeloFeedRouteType> route;
    bool routeSet = false;
    // The kelo's version when it was read, for a source with versions; 0 otherwise.
    std::int64_t readVersion = 0;

    friend bool operator==(const KeloDataCUKeloType&, const KeloDataCUKeloType&) = default;
};

/// What a save wrote of one chosen change that it had to hold back: the parts listed here
/// reached the layer below although the change as a whole did not.
struct KeloDataCUHeldBackType {
    std::string number;
    bool created = false; // an empty kelo of this number now exists below
    bool nameWritten = false;
    bool busWritten = false;
    bool scheduleWritten = false; // the timetable below changed, but not as buffered
    // Another planner saved this kelo (or created its number) since it was read: nothing of
    // it was written.
    bool changedByOther = false;
};

/// Outcome of writing chosen changes below: the chosen changes held back, in change order.
struct KeloDataCUApplyResultType {
    std::vector<KeloDataCUHeldBackType> heldBack;
    bool AnyChangedByOther() const {
        for (const KeloDataCUHeldBackType& kelo : heldBack)
            if (kelo.changedByOther)
                return true;
        return false;
    }
    std::vector<std::string> HeldBackNumbers() const {
        std::vector<std::string> numbers;
        for (const KeloDataCUHeldBackType& kelo : heldBack)
            numbers.push_back(kelo.number);
        return numbers;
    }
};

/// Everything an edit buffer holds about one kelo number, with the positions it takes in the
/// change list and in the buffer's kelo set, so that it can be put back exactly.
struct KeloDataCUKeloStateType {
    std::string number;
    int deletedAt = -1;        // position among the deleted numbers, -1 when not deleted
    int recordAt = -1;         // position of its change record, -1 when it has none
    KeloDataCUKeloType record; // the record itself, when recordAt >= 0
    int setAt = -1;            // position in the buffer's kelo set, -1 when not listed

    friend bool operator==(const KeloDataCUKeloStateType& a, const KeloDataCUKeloStateType& b) {
        return a.number == b.number && a.deletedAt == b.deletedAt && a.recordAt == b.recordAt &&
               a.setAt == b.setAt && (a.recordAt < 0 || a.record == b.record);
    }
};
