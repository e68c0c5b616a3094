#include "KeloCAKeloScheduleCacheClass.h"

#include "KeloCAVersionLedgerClass.h"

KeloCAKeloScheduleCacheClass::KeloCAKeloScheduleCacheClass(KeloDataPtrClass lower,
                                                           KeloCAVersionLedgerClass* ledger)
    : Lower(std::move(lower)), Ledger(ledger) {}

KeloCAKeloScheduleType* KeloCAKeloScheduleCacheClass::Get(const std::string& number) {
    if (const std::size_t at = Index.Find(number); at != Index.None)
        return &Schedules[at];

    if (Ledger)

        Ledger->Note(number);

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
    Index.Add(number, Schedules.size() - 1);
    return &Schedules.back();
}

void KeloCAKeloScheduleCacheClass::Forget(const std::string& number) {
    if (Index.Find(number) == Index.None)
        return;
    std::erase_if(Schedules, [&](const KeloCAKeloScheduleType& schedule) {
        return schedule.Number == number;
    });
    Index.Rebuild(Schedules, [](const KeloCAKeloScheduleType& schedule) -> const std::string& {
        return schedule.Number;
    });
}
