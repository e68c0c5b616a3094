#pragma once

#include "KeloDataClass.h"

#include <cstdint>
#include <memory>
#include <string>

class KeloDBConnectionClass;

/// The timetable of one kelo: its entry rows by position (0, 1, ... without gaps). A
/// change of the order is made as one savepoint, so positions never end up with a hole.
class KeloDBKeloScheduleClass : public KeloKeloScheduleClass {
public:
    KeloDBKeloScheduleClass(std::shared_ptr<KeloDBConnectionClass> connection, std::int64_t keloId);

    std::int32_t GetCount() override;
    // Empty handle for an index outside the timetable.
    KeloStopSchedulePtrClass GetItem(std::int32_t index) override;
    // The new entry has no times. Empty handle for an unknown stop code, a position outside
    // 0..count or a failed write.
    KeloStopSchedulePtrClass AppendStop(const std::string& code) override;
    KeloStopSchedulePtrClass InsertStop(std::int32_t index, const std::string& code) override;
    // An index outside the timetable is ignored.
    void RemoveStop(std::int32_t index) override;

private:
    std::shared_ptr<KeloDBConnectionClass> connection;
    std::int64_t keloId;
};

/// One timetable entry row, known by its row id, so it stays the same entry when others
/// are inserted before it. Times are read from the database each time.
class KeloDBStopScheduleClass : public KeloStopScheduleClass {
public:
    KeloDBStopScheduleClass(std::shared_ptr<KeloDBConnectionClass> connection, std::int64_t entryId,
                            std::string code, std::string name);

    KeloStopPtrClass GetStop() override;
    KeloTimeType GetArrival() override;
    KeloTimeType GetStay() override;
    void SetArrival(KeloTimeType arrival) override;
    void SetStay(KeloTimeType stay) override;

private:
    KeloTimeType Read(bool arrival);
    void Write(bool arrival, KeloTimeType value);

    std::shared_ptr<KeloDBConnectionClass> connection;
    std::int64_t entryId;
    std::string code;
    std::string name;
};
