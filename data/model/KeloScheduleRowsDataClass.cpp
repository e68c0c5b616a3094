#include "KeloScheduleRowsDataClass.h"

std::vector<KeloScheduleRowType> KeloReadScheduleRows(KeloScheduleRowsDataClass* rows,
                                                      KeloKeloPtrClass kelo) {
    if (kelo.IsNull())
        return {};
    if (rows != nullptr)
        if (std::optional<std::vector<KeloScheduleRowType>> all =
                rows->GetScheduleRows(kelo->GetNumber()))
            return std::move(*all);
    std::vector<KeloScheduleRowType> result;
    KeloKeloSchedulePtrClass schedule = kelo->GetSchedule();
    if (schedule.IsNull())
        return result;
    const std::int32_t count = schedule->GetCount();
    result.reserve(std::size_t(count > 0 ? count : 0));
    for (std::int32_t i = 0; i < count; ++i) {
        KeloScheduleRowType row;
        if (KeloStopSchedulePtrClass entry = schedule->GetItem(i); !entry.IsNull()) {
            if (KeloStopPtrClass stop = entry->GetStop(); !stop.IsNull())
                row.stopCode = stop->GetCode();
            row.arrival = entry->GetArrival();
            row.stay = entry->GetStay();
        }
        result.push_back(std::move(row));
    }
    return result;
}
