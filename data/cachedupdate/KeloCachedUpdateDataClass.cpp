#include "KeloCachedUpdateDataClass.h"

#include "KeloAssert.h"
#include "KeloCachedUpdateKeloClass.h"
#include "KeloVersionedDataClass.h"

#include <algorithm>

KeloCachedUpdateDataClass::KeloCachedUpdateDataClass(KeloDataPtrClass underlying)
    : underlying(std::move(underlying)), versioned(KeloFindVersioned(this->underlying)),
      keloSet(new KeloCachedUpdateKeloSetClass(this->underlying, &modified)),
      keloSetPtr(static_cast<KeloCachedUpdateKeloSetClass*>(&*keloSet)) {
    modified.SetVersionSource(versioned);
}

KeloKeloSetPtrClass KeloCachedUpdateDataClass::GetKeloSet() {
    return keloSet;
}

KeloStopSetPtrClass KeloCachedUpdateDataClass::GetStopSet() {
    return underlying->GetStopSet();
}

KeloTopologyPtrClass KeloCachedUpdateDataClass::GetTopology() {
    return underlying->GetTopology();
}

KeloKeloPtrClass KeloCachedUpdateDataClass::FindKelo(const std::string& number) {
    return MakeCachedUpdateKelo(underlying, &modified, number);
}

KeloStopPtrClass KeloCachedUpdateDataClass::FindStop(const std::string& code) {
    return underlying->FindStop(code);
}

KeloBusPtrClass KeloCachedUpdateDataClass::FindBus(const std::string& model) {
    return underlying->FindBus(model);
}

KeloKeloPtrClass KeloCachedUpdateDataClass::CreateKelo(const std::string& number) {
    if (deleted.Contains(number)) {
        // The kelo still exists below and will be overwritten on apply. It starts out like any
        // new kelo, not with the deleted one's name, bus and stops.
        deleted.Remove(number);
        modified.AddModified(number);
        KeloDataCUKeloType* record = modified.Find(number);
        // The version is the one read before the deletion, not whatever is below now.
        record->readVersion = deletedVersions[number];
        deletedVersions.erase(number);
        record->nameSet = true;
        record->busSet = true;
        record->scheduleLoaded = true;
        record->routeSet = true;
    } else {
        modified.AddNew(number);
    }
    keloSetPtr->AddNumber(number);
    return KeloKeloPtrClass(
        new KeloCachedUpdateKeloClass(underlying, number, KeloKeloPtrClass(), &modified));
}

void KeloCachedUpdateDataClass::DeleteKelo(const std::string& number) {
    if (modified.IsNew(number)) {
        modified.Remove(number);
    } else {
        if (deleted.Contains(number))
            return;
        const KeloDataCUKeloType* record = modified.Find(number);
        deletedVersions[number] = record      ? record->readVersion
                                  : versioned ? versioned->GetKeloVersion(number)
                                              : 0;
        modified.Remove(number);
        deleted.Add(number);
    }
    keloSetPtr->RemoveNumber(number);
}

std::optional<std::vector<KeloScheduleRowType>>
KeloCachedUpdateDataClass::GetScheduleRows(const std::string& number) {
    if (const KeloDataCUKeloType* record = modified.Find(number)) {
        if (record->scheduleLoaded) {
            std::vector<KeloScheduleRowType> rows;
            rows.reserve(record->stops.size());
            for (const KeloDataCUStopScheduleType& stop : record->stops)
                rows.push_back({stop.stopCode, stop.arrival, stop.stay});
            return rows;
        }
        if (record->isNew)
            return std::vector<KeloScheduleRowType>(); // nothing below until it is saved
    }
    KeloScheduleRowsDataClass* below = KeloFindScheduleRows(underlying);
    return below ? below->GetScheduleRows(number) : std::nullopt;
}

std::optional<KeloFeedRouteType>
KeloCachedUpdateDataClass::GetKeloRoute(const std::string& number) {
    if (const KeloDataCUKeloType* record = modified.Find(number)) {
        if (record->routeSet)
            return record->route;
        if (record->isNew)
            return std::nullopt;
    }
    KeloKeloRouteDataClass* below = KeloFindKeloRoutes(underlying);
    return below ? below->GetKeloRoute(number) : std::nullopt;
}

bool KeloCachedUpdateDataClass::SetKeloRoute(const std::string& number,
                                             const std::optional<KeloFeedRouteType>& route) {
    if (deleted.Contains(number))
        return false;
    modified.AddModified(number);
    KeloDataCUKeloType* record = modified.Find(number);
    record->route = route;
    record->routeSet = true;
    return true;
}

int KeloCachedUpdateDataClass::GetChangeCount() {
    return deleted.GetCount() + modified.GetCount();
}

void KeloCachedUpdateDataClass::GetChange(int index, KeloDataCUChangeKind& kind,
                                          std::string& number) {
    KELO_ASSERT(index >= 0 && index < GetChangeCount());
    if (index < deleted.GetCount()) {
        kind = Deleted;
        number = deleted.GetItem(index);
        return;
    }
    const KeloDataCUKeloType* record = modified.GetItem(index - deleted.GetCount());
    kind = record->isNew ? Added : Modified;
    number = record->number;
}

namespace {

bool SameStops(KeloKeloScheduleClass& schedule,
               const std::vector<KeloDataCUStopScheduleType>& stops) {
    if (schedule.GetCount() != std::int32_t(stops.size()))
        return false;
    for (std::size_t i = 0; i < stops.size(); ++i) {
        KeloStopSchedulePtrClass entry = schedule.GetItem(std::int32_t(i));
        KeloStopPtrClass stop = entry.IsNull() ? KeloStopPtrClass() : entry->GetStop();
        if (stop.IsNull() || stop->GetCode() != stops[i].stopCode ||
            entry->GetArrival() != stops[i].arrival || entry->GetStay() != stops[i].stay)
            return false;
    }
    return true;
}

std::vector<KeloDataCUStopScheduleType> ReadStops(KeloKeloScheduleClass& schedule) {
    std::vector<KeloDataCUStopScheduleType> stops;
    for (std::int32_t i = 0; i < schedule.GetCount(); ++i) {
        KeloStopSchedulePtrClass entry = schedule.GetItem(i);
        KeloStopPtrClass stop = entry.IsNull() ? KeloStopPtrClass() : entry->GetStop();
        stops.push_back({stop.IsNull() ? std::string() : stop->GetCode(),
                         entry.IsNull() ? KeloTimeType() : entry->GetArrival(),
                         entry.IsNull() ? KeloTimeType() : entry->GetStay()});
    }
    return stops;
}

bool HasBus(KeloKeloClass& kelo, const std::string& model) {
    KeloBusPtrClass bus = kelo.GetBus();
    if (model.empty())
        return bus.IsNull() || bus->GetModel().empty();
    return !bus.IsNull() && bus->GetModel() == model;
}

} // namespace

bool KeloCachedUpdateDataClass::WriteRecord(KeloDataCUKeloType& record,
                                            KeloDataCUHeldBackType& progress) {
    // What the source is sure to refuse is refused before anything of the kelo is written.
    if (record.busSet && !record.busModel.empty() && underlying->FindBus(record.busModel).IsNull())
        return false;
    if (record.scheduleLoaded)
        for (const KeloDataCUStopScheduleType& stop : record.stops)
            if (underlying->FindStop(stop.stopCode).IsNull())
                return false;

    if (!record.isNew && !Claim(record.number, record.readVersion)) {
        progress.changedByOther = true;
        return false;
    }
    KeloKeloPtrClass kelo =
        record.isNew ? underlying->CreateKelo(record.number) : underlying->FindKelo(record.number);
    if (kelo.IsNull()) {
        // A number another planner created meanwhile is refused like a changed kelo.
        progress.changedByOther = record.isNew && !underlying->FindKelo(record.number).IsNull();
        return false;
    }
    if (record.isNew) {
        record.isNew = false;
        progress.created = true;
    }

    // A source that cannot write accepts a value and keeps the old one: read each part back
    // and stop at the first refused, so the parts after it are never written.
    if (record.nameSet) {
        kelo->SetName(record.name);
        if (kelo->GetName() != record.name)
            return false;
        record.nameSet = false;
        progress.nameWritten = true;
    }
    if (record.busSet) {
        kelo->SetBus(record.busModel);
        if (!HasBus(*kelo, record.busModel))
            return false;
        record.busSet = false;
        progress.busWritten = true;
    }
    if (record.routeSet) {
        // A source that keeps no routes loses nothing by not taking one.
        KeloKeloRouteDataClass* routes = KeloFindKeloRoutes(underlying);
        if (routes && routes->SetKeloRoute(record.number, record.route) &&
            routes->GetKeloRoute(record.number) != record.route)
            return false;
        record.routeSet = false;
    }
    if (!record.scheduleLoaded)
        return true;

    KeloKeloSchedulePtrClass schedule = kelo->GetSchedule();
    if (schedule.IsNull())
        return false;
    const std::vector<KeloDataCUStopScheduleType> before = ReadStops(*schedule);
    for (std::int32_t i = schedule->GetCount() - 1; i >= 0; --i)
        schedule->RemoveStop(i);
    for (const KeloDataCUStopScheduleType& stop : record.stops) {
        KeloStopSchedulePtrClass entry = schedule->AppendStop(stop.stopCode);
        if (entry.IsNull())
            break;
        entry->SetArrival(stop.arrival);
        entry->SetStay(stop.stay);
    }
    if (SameStops(*schedule, record.stops))
        return true;
    progress.scheduleWritten = !SameStops(*schedule, before);
    return false;
}

std::vector<std::string> KeloCachedUpdateDataClass::ApplyUpdates() {
    return ApplySelectedUpdates(std::vector<bool>(std::size_t(GetChangeCount()), true))
        .HeldBackNumbers();
}

KeloDataCUApplyResultType
KeloCachedUpdateDataClass::ApplySelectedUpdates(const std::vector<bool>& chosen) {
    auto isChosen = [&chosen](int position) {
        return position >= 0 && std::size_t(position) < chosen.size() &&
               chosen[std::size_t(position)];
    };
    KeloDataCUApplyResultType result;

    std::vector<std::string> deletions;
    for (std::int32_t i = 0; i < deleted.GetCount(); ++i)
        if (isChosen(i))
            deletions.push_back(deleted.GetItem(i));
    std::vector<KeloDataCUKeloType*> records;
    for (std::int32_t i = 0; i < modified.GetCount(); ++i)
        if (isChosen(deleted.GetCount() + i))
            records.push_back(modified.GetItem(i));

    std::vector<std::string> claimed;
    for (const std::string& number : deletions) {
        if (Claim(number, deletedVersions[number])) {
            underlying->DeleteKelo(number);
            claimed.push_back(number);
        } else {
            KeloDataCUHeldBackType conflict{number};
            conflict.changedByOther = true;
            result.heldBack.push_back(conflict);
        }
    }
    deletions = std::move(claimed);
    if (!deletions.empty()) {
        // A source that cannot delete accepts the call and keeps the kelo: that deletion stays.
        KeloKeloSetPtrClass kelos = underlying->GetKeloSet();
        std::vector<std::string> remaining;
        for (std::int32_t i = 0; i < kelos->GetCount(); ++i)
            if (KeloKeloPtrClass kelo = kelos->GetItem(i); !kelo.IsNull())
                remaining.push_back(kelo->GetNumber());
        for (const std::string& number : deletions) {
            if (std::find(remaining.begin(), remaining.end(), number) != remaining.end())
                result.heldBack.push_back({number});
            else {
                deleted.Remove(number);
                deletedVersions.erase(number);
            }
        }
    }

    std::vector<std::string> written;
    for (KeloDataCUKeloType* record : records) {
        KeloDataCUHeldBackType progress{record->number};
        if (WriteRecord(*record, progress))
            written.push_back(record->number);
        else
            result.heldBack.push_back(progress);
    }
    for (const std::string& number : written)
        modified.Remove(number);

    RebuildKeloSet();
    return result;
}

void KeloCachedUpdateDataClass::RebuildKeloSet() {
    // The underlying kelos as they are now, less the deletions still buffered, plus the kelos
    // still only created here.
    keloSetPtr->Reset();
    if (GetChangeCount() == 0)
        return;
    for (std::int32_t i = 0; i < deleted.GetCount(); ++i)
        keloSetPtr->RemoveNumber(deleted.GetItem(i));
    for (std::int32_t i = 0; i < modified.GetCount(); ++i)
        if (const KeloDataCUKeloType* record = modified.GetItem(i); record->isNew)
            keloSetPtr->AddNumber(record->number);
}

bool KeloCachedUpdateDataClass::Claim(const std::string& number, std::int64_t& readVersion) {
    if (!versioned)
        return true;
    // Read as missing: still right while nobody created the number meanwhile.
    if (readVersion == 0)
        return versioned->GetKeloVersion(number) == 0;
    if (!versioned->ClaimKelo(number, readVersion))
        return false;
    ++readVersion;
    return true;
}

void KeloCachedUpdateDataClass::CancelUpdates() {
    deleted.Clear();
    modified.Clear();
    deletedVersions.clear();
    keloSetPtr->Reset();
}

void KeloCachedUpdateDataClass::DiscardKelo(const std::string& number) {
    deleted.Remove(number);
    deletedVersions.erase(number);
    modified.Remove(number);
    if (versioned)
        versioned->ReloadKelo(number);
    RebuildKeloSet();
}

void KeloCachedUpdateDataClass::ReloadKelo(const std::string& number) {
    if (!versioned)
        return;
    versioned->ReloadKelo(number);
    const std::int64_t now = versioned->GetKeloVersion(number);
    if (deleted.Contains(number)) {
        if (now == 0) { // gone below already: nothing left to delete
            deleted.Remove(number);
            deletedVersions.erase(number);
        } else {
            deletedVersions[number] = now;
        }
    } else if (KeloDataCUKeloType* record = modified.Find(number)) {
        record->readVersion = now;
        if (now == 0 && !record->isNew) {
            // Gone below: the buffered kelo is created anew, whole.
            record->isNew = true;
            record->nameSet = true;
            if (!record->scheduleLoaded)
                modified.LoadSchedule(number, underlying);
        } else if (now != 0 && record->isNew) {
            record->isNew = false;
        }
    }
    RebuildKeloSet();
}
