#include "KeloCachedUpdateKeloClass.h"

#include "KeloAverageSpeed.h"
#include "KeloCachedUpdateKeloScheduleClass.h"
#include "KeloDataCUModifiedKeloStorageClass.h"

KeloCachedUpdateKeloClass::KeloCachedUpdateKeloClass(KeloDataPtrClass underlying,
                                                     std::string number,
                                                     KeloKeloPtrClass underlyingKelo,
                                                     KeloDataCUModifiedKeloStorageClass* modified)
    : underlying(std::move(underlying)), number(std::move(number)),
      underlyingKelo(std::move(underlyingKelo)), modified(modified) {}

std::string KeloCachedUpdateKeloClass::GetNumber() {
    return number;
}

std::string KeloCachedUpdateKeloClass::GetName() {
    if (const KeloDataCUKeloType* record = modified->Find(number); record && record->nameSet)
        return record->name;
    return underlyingKelo.IsNull() ? std::string() : underlyingKelo->GetName();
}

KeloKeloSchedulePtrClass KeloCachedUpdateKeloClass::GetSchedule() {
    KeloKeloSchedulePtrClass schedule =
        underlyingKelo.IsNull() ? KeloKeloSchedulePtrClass() : underlyingKelo->GetSchedule();
    return KeloKeloSchedulePtrClass(
        new KeloCachedUpdateKeloScheduleClass(underlying, number, schedule, modified));
}

KeloBusPtrClass KeloCachedUpdateKeloClass::GetBus() {
    const KeloDataCUKeloType* record = modified->Find(number);
    if (record != nullptr && record->busSet)
        return underlying->FindBus(record->busModel);
    if ((record != nullptr && record->isNew) || underlyingKelo.IsNull())
        return {};
    return underlyingKelo->GetBus();
}

float KeloCachedUpdateKeloClass::GetAverageSpeed() {
    const KeloDataCUKeloType* record = modified->Find(number);
    if (record == nullptr || !record->scheduleLoaded)
        return underlyingKelo.IsNull() ? 0.0f : underlyingKelo->GetAverageSpeed();
    KeloTopologyPtrClass topology = underlying->GetTopology();
    KeloAverageSpeedType speed;
    for (std::size_t k = 0; k + 1 < record->stops.size(); ++k) {
        const KeloDataCUStopScheduleType& from = record->stops[k];
        const KeloDataCUStopScheduleType& to = record->stops[k + 1];
        const bool linked = topology->HasLink(from.stopCode, to.stopCode);
        speed.AddRun(KeloDeparture(from.arrival, from.stay), to.arrival,
                     linked
                         ? std::optional<float>(topology->GetDistance(from.stopCode, to.stopCode))
                         : std::nullopt);
    }
    return speed.Speed();
}

float KeloCachedUpdateKeloClass::GetDistance() {
    const KeloDataCUKeloType* record = modified->Find(number);
    if (record == nullptr || !record->scheduleLoaded)
        return underlyingKelo.IsNull() ? 0.0f : underlyingKelo->GetDistance();
    KeloTopologyPtrClass topology = underlying->GetTopology();
    float distance = 0;
    for (std::size_t k = 0; k + 1 < record->stops.size(); ++k)
        distance += topology->GetDistance(record->stops[k].stopCode, record->stops[k + 1].stopCode);
    return distance;
}

void KeloCachedUpdateKeloClass::SetName(const std::string& name) {
    modified->AddModified(number);
    KeloDataCUKeloType* record = modified->Find(number);
    record->name = name;
    record->nameSet = true;
}

void KeloCachedUpdateKeloClass::SetBus(const std::string& model) {
    modified->AddModified(number);
    KeloDataCUKeloType* record = modified->Find(number);
    record->busModel = model;
    record->busSet = true;
}
