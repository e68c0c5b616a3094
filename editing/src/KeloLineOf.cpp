#include "KeloLineOf.h"

std::vector<std::string> KeloLineOf(KeloDataPtrClass source, const std::string& number) {
    std::vector<std::string> codes;
    KeloKeloPtrClass kelo = source->FindKelo(number);
    if (kelo.IsNull())
        return codes;
    KeloKeloSchedulePtrClass schedule = kelo->GetSchedule();
    const std::int32_t count = schedule->GetCount();
    for (std::int32_t i = 0; i < count; ++i)
        codes.push_back(schedule->GetItem(i)->GetStop()->GetCode());
    return codes;
}
