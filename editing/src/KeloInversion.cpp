#include "KeloInversion.h"

#include "KeloTimetableArithmetic.h"

#include <vector>

namespace {

std::int32_t FirstUnknownReverseLeg(KeloKeloScheduleClass& schedule, KeloTopologyClass& topology) {
    const std::int32_t count = schedule.GetCount();
    for (std::int32_t k = 0; k + 1 < count; ++k) {
        const std::string code = schedule.GetItem(k)->GetStop()->GetCode();
        const std::string next = schedule.GetItem(k + 1)->GetStop()->GetCode();
        if (!topology.HasLink(next, code))
            return k;
    }
    return -1;
}

std::int32_t MinutesOrZero(const KeloTimeType& time) {
    return time.IsEmpty() ? 0 : time.GetTotalMinutes();
}

} // namespace

bool CanInvertKelo(KeloKeloScheduleClass& schedule, KeloTopologyClass& topology) {
    return FirstUnknownReverseLeg(schedule, topology) < 0;
}

bool ConfirmInvertData(KeloKeloScheduleClass& schedule, KeloTopologyClass& topology,
                       KeloInvertQuestionsClass& questions) {
    if (FirstUnknownReverseLeg(schedule, topology) < 0)
        return true;
    questions.ShowDatabaseMaintenanceNeeded();
    return false;
}

bool CheckKeloInvertible(KeloKeloScheduleClass& schedule, KeloTopologyClass& topology,
                         KeloInvertQuestionsClass& questions) {
    if (!CanInvertKelo(schedule, topology)) {
        if (!questions.AskAddMissingData() || !ConfirmInvertData(schedule, topology, questions))
            return false;
    }
    // Running times need both arrivals of every leg: refuse rather than compute with empty.
    const std::int32_t missing = FindEntryWithoutArrival(schedule);
    if (missing >= 0) {
        questions.ShowMissingArrival(schedule.GetItem(missing)->GetStop()->GetName());
        return false;
    }
    return true;
}

bool InvertKeloSchedule(KeloKeloScheduleClass& schedule, KeloTopologyClass& topology,
                        KeloInvertQuestionsClass& questions) {
    if (!CheckKeloInvertible(schedule, topology, questions))
        return false;
    const std::int32_t n = schedule.GetCount();
    if (n == 0)
        return true;
    const std::int32_t firstArrival = schedule.GetItem(0)->GetArrival().GetTotalMinutes();

    struct Former {
        std::string code;
        KeloTimeType arrival;
        KeloTimeType stay;
    };
    std::vector<Former> former;
    former.reserve(std::size_t(n));
    for (std::int32_t i = n - 1; i >= 0; --i) {
        KeloStopSchedulePtrClass entry = schedule.GetItem(i);
        former.push_back({entry->GetStop()->GetCode(), entry->GetArrival(), entry->GetStay()});
    }
    for (const Former& f : former) {
        KeloStopSchedulePtrClass added = schedule.AppendStop(f.code);
        added->SetArrival(f.arrival);
        added->SetStay(f.stay);
    }
    for (std::int32_t i = 0; i < n; ++i)
        schedule.RemoveStop(0);

    // Sums are taken into the day at every step, so a kelo longer than a day (or a stay
    // longer than a leg) never yields an arrival outside 00:00-23:59.
    std::int32_t t = KeloTimeOfDay(former[0].arrival).GetTotalMinutes();
    for (std::int32_t i = 0; i + 1 < n; ++i) {
        const std::int32_t l = former[std::size_t(i)].arrival.GetTotalMinutes();
        const std::int32_t dA = MinutesOrZero(former[std::size_t(i)].stay);
        const std::int32_t h = former[std::size_t(i) + 1].arrival.GetTotalMinutes();
        const std::int32_t g = MinutesOrZero(former[std::size_t(i) + 1].stay);
        const std::int32_t run = h + g < l ? l - h - g : l - h - g + 1440;
        const std::int32_t v = KeloTimeOfDay(KeloTimeType(t + dA + run)).GetTotalMinutes();
        schedule.GetItem(i)->SetArrival(KeloTimeType(t));
        t = v;
    }
    KeloStopSchedulePtrClass first = schedule.GetItem(0);
    if (first->GetStay().IsEmpty())
        first->SetStay(KeloTimeType(0));
    KeloStopSchedulePtrClass last = schedule.GetItem(n - 1);
    last->SetArrival(KeloTimeType(t));
    last->SetStay(KeloTimeType());
    ShiftKeloSchedule(schedule, firstArrival);
    return true;
}
