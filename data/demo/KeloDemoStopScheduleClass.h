#pragma once

#include "KeloDataClass.h"
#include "KeloDemoTables.h"

/// One timetable row of the demonstration tables with its stop. Read-only.
class KeloDemoStopScheduleClass : public KeloStopScheduleClass {
public:
    KeloDemoStopScheduleClass(const KeloDemoRowRecordType& row, const KeloDemoStopRecordType& stop);

    KeloStopPtrClass GetStop() override;
    KeloTimeType GetArrival() override;
    KeloTimeType GetStay() override;
    void SetArrival(KeloTimeType arrival) override;
    void SetStay(KeloTimeType stay) override;

private:
    const KeloDemoRowRecordType* row;
    const KeloDemoStopRecordType* stop;
};
