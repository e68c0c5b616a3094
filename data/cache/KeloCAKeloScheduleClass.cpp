#include "KeloCAKeloScheduleClass.h"

#include "KeloCAKeloCacheClass.h"
#include "KeloCAKeloScheduleCacheClass.h"
#include "KeloCAStopClass.h"

namespace {

KeloKeloSchedulePtrClass LowerSchedule(KeloDataPtrClass& lowerSource, const std::string& number) {
    KeloKeloPtrClass kelo = lowerSource->FindKelo(number);
    if (kelo.IsNull())
        return {};
    return kelo->GetSchedule();
}

std::int32_t CountOf(const KeloCAKeloScheduleType* schedule) {
    return schedule == nullptr ? 0 : static_cast<std::int32_t>(schedule->Entries.size());
}

KeloCAStopScheduleType NewEntry(const std::string& code) {
    KeloCAStopScheduleType entry;
    entry.StopCode = code;
    return entry;
}

} // namespace

KeloCAKeloScheduleClass::KeloCAKeloScheduleClass(KeloDataPtrClass lowerSource,
                                                 KeloCAKeloCacheClass* keloCache,
                                                 KeloCAKeloScheduleCacheClass* scheduleCache,
                                                 std::string number)
    : LowerSource(std::move(lowerSource)), KeloCache(keloCache), ScheduleCache(scheduleCache),
      Number(std::move(number)) {}

KeloStopSchedulePtrClass KeloCAKeloScheduleClass::MakeEntry(std::int32_t index) {
    return KeloStopSchedulePtrClass(
        new KeloCAStopScheduleClass(LowerSource, KeloCache, ScheduleCache, Number, index));
}

std::int32_t KeloCAKeloScheduleClass::GetCount() {
    return CountOf(ScheduleCache->Get(Number));
}

KeloStopSchedulePtrClass KeloCAKeloScheduleClass::GetItem(std::int32_t index) {
    if (index < 0 || index >= GetCount())
        return {};
    return MakeEntry(index);
}

KeloStopSchedulePtrClass KeloCAKeloScheduleClass::AppendStop(const std::string& code) {
    if (ScheduleCache->Get(Number) == nullptr)
        return {};
    if (KeloKeloSchedulePtrClass lower = LowerSchedule(LowerSource, Number); !lower.IsNull())
        lower->AppendStop(code);
    // Looked up again: the cache may have grown while the lower source was asked.
    KeloCAKeloScheduleType* schedule = ScheduleCache->Get(Number);
    schedule->Entries.push_back(NewEntry(code));
    KeloCache->InvalidateSpeed(Number);
    KeloCache->InvalidateDistance(Number);
    return MakeEntry(CountOf(schedule) - 1);
}

KeloStopSchedulePtrClass KeloCAKeloScheduleClass::InsertStop(std::int32_t index,
                                                             const std::string& code) {
    if (index < 0 || index >= GetCount())
        return AppendStop(code);
    if (KeloKeloSchedulePtrClass lower = LowerSchedule(LowerSource, Number); !lower.IsNull())
        lower->InsertStop(index, code);
    KeloCAKeloScheduleType* schedule = ScheduleCache->Get(Number);
    schedule->Entries.insert(schedule->Entries.begin() + index, NewEntry(code));
    KeloCache->InvalidateSpeed(Number);
    KeloCache->InvalidateDistance(Number);
    return MakeEntry(index);
}

void KeloCAKeloScheduleClass::RemoveStop(std::int32_t index) {
    if (index < 0 || index >= GetCount())
        return;
    if (KeloKeloSchedulePtrClass lower = LowerSchedule(LowerSource, Number); !lower.IsNull())
        lower->RemoveStop(index);
    KeloCAKeloScheduleType* schedule = ScheduleCache->Get(Number);
    schedule->Entries.erase(schedule->Entries.begin() + index);
    KeloCache->InvalidateSpeed(Number);
    KeloCache->InvalidateDistance(Number);
}

KeloCAStopScheduleClass::KeloCAStopScheduleClass(KeloDataPtrClass lowerSource,
                                                 KeloCAKeloCacheClass* keloCache,
                                                 KeloCAKeloScheduleCacheClass* scheduleCache,
                                                 std::string number, std::int32_t index)
    : LowerSource(std::move(lowerSource)), KeloCache(keloCache), ScheduleCache(scheduleCache),
      Number(std::move(number)), Index(index) {}

KeloCAStopScheduleType* KeloCAStopScheduleClass::Entry() {
    KeloCAKeloScheduleType* schedule = ScheduleCache->Get(Number);
    if (Index < 0 || Index >= CountOf(schedule))
        return nullptr;
    return &schedule->Entries[Index];
}

KeloStopPtrClass KeloCAStopScheduleClass::GetStop() {
    const KeloCAStopScheduleType* entry = Entry();
    if (entry == nullptr)
        return {};
    return KeloStopPtrClass(new KeloCAStopClass(LowerSource, entry->StopCode));
}

KeloTimeType KeloCAStopScheduleClass::GetArrival() {
    const KeloCAStopScheduleType* entry = Entry();
    return entry == nullptr ? KeloTimeType() : entry->Arrival;
}

KeloTimeType KeloCAStopScheduleClass::GetStay() {
    const KeloCAStopScheduleType* entry = Entry();
    return entry == nullptr ? KeloTimeType() : entry->Stay;
}

void KeloCAStopScheduleClass::WriteThrough(KeloTimeType value, bool arrival) {
    KeloKeloSchedulePtrClass lower = LowerSchedule(LowerSource, Number);
    // The lower timetable may be shorter than ours (a source that cannot write ignored the
    // stops added here); never ask it for a position it does not have.
    if (lower.IsNull() || Index >= lower->GetCount())
        return;
    KeloStopSchedulePtrClass entry = lower->GetItem(Index);
    if (entry.IsNull())
        return;
    if (arrival)
        entry->SetArrival(value);
    else
        entry->SetStay(value);
}

void KeloCAStopScheduleClass::SetArrival(KeloTimeType arrival) {
    if (Entry() == nullptr)
        return;
    WriteThrough(arrival, true);
    Entry()->Arrival = arrival;
    KeloCache->InvalidateSpeed(Number);
}

void KeloCAStopScheduleClass::SetStay(KeloTimeType stay) {
    if (Entry() == nullptr)
        return;
    WriteThrough(stay, false);
    Entry()->Stay = stay;
    KeloCache->InvalidateSpeed(Number);
}
