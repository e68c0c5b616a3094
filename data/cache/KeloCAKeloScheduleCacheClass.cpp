#include "KeloCAKeloScheduleCacheClass.h"

KeloCAKeloScheduleCacheClass::KeloCAKeloScheduleCacheClass(KeloDataPtrClass lower)
    : Lower(std::move(lower)) {}

KeloCAKeloScheduleType* KeloCAKeloScheduleCacheClass::Get(const std::string& number) {
    for (KeloCAKeloScheduleType& schedule : Schedules)
        if (schedule.Number == number)
            return &schedule;

    KeloKeloPtrClass kelo = Lower->FindKelo(number);
    if (kelo.IsNull())
        return nullptr;
    KeloCAKeloScheduleType loaded;
    loaded.Number = number;
    KeloKeloSchedulePtrClass schedule = kelo->GetSchedule();
    const std::int32_t count = schedule->GetCount();
    for (std::int32_t i = 0; i < count; ++i) {
        // An entry the source cannot hand out still takes its place, so that positions here
        // keep matching the positions below.
        KeloCAStopScheduleType entry;
        if (KeloStopSchedulePtrClass item = schedule->GetItem(i); !item.IsNull()) {
            if (KeloStopPtrClass stop = item->GetStop(); !stop.IsNull())
                entry.StopCode = stop->GetCode();
            entry.Arrival = item->GetArrival();
            entry.Stay = item->GetStay();
        }
        loaded.Entries.push_back(entry);
    }
    Schedules.push_back(std::move(loaded));
    return &Schedules.back();
}

void KeloCAKeloScheduleCacheClass::Forget(const std::string& number) {
    std::erase_if(Schedules, [&](const KeloCAKeloScheduleType& schedule) {
        return schedule.Number == number;
    });
}
