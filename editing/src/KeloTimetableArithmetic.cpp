#include "KeloTimetableArithmetic.h"

KeloRunType MeasureKeloRun(const KeloTimeType& arrival, const KeloTimeType& stay,
                           const KeloTimeType& nextArrival, float distance) {
    KeloRunType run;
    run.distance = distance;
    const KeloTimeType departure = stay.IsEmpty() ? arrival : arrival + stay;
    if (!departure.IsEmpty() && !nextArrival.IsEmpty()) {
        run.minutes = nextArrival.GetTotalMinutes() - departure.GetTotalMinutes();
        if (nextArrival < departure)
            run.minutes += 1440;
    }
    if (run.minutes != 0)
        run.speed = double(distance) / run.minutes * 60;
    return run;
}

KeloRunType MeasureKeloRun(KeloKeloScheduleClass& schedule, std::int32_t index,
                           KeloTopologyClass& topology) {
    KeloStopSchedulePtrClass entry = schedule.GetItem(index);
    KeloStopSchedulePtrClass next = schedule.GetItem(index + 1);
    const float km = topology.GetDistance(entry->GetStop()->GetCode(), next->GetStop()->GetCode());
    return MeasureKeloRun(entry->GetArrival(), entry->GetStay(), next->GetArrival(), km);
}

KeloTimeType KeloFirstArrival(KeloKeloScheduleClass& schedule) {
    return schedule.GetCount() > 0 ? schedule.GetItem(0)->GetArrival() : KeloTimeType();
}

bool ShiftKeloSchedule(KeloKeloScheduleClass& schedule, std::int32_t newStart) {
    const std::int32_t count = schedule.GetCount();
    const KeloTimeType first = KeloFirstArrival(schedule);
    if (first.IsEmpty())
        return false;
    const std::int32_t d = newStart - first.GetTotalMinutes();
    if (d == 0)
        return true;
    for (std::int32_t i = 0; i < count; ++i) {
        KeloStopSchedulePtrClass entry = schedule.GetItem(i);
        const KeloTimeType arrival = entry->GetArrival();
        if (arrival.IsEmpty())
            continue;
        entry->SetArrival(KeloTimeOfDay(KeloTimeType(arrival.GetTotalMinutes() + d)));
    }
    return true;
}

std::int32_t FindEntryWithoutArrival(KeloKeloScheduleClass& schedule) {
    const std::int32_t count = schedule.GetCount();
    for (std::int32_t i = 0; i < count; ++i)
        if (schedule.GetItem(i)->GetArrival().IsEmpty())
            return i;
    return -1;
}
