#include "KeloDemoStopScheduleClass.h"

#include "KeloDemoStopClass.h"

KeloDemoStopScheduleClass::KeloDemoStopScheduleClass(const KeloDemoRowRecordType& row,
                                                     const KeloDemoStopRecordType& stop)
    : row(&row), stop(&stop) {}

KeloStopPtrClass KeloDemoStopScheduleClass::GetStop() {
    return KeloStopPtrClass(new KeloDemoStopClass(*stop));
}

KeloTimeType KeloDemoStopScheduleClass::GetArrival() {
    return KeloTimeType(row->arrival);
}

KeloTimeType KeloDemoStopScheduleClass::GetStay() {
    return KeloTimeType(row->stay);
}

void KeloDemoStopScheduleClass::SetArrival(KeloTimeType) {}

void KeloDemoStopScheduleClass::SetStay(KeloTimeType) {}
