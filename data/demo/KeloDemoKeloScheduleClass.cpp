#include "KeloDemoKeloScheduleClass.h"

#include "KeloDemoLookup.h"
#include "KeloDemoStopScheduleClass.h"

KeloDemoKeloScheduleClass::KeloDemoKeloScheduleClass(const KeloDemoRowRecordType* firstRow,
                                                     std::int32_t rowCount,
                                                     const KeloDemoRootType& root)
    : firstRow(firstRow), rowCount(rowCount), stops(root.stops), stopCount(root.stopCount) {}

std::int32_t KeloDemoKeloScheduleClass::GetCount() {
    return rowCount;
}

KeloStopSchedulePtrClass KeloDemoKeloScheduleClass::GetItem(std::int32_t index) {
    if (index < 0 || index >= rowCount)
        return KeloStopSchedulePtrClass();
    const KeloDemoRowRecordType& row = firstRow[index];
    const KeloDemoStopRecordType* stop = KeloDemoFindStopRecord(stops, stopCount, row.stop);
    return stop ? KeloStopSchedulePtrClass(new KeloDemoStopScheduleClass(row, *stop))
                : KeloStopSchedulePtrClass();
}

KeloStopSchedulePtrClass KeloDemoKeloScheduleClass::AppendStop(const std::string&) {
    return KeloStopSchedulePtrClass();
}

KeloStopSchedulePtrClass KeloDemoKeloScheduleClass::InsertStop(std::int32_t, const std::string&) {
    return KeloStopSchedulePtrClass();
}

void KeloDemoKeloScheduleClass::RemoveStop(std::int32_t) {}
