#pragma once

#include "KeloDataClass.h"

#include <string>

class KeloCAKeloCacheClass;
class KeloCAKeloScheduleCacheClass;
struct KeloCAStopScheduleType;

/// The cached timetable of one kelo. Reads come from the timetable cache; every change is
/// first made on the lower source's timetable and then recorded in the cache, dropping the
/// kelo's cached speed and distance. A kelo the lower source does not know reads as empty.
class KeloCAKeloScheduleClass : public KeloKeloScheduleClass {
public:
    KeloCAKeloScheduleClass(KeloDataPtrClass lowerSource, KeloCAKeloCacheClass* keloCache,
                            KeloCAKeloScheduleCacheClass* scheduleCache, std::string number);

    std::int32_t GetCount() override;
    // Empty handle for an index outside the timetable.
    KeloStopSchedulePtrClass GetItem(std::int32_t index) override;
    KeloStopSchedulePtrClass AppendStop(const std::string& code) override;
    KeloStopSchedulePtrClass InsertStop(std::int32_t index, const std::string& code) override;
    void RemoveStop(std::int32_t index) override;

private:
    KeloStopSchedulePtrClass MakeEntry(std::int32_t index);

    KeloDataPtrClass LowerSource;
    KeloCAKeloCacheClass* KeloCache;
    KeloCAKeloScheduleCacheClass* ScheduleCache;
    std::string Number;
};

/// One entry of a cached timetable, by position. Writes go to the lower entry at the same
/// position first; a time change drops the kelo's cached speed but keeps its distance.
class KeloCAStopScheduleClass : public KeloStopScheduleClass {
public:
    KeloCAStopScheduleClass(KeloDataPtrClass lowerSource, KeloCAKeloCacheClass* keloCache,
                            KeloCAKeloScheduleCacheClass* scheduleCache, std::string number,
                            std::int32_t index);

    KeloStopPtrClass GetStop() override;
    KeloTimeType GetArrival() override;
    KeloTimeType GetStay() override;
    void SetArrival(KeloTimeType arrival) override;
    void SetStay(KeloTimeType stay) override;

private:
    // The cached entry, or null when the position lies outside the cached timetable.
    KeloCAStopScheduleType* Entry();
    void WriteThrough(KeloTimeType value, bool arrival);

    KeloDataPtrClass LowerSource;
    KeloCAKeloCacheClass* KeloCache;
    KeloCAKeloScheduleCacheClass* ScheduleCache;
    std::string Number;
    std::int32_t Index;
};
