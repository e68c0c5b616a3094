#pragma once

#include "KeloDataClass.h"

#include <string>

class KeloCAKeloCacheClass;
class KeloCAKeloScheduleCacheClass;

/// A kelo read through the cache: name, speed, distance and timetable come from the caches
/// of the owning KeloCacheDataClass; writes go below first and are then recorded there.
/// Must not outlive that data source.
class KeloCAKeloClass : public KeloKeloClass {
public:
    KeloCAKeloClass(KeloDataPtrClass lowerSource, KeloKeloPtrClass lowerKelo,
                    KeloCAKeloCacheClass* keloCache, KeloCAKeloScheduleCacheClass* scheduleCache);

    std::string GetNumber() override;
    std::string GetName() override;
    KeloKeloSchedulePtrClass GetSchedule() override;
    KeloBusPtrClass GetBus() override;
    float GetAverageSpeed() override;
    float GetDistance() override;
    void SetName(const std::string& name) override;
    void SetBus(const std::string& model) override;

private:
    std::string Number;
    KeloDataPtrClass LowerSource;
    KeloKeloPtrClass LowerKelo;
    KeloCAKeloCacheClass* KeloCache;
    KeloCAKeloScheduleCacheClass* ScheduleCache;
};

/// The lower source's kelo set, each kelo wrapped for the cache.
class KeloCAKeloSetClass : public KeloKeloSetClass {
public:
    KeloCAKeloSetClass(KeloDataPtrClass lowerSource, KeloKeloSetPtrClass lowerSet,
                       KeloCAKeloCacheClass* keloCache,
                       KeloCAKeloScheduleCacheClass* scheduleCache);

    std::int32_t GetCount() override;
    KeloKeloPtrClass GetItem(std::int32_t index) override;

private:
    KeloDataPtrClass LowerSource;
    KeloKeloSetPtrClass LowerSet;
    KeloCAKeloCacheClass* KeloCache;
    KeloCAKeloScheduleCacheClass* ScheduleCache;
};
