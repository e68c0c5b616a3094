#include "KeloFeedPlan.h"

#include <unordered_map>

KeloFeedPlanType KeloReadFeedPlan(KeloDataPtrClass source) {
    if (auto* bulk = dynamic_cast<KeloFeedPlanSourceClass*>(&*source))
        return bulk->ReadFeedPlan();
    KeloFeedPlanType plan;
    std::unordered_map<std::string, std::uint32_t> stopIndex;
    KeloKeloSetPtrClass kelos = source->GetKeloSet();
    const std::int32_t count = kelos->GetCount();
    plan.kelos.reserve(static_cast<std::size_t>(count));
    for (std::int32_t k = 0; k < count; ++k) {
        KeloKeloPtrClass kelo = kelos->GetItem(k);
        if (kelo.IsNull())
            continue;
        KeloFeedKeloType row;
        row.number = kelo->GetNumber();
        row.name = kelo->GetName();
        if (KeloBusPtrClass bus = kelo->GetBus(); !bus.IsNull())
            row.busModel = bus->GetModel();
        KeloKeloSchedulePtrClass schedule = kelo->GetSchedule();
        const std::int32_t entries = schedule->GetCount();
        for (std::int32_t i = 0; i < entries; ++i) {
            KeloStopSchedulePtrClass entry = schedule->GetItem(i);
            KeloStopPtrClass stop = entry->GetStop();
            const std::string code = stop->GetCode();
            auto [found, added] =
                stopIndex.emplace(code, static_cast<std::uint32_t>(plan.stops.size()));
            if (added)
                plan.stops.push_back(KeloFeedStopType{code, stop->GetName(), {}, {}});
            row.entries.push_back(
                KeloFeedEntryType{found->second, entry->GetArrival(), entry->GetStay()});
        }
        plan.kelos.push_back(std::move(row));
    }
    return plan;
}
