#include "KeloTimetableCommands.h"

#include "LegTimeAtSpeed.h"

namespace {

std::string CodeAt(KeloKeloScheduleClass& schedule, std::int32_t index) {
    return schedule.GetItem(index)->GetStop()->GetCode();
}

} // namespace

bool KeloSetEntryTimes(KeloKeloScheduleClass& schedule, std::int32_t index, KeloTimeType arrival,
                       KeloTimeType stay) {
    if (index < 0 || index >= schedule.GetCount())
        return false;
    KeloStopSchedulePtrClass entry = schedule.GetItem(index);
    if (entry->GetArrival() == arrival && entry->GetStay() == stay)
        return false;
    entry->SetArrival(arrival);
    entry->SetStay(stay);
    return true;
}

bool KeloRemoveTimetableStop(KeloKeloScheduleClass& schedule, KeloTopologyClass& topology,
                             std::int32_t index) {
    const std::int32_t count = schedule.GetCount();
    if (index < 0 || index >= count)
        return false;
    if (index > 0 && index < count - 1 &&
        !topology.HasLink(CodeAt(schedule, index - 1), CodeAt(schedule, index + 1)))
        return false;
    schedule.RemoveStop(index);
    return true;
}

bool KeloCanInsertTimetableStop(KeloKeloScheduleClass& schedule, KeloTopologyClass& topology,
                                std::int32_t index, const std::string& code) {
    if (index < 0 || index >= schedule.GetCount())
        return false;
    if (index == 0)
        return topology.HasLink(code, CodeAt(schedule, 0));
    return topology.HasLink(CodeAt(schedule, index - 1), code) &&
           topology.HasLink(code, CodeAt(schedule, index));
}

bool KeloInsertTimetableStop(KeloKeloScheduleClass& schedule, KeloTopologyClass& topology,
                             std::int32_t index, const std::string& code) {
    if (!KeloCanInsertTimetableStop(schedule, topology, index, code))
        return false;
    KeloStopSchedulePtrClass entry = schedule.InsertStop(index, code);
    if (entry.IsNull())
        return false;
    entry->SetArrival(KeloTimeType(0));
    entry->SetStay(KeloTimeType());
    return true;
}

bool KeloAppendTimetableStop(KeloKeloScheduleClass& schedule, const std::string& code) {
    KeloStopSchedulePtrClass entry = schedule.AppendStop(code);
    if (entry.IsNull())
        return false;
    entry->SetArrival(KeloTimeType(0));
    return true;
}

bool KeloRecalculateAtSpeed(KeloKeloScheduleClass& schedule, KeloTopologyClass& topology,
                            std::int32_t index, double speed,
                            const std::function<void(std::int32_t)>& onLongRun,
                            const std::function<void(std::int32_t)>& onRun) {
    const std::int32_t count = schedule.GetCount();
    if (index < 0 || index >= count)
        return false;
    KeloStopSchedulePtrClass entry = schedule.GetItem(index);
    // An empty start empties every arrival after it; every sum is taken into the day as it is
    // stored, so no arrival past 23:59 is ever written.
    KeloTimeType t = KeloTimeOfDay(
        entry->GetStay().IsEmpty() ? entry->GetArrival() : entry->GetArrival() + entry->GetStay());
    bool changed = false;
    for (std::int32_t j = index + 1; j < count; ++j) {
        const KeloLegTimeType leg =
            LegTimeAtSpeed(topology, CodeAt(schedule, j - 1), CodeAt(schedule, j), speed);
        if (leg.linked) {
            if (leg.longerThanDay && onLongRun)
                onLongRun(j - 1);
            KeloStopSchedulePtrClass next = schedule.GetItem(j);
            t = KeloTimeOfDay(t + leg.duration);
            changed = changed || !(next->GetArrival() == t);
            next->SetArrival(t);
            if (!next->GetStay().IsEmpty())
                t = KeloTimeOfDay(t + next->GetStay());
        }
        if (onRun)
            onRun(j - 1);
        if (!leg.linked)
            break;
    }
    return changed;
}
