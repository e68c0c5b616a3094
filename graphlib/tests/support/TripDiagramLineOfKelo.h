#pragma once

#include "KeloDataClass.h"

#include <string>
#include <vector>

/// The line of a kelo as the diagram command makes it: the stop codes of its timetable,
/// in order. Empty when the source does not know the number.
inline std::vector<std::string> TripDiagramLineOfKelo(KeloDataPtrClass source,
                                                      const std::string& number) {
    std::vector<std::string> codes;
    KeloKeloPtrClass kelo = source->FindKelo(number);
    if (kelo.IsNull())
        return codes;
    KeloKeloSchedulePtrClass schedule = kelo->GetSchedule();
    for (std::int32_t i = 0; i < schedule->GetCount(); ++i)
        codes.push_back(schedule->GetItem(i)->GetStop()->GetCode());
    return codes;
}
