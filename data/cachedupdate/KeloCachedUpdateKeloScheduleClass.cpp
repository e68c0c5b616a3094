#include "KeloCachedUpdateKeloScheduleClass.h"

#include "KeloCachedUpdateStopScheduleClass.h"
#include "KeloDataCUModifiedKeloStorageClass.h"

KeloCachedUpdateKeloScheduleClass::KeloCachedUpdateKeloScheduleClass(
    KeloDataPtrClass underlying, std::string number, KeloKeloSchedulePtrClass underlyingSchedule,
    KeloDataCUModifiedKeloStorageClass* modified)
    : underlying(std::move(underlying)), number(std::move(number)),
      underlyingSchedule(std::move(underlyingSchedule)), modified(modified) {}

bool KeloCachedUpdateKeloScheduleClass::Buffered() {
    const KeloDataCUKeloType* record = modified->Find(number);
    return record != nullptr && record->scheduleLoaded;
}

KeloStopSchedulePtrClass KeloCachedUpdateKeloScheduleClass::BufferedEntry(std::int32_t index) {
    return KeloStopSchedulePtrClass(new KeloCachedUpdateStopScheduleClass(
        underlying, number, index, KeloStopSchedulePtrClass(), modified));
}

std::int32_t KeloCachedUpdateKeloScheduleClass::GetCount() {
    if (Buffered())
        return static_cast<std::int32_t>(modified->Find(number)->stops.size());
    return underlyingSchedule.IsNull() ? 0 : underlyingSchedule->GetCount();
}

KeloStopSchedulePtrClass KeloCachedUpdateKeloScheduleClass::GetItem(std::int32_t index) {
    if (Buffered())
        return BufferedEntry(index);
    KeloStopSchedulePtrClass entry = underlyingSchedule.IsNull()
                                         ? KeloStopSchedulePtrClass()
                                         : underlyingSchedule->GetItem(index);
    return KeloStopSchedulePtrClass(
        new KeloCachedUpdateStopScheduleClass(underlying, number, index, entry, modified));
}

KeloStopSchedulePtrClass KeloCachedUpdateKeloScheduleClass::AppendStop(const std::string& code) {
    KeloDataCUKeloType& record = modified->EnsureLoaded(number, underlying);
    record.stops.push_back({code, KeloTimeType(), KeloTimeType()});
    return BufferedEntry(static_cast<std::int32_t>(record.stops.size()) - 1);
}

KeloStopSchedulePtrClass KeloCachedUpdateKeloScheduleClass::InsertStop(std::int32_t index,
                                                                       const std::string& code) {
    KeloDataCUKeloType& record = modified->EnsureLoaded(number, underlying);
    if (index < 0 || index >= static_cast<std::int32_t>(record.stops.size()))
        return AppendStop(code);
    record.stops.insert(record.stops.begin() + index, {code, KeloTimeType(), KeloTimeType()});
    return BufferedEntry(index);
}

void KeloCachedUpdateKeloScheduleClass::RemoveStop(std::int32_t index) {
    KeloDataCUKeloType& record = modified->EnsureLoaded(number, underlying);
    if (index >= 0 && index < static_cast<std::int32_t>(record.stops.size()))
        record.stops.erase(record.stops.begin() + index);
}
