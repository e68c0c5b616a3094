#include "KeloCAKeloClass.h"

#include "KeloCAKeloCacheClass.h"
#include "KeloCAKeloScheduleClass.h"

KeloCAKeloClass::KeloCAKeloClass(KeloDataPtrClass lowerSource, KeloKeloPtrClass lowerKelo,
                                 KeloCAKeloCacheClass* keloCache,
                                 KeloCAKeloScheduleCacheClass* scheduleCache)
    : LowerSource(std::move(lowerSource)), LowerKelo(std::move(lowerKelo)), KeloCache(keloCache),
      ScheduleCache(scheduleCache) {
    Number = LowerKelo->GetNumber();
}

std::string KeloCAKeloClass::GetNumber() {
    return Number;
}

std::string KeloCAKeloClass::GetName() {
    return KeloCache->GetName(Number);
}

KeloKeloSchedulePtrClass KeloCAKeloClass::GetSchedule() {
    return KeloKeloSchedulePtrClass(
        new KeloCAKeloScheduleClass(LowerSource, KeloCache, ScheduleCache, Number));
}

KeloBusPtrClass KeloCAKeloClass::GetBus() {
    return LowerKelo->GetBus();
}

float KeloCAKeloClass::GetAverageSpeed() {
    return KeloCache->GetAverageSpeed(Number);
}

float KeloCAKeloClass::GetDistance() {
    return KeloCache->GetDistance(Number);
}

void KeloCAKeloClass::SetName(const std::string& name) {
    LowerKelo->SetName(name);
    KeloCache->UpdateName(Number, name);
}

void KeloCAKeloClass::SetBus(const std::string& model) {
    LowerKelo->SetBus(model);
}

KeloCAKeloSetClass::KeloCAKeloSetClass(KeloDataPtrClass lowerSource, KeloKeloSetPtrClass lowerSet,
                                       KeloCAKeloCacheClass* keloCache,
                                       KeloCAKeloScheduleCacheClass* scheduleCache)
    : LowerSource(std::move(lowerSource)), LowerSet(std::move(lowerSet)), KeloCache(keloCache),
      ScheduleCache(scheduleCache) {}

std::int32_t KeloCAKeloSetClass::GetCount() {
    return LowerSet->GetCount();
}

KeloKeloPtrClass KeloCAKeloSetClass::GetItem(std::int32_t index) {
    KeloKeloPtrClass kelo = LowerSet->GetItem(index);
    if (kelo.IsNull())
        return {};
    return KeloKeloPtrClass(new KeloCAKeloClass(LowerSource, kelo, KeloCache, ScheduleCache));
}
