#pragma once

#include "KeloDataClass.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class KeloPGConnectionClass;

/// One entry row as read: id, stop and times.
struct KeloPGEntryRowType {
    std::int64_t id;
    std::string code;
    std::string name;
    KeloTimeType arrival;
    KeloTimeType stay;
};

/// The timetable of one kelo on the server: entry rows numbered 0..n-1 by position. Every row
/// is read in one query on first use (a round trip per row would dominate); writes through
/// this object or its entries keep that copy in step, and inserting or removing a stop drops
/// it to be read again.
class KeloPGKeloScheduleClass : public KeloKeloScheduleClass {
public:
    KeloPGKeloScheduleClass(std::shared_ptr<KeloPGConnectionClass> connection, std::int64_t keloId);

    std::int32_t GetCount() override;
    KeloStopSchedulePtrClass GetItem(std::int32_t index) override;
    KeloStopSchedulePtrClass AppendStop(const std::string& code) override;
    // Empty handle for an unknown stop code or a position outside 0..count.
    KeloStopSchedulePtrClass InsertStop(std::int32_t index, const std::string& code) override;
    void RemoveStop(std::int32_t index) override;

private:
    using RowsType = std::vector<KeloPGEntryRowType>;
    RowsType& Rows();

    std::shared_ptr<KeloPGConnectionClass> connection;
    std::int64_t keloId;
    std::shared_ptr<RowsType> rows; // null until read
};

/// One entry row of a timetable's copy; its times are written on the server and in the copy.
class KeloPGStopScheduleClass : public KeloStopScheduleClass {
public:
    KeloPGStopScheduleClass(std::shared_ptr<KeloPGConnectionClass> connection,
                            std::shared_ptr<std::vector<KeloPGEntryRowType>> rows,
                            std::size_t index);

    KeloStopPtrClass GetStop() override;
    KeloTimeType GetArrival() override { return Row().arrival; }
    KeloTimeType GetStay() override { return Row().stay; }
    void SetArrival(KeloTimeType arrival) override { Write(true, arrival); }
    void SetStay(KeloTimeType stay) override { Write(false, stay); }

private:
    KeloPGEntryRowType& Row() { return (*rows)[index]; }
    void Write(bool arrival, KeloTimeType value);

    std::shared_ptr<KeloPGConnectionClass> connection;
    std::shared_ptr<std::vector<KeloPGEntryRowType>> rows;
    std::size_t index;
};
