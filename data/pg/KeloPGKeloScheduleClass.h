#pragma once

#include "KeloDataClass.h"

#include <cstdint>
#include <memory>
#include <string>

class KeloPGConnectionClass;

/// The timetable of one kelo on the server: entry rows numbered 0..n-1 by position.
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
    std::shared_ptr<KeloPGConnectionClass> connection;
    std::int64_t keloId;
};

/// One entry row; its stop is fixed, its times are read and written on the server.
class KeloPGStopScheduleClass : public KeloStopScheduleClass {
public:
    KeloPGStopScheduleClass(std::shared_ptr<KeloPGConnectionClass> connection, std::int64_t entryId,
                            std::string code, std::string name);

    KeloStopPtrClass GetStop() override;
    KeloTimeType GetArrival() override { return Read(true); }
    KeloTimeType GetStay() override { return Read(false); }
    void SetArrival(KeloTimeType arrival) override { Write(true, arrival); }
    void SetStay(KeloTimeType stay) override { Write(false, stay); }

private:
    KeloTimeType Read(bool arrival);
    void Write(bool arrival, KeloTimeType value);

    std::shared_ptr<KeloPGConnectionClass> connection;
    std::int64_t entryId;
    std::string code;
    std::string name;
};
