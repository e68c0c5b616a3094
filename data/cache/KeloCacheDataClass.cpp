#include "KeloCacheDataClass.h"

#include "KeloCAKeloClass.h"
#include "KeloCAStopClass.h"
#include "KeloCATopologyClass.h"

KeloCacheDataClass::KeloCacheDataClass(KeloDataPtrClass lower)
    : Lower(std::move(lower)), LowerVersioned(KeloFindVersioned(Lower)), Ledger(LowerVersioned),
      LowerKeloSet(Lower->GetKeloSet()), StopSet(new KeloCAStopSetClass(this, Lower)),
      Topology(new KeloCATopologyClass(Lower->GetTopology())), KeloCache(Lower, &Ledger),
      ScheduleCache(Lower, &Ledger) {}

KeloKeloSetPtrClass KeloCacheDataClass::GetKeloSet() {
    return KeloKeloSetPtrClass(
        new KeloCAKeloSetClass(Lower, LowerKeloSet, &KeloCache, &ScheduleCache));
}

KeloStopSetPtrClass KeloCacheDataClass::GetStopSet() {
    return StopSet;
}

KeloTopologyPtrClass KeloCacheDataClass::GetTopology() {
    return Topology;
}

KeloKeloPtrClass KeloCacheDataClass::FindKelo(const std::string& number) {
    KeloKeloPtrClass kelo = Lower->FindKelo(number);
    if (kelo.IsNull())
        return {};
    return KeloKeloPtrClass(new KeloCAKeloClass(Lower, kelo, &KeloCache, &ScheduleCache));
}

KeloStopPtrClass KeloCacheDataClass::FindStop(const std::string& code) {
    if (const std::size_t at = StopIndex.Find(code); at != StopIndex.None)
        return Stops[at];
    Stops.push_back(KeloStopPtrClass(new KeloCAStopClass(Lower, code)));
    StopIndex.Add(code, Stops.size() - 1);
    return Stops.back();
}

KeloBusPtrClass KeloCacheDataClass::FindBus(const std::string& model) {
    return Lower->FindBus(model);
}

KeloKeloPtrClass KeloCacheDataClass::CreateKelo(const std::string& number) {
    KeloKeloPtrClass created = Lower->CreateKelo(number);
    LowerKeloSet = Lower->GetKeloSet();
    if (created.IsNull())
        return {};
    // Whatever was held for this number belonged to a kelo that is gone; and the new kelo is
    // handed out through this layer, so writes to it are recorded here like all others.
    KeloCache.Forget(number);
    ScheduleCache.Forget(number);
    Ledger.Forget(number);
    return KeloKeloPtrClass(new KeloCAKeloClass(Lower, created, &KeloCache, &ScheduleCache));
}

void KeloCacheDataClass::DeleteKelo(const std::string& number) {
    Lower->DeleteKelo(number);
    LowerKeloSet = Lower->GetKeloSet();
}

void KeloCacheDataClass::ForgetKelos() {
    KeloCache = KeloCAKeloCacheClass(Lower, &Ledger);
    ScheduleCache = KeloCAKeloScheduleCacheClass(Lower, &Ledger);
    Ledger.Clear();
    LowerKeloSet = Lower->GetKeloSet();
}

std::int64_t KeloCacheDataClass::GetKeloVersion(const std::string& number) {
    return Ledger.Get(number);
}

bool KeloCacheDataClass::ClaimKelo(const std::string& number, std::int64_t readVersion) {
    if (!LowerVersioned)
        return true;
    if (!LowerVersioned->ClaimKelo(number, readVersion))
        return false;
    Ledger.Set(number, readVersion + 1);
    return true;
}

void KeloCacheDataClass::ReloadKelo(const std::string& number) {
    KeloCache.Forget(number);
    ScheduleCache.Forget(number);
    Ledger.Forget(number);
    if (LowerVersioned)
        LowerVersioned->ReloadKelo(number);
}

std::optional<std::vector<KeloScheduleRowType>>
KeloCacheDataClass::GetScheduleRows(const std::string& number) {
    const KeloCAKeloScheduleType* schedule = ScheduleCache.Get(number);
    if (schedule == nullptr)
        return std::nullopt;
    std::vector<KeloScheduleRowType> rows;
    rows.reserve(schedule->Entries.size());
    for (const KeloCAStopScheduleType& entry : schedule->Entries)
        rows.push_back({entry.StopCode, entry.Arrival, entry.Stay});
    return rows;
}

std::optional<KeloFeedRouteType> KeloCacheDataClass::GetKeloRoute(const std::string& number) {
    KeloKeloRouteDataClass* below = KeloFindKeloRoutes(Lower);
    return below ? below->GetKeloRoute(number) : std::nullopt;
}

bool KeloCacheDataClass::SetKeloRoute(const std::string& number,
                                      const std::optional<KeloFeedRouteType>& route) {
    KeloKeloRouteDataClass* below = KeloFindKeloRoutes(Lower);
    return below && below->SetKeloRoute(number, route);
}
