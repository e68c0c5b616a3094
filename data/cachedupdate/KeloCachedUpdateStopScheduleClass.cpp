#include "KeloCachedUpdateStopScheduleClass.h"

#include "KeloDataCUModifiedKeloStorageClass.h"

KeloCachedUpdateStopScheduleClass::KeloCachedUpdateStopScheduleClass(
    KeloDataPtrClass underlying, std::string number, std::int32_t index,
    KeloStopSchedulePtrClass underlyingEntry, KeloDataCUModifiedKeloStorageClass* modified)
    : underlying(std::move(underlying)), number(std::move(number)), index(index),
      underlyingEntry(std::move(underlyingEntry)), modified(modified) {}

bool KeloCachedUpdateStopScheduleClass::Buffered() {
    const KeloDataCUKeloType* record = modified->Find(number);
    return record != nullptr && record->scheduleLoaded;
}

KeloDataCUStopScheduleType* KeloCachedUpdateStopScheduleClass::BufferedEntry() {
    KeloDataCUKeloType* record = modified->Find(number);
    if (record == nullptr || !record->scheduleLoaded || index < 0 ||
        index >= static_cast<std::int32_t>(record->stops.size()))
        return nullptr;
    return &record->stops[index];
}

KeloStopPtrClass KeloCachedUpdateStopScheduleClass::GetStop() {
    if (Buffered()) {
        const KeloDataCUStopScheduleType* entry = BufferedEntry();
        return entry == nullptr ? KeloStopPtrClass() : underlying->FindStop(entry->stopCode);
    }
    return underlyingEntry.IsNull() ? KeloStopPtrClass() : underlyingEntry->GetStop();
}

KeloTimeType KeloCachedUpdateStopScheduleClass::GetArrival() {
    if (Buffered()) {
        const KeloDataCUStopScheduleType* entry = BufferedEntry();
        return entry == nullptr ? KeloTimeType() : entry->arrival;
    }
    return underlyingEntry.IsNull() ? KeloTimeType() : underlyingEntry->GetArrival();
}

KeloTimeType KeloCachedUpdateStopScheduleClass::GetStay() {
    if (Buffered()) {
        const KeloDataCUStopScheduleType* entry = BufferedEntry();
        return entry == nullptr ? KeloTimeType() : entry->stay;
    }
    return underlyingEntry.IsNull() ? KeloTimeType() : underlyingEntry->GetStay();
}

void KeloCachedUpdateStopScheduleClass::SetArrival(KeloTimeType arrival) {
    modified->EnsureLoaded(number, underlying);
    if (KeloDataCUStopScheduleType* entry = BufferedEntry())
        entry->arrival = arrival;
}

void KeloCachedUpdateStopScheduleClass::SetStay(KeloTimeType stay) {
    modified->EnsureLoaded(number, underlying);
    if (KeloDataCUStopScheduleType* entry = BufferedEntry())
        entry->stay = stay;
}
