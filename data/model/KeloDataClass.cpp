#include "KeloDataClass.h"

KeloTimeType KeloKeloClass::GetTravelTime() {
    KeloTimeType result(0);
    KeloKeloSchedulePtrClass schedule = GetSchedule();
    const std::int32_t count = schedule->GetCount();
    if (count <= 1)
        return result;
    KeloStopSchedulePtrClass first = schedule->GetItem(0);
    KeloStopSchedulePtrClass last = schedule->GetItem(count - 1);
    // A source may hold an entry for a stop it does not have, and give no entry for it.
    if (first.IsNull() || last.IsNull())
        return result;
    const KeloTimeType start = KeloDeparture(first->GetArrival(), first->GetStay());
    if (start.IsEmpty())
        return result;
    const KeloTimeType end = last->GetArrival();
    if (end.IsEmpty())
        return result;
    return DayWrapDuration(start, end);
}
