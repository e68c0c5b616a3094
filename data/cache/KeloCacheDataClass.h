#pragma once

#include "KeloCAIndexTemplate.h"
#include "KeloCAKeloCacheClass.h"
#include "KeloCAKeloScheduleCacheClass.h"
#include "KeloCAVersionLedgerClass.h"
#include "KeloDataClass.h"
#include "KeloKeloRouteDataClass.h"
#include "KeloScheduleRowsDataClass.h"
#include "KeloVersionedDataClass.h"

#include <string>
#include <vector>

/// Data source that remembers what it read from the lower source (kelo names, speeds,
/// distances, timetables, stop names, distance answers) so repeated reads stay here, and
/// passes every write down at once before recording it (write-through). Nothing is evicted.
/// Entity objects it hands out refer into this object and must not outlive it.
class KeloCacheDataClass : public KeloDataClass,
                           public KeloVersionedDataClass,
                           public KeloKeloRouteDataClass,
                           public KeloScheduleRowsDataClass {
public:
    explicit KeloCacheDataClass(KeloDataPtrClass lower);

    KeloCacheDataClass(const KeloCacheDataClass&) = delete;
    KeloCacheDataClass& operator=(const KeloCacheDataClass&) = delete;

    KeloKeloSetPtrClass GetKeloSet() override;
    // The same stop set and topology objects every time.
    KeloStopSetPtrClass GetStopSet() override;
    KeloTopologyPtrClass GetTopology() override;
    // Empty handle for a number the lower source does not know.
    KeloKeloPtrClass FindKelo(const std::string& number) override;
    // One stop object per code, made without asking below whether the code exists.
    KeloStopPtrClass FindStop(const std::string& code) override;
    KeloBusPtrClass FindBus(const std::string& model) override;
    KeloKeloPtrClass CreateKelo(const std::string& number) override;
    void DeleteKelo(const std::string& number) override;

    // The version noted when the kelo was first read here; 0 over a source without versions.
    std::int64_t GetKeloVersion(const std::string& number) override;
    // Passed below; a claimed kelo is noted at its raised version, since what this layer
    // holds of it now is what the save writes.
    bool ClaimKelo(const std::string& number, std::int64_t readVersion) override;
    // Drops what is held of the kelo, its version included, and asks below to do the same.
    void ReloadKelo(const std::string& number) override;

    // Routes are read and written below each time: only copies ask, one kelo at a time.
    std::optional<KeloFeedRouteType> GetKeloRoute(const std::string& number) override;
    // Straight from the cached timetable, read below once like any other.
    std::optional<std::vector<KeloScheduleRowType>>
    GetScheduleRows(const std::string& number) override;
    bool SetKeloRoute(const std::string& number,
                      const std::optional<KeloFeedRouteType>& route) override;

    // Reads the list of kelos below afresh, so kelos others created or deleted show.
    void RefreshKeloSet() { LowerKeloSet = Lower->GetKeloSet(); }

    // Forgets every kelo read or written through here, for when the lower source has undone
    // writes this layer recorded (a rolled-back transaction). Stops and distances are kept.
    void ForgetKelos();

private:
    KeloDataPtrClass Lower;
    KeloVersionedDataClass* LowerVersioned;
    KeloCAVersionLedgerClass Ledger;
    KeloKeloSetPtrClass LowerKeloSet;
    KeloStopSetPtrClass StopSet;
    KeloTopologyPtrClass Topology;
    KeloCAKeloCacheClass KeloCache;
    KeloCAKeloScheduleCacheClass ScheduleCache;
    std::vector<KeloStopPtrClass> Stops;
    KeloCAIndexTemplate<std::string> StopIndex; // code -> position in Stops
};
