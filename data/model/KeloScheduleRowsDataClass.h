#pragma once

#include "KeloDataClass.h"

#include <optional>
#include <string>
#include <vector>

/// One call of a kelo's timetable as plain values; the code is empty where the source could
/// not hand the entry's stop out.
struct KeloScheduleRowType {
    std::string stopCode;
    KeloTimeType arrival;
    KeloTimeType stay;

    friend bool operator==(const KeloScheduleRowType&, const KeloScheduleRowType&) = default;
};

/// Optional interface of a source that hands a kelo's whole timetable out in one call. A
/// report over every kelo of the network would otherwise make an object and several look-ups
/// per entry in each layer.
class KeloScheduleRowsDataClass {
public:
    virtual ~KeloScheduleRowsDataClass() = default;
    // The rows the kelo's schedule would give entry by entry; none when this layer cannot
    // tell (the caller then reads the schedule itself).
    virtual std::optional<std::vector<KeloScheduleRowType>>
    GetScheduleRows(const std::string& number) = 0;
};

/// The schedule-rows interface of a source, or null when it has none.
inline KeloScheduleRowsDataClass* KeloFindScheduleRows(KeloDataPtrClass source) {
    return source.IsNull() ? nullptr : dynamic_cast<KeloScheduleRowsDataClass*>(&*source);
}

/// The kelo's timetable as rows: in one call where `rows` (found once by the caller) offers
/// it, else entry by entry.
std::vector<KeloScheduleRowType> KeloReadScheduleRows(KeloScheduleRowsDataClass* rows,
                                                      KeloKeloPtrClass kelo);
