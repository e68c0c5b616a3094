#include "KeloDataCUModifiedKeloStorageClass.h"

#include "KeloVersionedDataClass.h"
#include <algorithm>

bool KeloDataCUModifiedKeloStorageClass::Contains(const std::string& number) const {
    return IndexOf(number) >= 0;
}

std::int32_t KeloDataCUModifiedKeloStorageClass::IndexOf(const std::string& number) const {
    for (std::size_t i = 0; i < Records.size(); ++i)
        if (Records[i].number == number)
            return static_cast<std::int32_t>(i);
    return -1;
}

KeloDataCUKeloType* KeloDataCUModifiedKeloStorageClass::Find(const std::string& number) {
    const std::int32_t index = IndexOf(number);
    return index < 0 ? nullptr : &Records[index];
}

bool KeloDataCUModifiedKeloStorageClass::IsNew(const std::string& number) const {
    const std::int32_t index = IndexOf(number);
    return index >= 0 && Records[index].isNew;
}

void KeloDataCUModifiedKeloStorageClass::AddNew(const std::string& number) {
    if (Contains(number))
        return;
    KeloDataCUKeloType record;
    record.number = number;
    record.isNew = true;
    record.nameSet = true;
    record.scheduleLoaded = true;
    Records.push_back(record);
}

void KeloDataCUModifiedKeloStorageClass::AddModified(const std::string& number) {
    if (Contains(number))
        return;
    KeloDataCUKeloType record;
    record.number = number;
    if (VersionSource)
        record.readVersion = VersionSource->GetKeloVersion(number);
    Records.push_back(record);
}

void KeloDataCUModifiedKeloStorageClass::LoadSchedule(const std::string& number,
                                                      KeloDataPtrClass& underlying) {
    KeloDataCUKeloType* record = Find(number);
    if (record == nullptr)
        return;
    std::vector<KeloDataCUStopScheduleType> stops;
    if (KeloKeloPtrClass kelo = underlying->FindKelo(number); !kelo.IsNull()) {
        KeloKeloSchedulePtrClass schedule = kelo->GetSchedule();
        const std::int32_t count = schedule->GetCount();
        for (std::int32_t i = 0; i < count; ++i) {
            KeloDataCUStopScheduleType stop;
            if (KeloStopSchedulePtrClass entry = schedule->GetItem(i); !entry.IsNull()) {
                if (KeloStopPtrClass place = entry->GetStop(); !place.IsNull())
                    stop.stopCode = place->GetCode();
                stop.arrival = entry->GetArrival();
                stop.stay = entry->GetStay();
            }
            stops.push_back(stop);
        }
    }
    record->stops = std::move(stops);
    record->scheduleLoaded = true;
}

KeloDataCUKeloType& KeloDataCUModifiedKeloStorageClass::EnsureLoaded(const std::string& number,
                                                                     KeloDataPtrClass& underlying) {
    AddModified(number);
    if (!Find(number)->scheduleLoaded)
        LoadSchedule(number, underlying);
    return *Find(number);
}

void KeloDataCUModifiedKeloStorageClass::Remove(const std::string& number) {
    const std::int32_t index = IndexOf(number);
    if (index >= 0)
        Records.erase(Records.begin() + index);
}

void KeloDataCUModifiedKeloStorageClass::Clear() {
    Records.clear();
}

std::int32_t KeloDataCUModifiedKeloStorageClass::GetCount() const {
    return static_cast<std::int32_t>(Records.size());
}

KeloDataCUKeloType* KeloDataCUModifiedKeloStorageClass::GetItem(std::int32_t index) {
    if (index < 0 || index >= GetCount())
        return nullptr;
    return &Records[index];
}

void KeloDataCUModifiedKeloStorageClass::Insert(std::int32_t position,
                                                const KeloDataCUKeloType& record) {
    const auto at =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(position, 0)), Records.size());
    Records.insert(Records.begin() + static_cast<std::ptrdiff_t>(at), record);
}
