#include "KeloDemoKeloClass.h"

#include "KeloAverageSpeed.h"
#include "KeloDemoBusClass.h"
#include "KeloDemoKeloScheduleClass.h"
#include "KeloDemoLookup.h"

KeloDemoKeloClass::KeloDemoKeloClass(const KeloDemoKeloRecordType& record,
                                     const KeloDemoRootType& root)
    : record(&record), root(root) {}

std::string KeloDemoKeloClass::GetNumber() {
    return record->number;
}

std::string KeloDemoKeloClass::GetName() {
    return record->name;
}

KeloKeloSchedulePtrClass KeloDemoKeloClass::GetSchedule() {
    return KeloKeloSchedulePtrClass(
        new KeloDemoKeloScheduleClass(root.rows + record->firstRow, record->rowCount, root));
}

KeloBusPtrClass KeloDemoKeloClass::GetBus() {
    const KeloDemoBusRecordType* bus = KeloDemoFindBusRecord(root, record->bus);
    return bus ? KeloBusPtrClass(new KeloDemoBusClass(*bus)) : KeloBusPtrClass();
}

float KeloDemoKeloClass::GetAverageSpeed() {
    KeloAverageSpeedType speed;
    const KeloDemoRowRecordType* rows = root.rows + record->firstRow;
    for (std::int32_t i = 0; i + 1 < record->rowCount; ++i) {
        const KeloDemoLinkRecordType* link =
            KeloDemoFindLinkRecord(root, rows[i].stop, rows[i + 1].stop);
        speed.AddRun(KeloDeparture(KeloTimeType(rows[i].arrival), KeloTimeType(rows[i].stay)),
                     KeloTimeType(rows[i + 1].arrival),
                     link ? std::optional<float>(link->distance) : std::nullopt);
    }
    return speed.Speed();
}

float KeloDemoKeloClass::GetDistance() {
    float distance = 0;
    const KeloDemoRowRecordType* rows = root.rows + record->firstRow;
    for (std::int32_t i = 0; i + 1 < record->rowCount; ++i)
        if (const KeloDemoLinkRecordType* link =
                KeloDemoFindLinkRecord(root, rows[i].stop, rows[i + 1].stop))
            distance += link->distance;
    return distance;
}

void KeloDemoKeloClass::SetName(const std::string&) {}

void KeloDemoKeloClass::SetBus(const std::string&) {}
