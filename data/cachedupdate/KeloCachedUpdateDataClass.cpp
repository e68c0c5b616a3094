#include "KeloCachedUpdateDataClass.h"

#include "KeloAssert.h"
#include "KeloCachedUpdateKeloClass.h"

#include <algorithm>

KeloCachedUpdateDataClass::KeloCachedUpdateDataClass(KeloDataPtrClass underlying)
    : underlying(std::move(underlying)),
      keloSet(new KeloCachedUpdateKeloSetClass(this->underlying, &modified)),
      keloSetPtr(static_cast<KeloCachedUpdateKeloSetClass*>(&*keloSet)) {}

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
        record->nameSet = true;
        record->busSet = true;
        record->scheduleLoaded = true;
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
        modified.Remove(number);
        deleted.Add(number);
    }
    keloSetPtr->RemoveNumber(number);
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

bool KeloCachedUpdateDataClass::WriteRecord(KeloDataCUKeloType& record) {
    KeloKeloPtrClass kelo =
        record.isNew ? underlying->CreateKelo(record.number) : underlying->FindKelo(record.number);
    if (kelo.IsNull())
        return false;
    record.isNew = false;

    // A source that cannot write accepts a new name and keeps the old one: read it back.
    bool taken = true;
    if (record.nameSet) {
        kelo->SetName(record.name);
        taken = kelo->GetName() == record.name;
    }
    if (record.busSet)
        kelo->SetBus(record.busModel);
    if (!record.scheduleLoaded)
        return taken;

    KeloKeloSchedulePtrClass schedule = kelo->GetSchedule();
    if (schedule.IsNull())
        return false;
    for (std::int32_t i = schedule->GetCount() - 1; i >= 0; --i)
        schedule->RemoveStop(i);
    for (const KeloDataCUStopScheduleType& stop : record.stops) {
        KeloStopSchedulePtrClass entry = schedule->AppendStop(stop.stopCode);
        if (entry.IsNull())
            return false;
        entry->SetArrival(stop.arrival);
        entry->SetStay(stop.stay);
    }
    return taken;
}

std::vector<std::string> KeloCachedUpdateDataClass::ApplyUpdates() {
    std::vector<std::string> heldBack;

    std::vector<std::string> deletions;
    for (std::int32_t i = 0; i < deleted.GetCount(); ++i)
        deletions.push_back(deleted.GetItem(i));
    for (const std::string& number : deletions)
        underlying->DeleteKelo(number);
    if (!deletions.empty()) {
        // A source that cannot delete accepts the call and keeps the kelo: that deletion stays.
        KeloKeloSetPtrClass kelos = underlying->GetKeloSet();
        std::vector<std::string> remaining;
        for (std::int32_t i = 0; i < kelos->GetCount(); ++i)
            if (KeloKeloPtrClass kelo = kelos->GetItem(i); !kelo.IsNull())
                remaining.push_back(kelo->GetNumber());
        for (const std::string& number : deletions) {
            if (std::find(remaining.begin(), remaining.end(), number) != remaining.end())
                heldBack.push_back(number);
            else
                deleted.Remove(number);
        }
    }

    std::vector<std::string> written;
    for (std::int32_t i = 0; i < modified.GetCount(); ++i) {
        KeloDataCUKeloType* record = modified.GetItem(i);
        if (WriteRecord(*record))
            written.push_back(record->number);
        else
            heldBack.push_back(record->number);
    }
    for (const std::string& number : written)
        modified.Remove(number);

    keloSetPtr->Reset();
    if (!heldBack.empty()) {
        // The set shows the underlying kelos as they are now, less the deletions held back,
        // plus the kelos still only created here.
        for (std::int32_t i = 0; i < deleted.GetCount(); ++i)
            keloSetPtr->RemoveNumber(deleted.GetItem(i));
        for (std::int32_t i = 0; i < modified.GetCount(); ++i)
            if (const KeloDataCUKeloType* record = modified.GetItem(i); record->isNew)
                keloSetPtr->AddNumber(record->number);
    }
    return heldBack;
}

void KeloCachedUpdateDataClass::CancelUpdates() {
    deleted.Clear();
    modified.Clear();
    keloSetPtr->Reset();
}
