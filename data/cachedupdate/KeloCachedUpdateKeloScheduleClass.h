#pragma once

#include "KeloDataClass.h"

#include <cstdint>
#include <string>

class KeloDataCUModifiedKeloStorageClass;

/// The timetable of one kelo seen through an edit buffer. Reads pass to the underlying
/// timetable until the first change, which copies the whole timetable into the kelo's change
/// record; from then on everything is read from and written to that copy. Made afresh per
/// call; must not outlive its buffer.
class KeloCachedUpdateKeloScheduleClass : public KeloKeloScheduleClass {
public:
    KeloCachedUpdateKeloScheduleClass(KeloDataPtrClass underlying, std::string number,
                                      KeloKeloSchedulePtrClass underlyingSchedule,
                                      KeloDataCUModifiedKeloStorageClass* modified);

    std::int32_t GetCount() override;
    KeloStopSchedulePtrClass GetItem(std::int32_t index) override;
    KeloStopSchedulePtrClass AppendStop(const std::string& code) override;
    KeloStopSchedulePtrClass InsertStop(std::int32_t index, const std::string& code) override;
    void RemoveStop(std::int32_t index) override;

private:
    bool Buffered();
    KeloStopSchedulePtrClass BufferedEntry(std::int32_t index);

    KeloDataPtrClass underlying;
    std::string number;
    KeloKeloSchedulePtrClass underlyingSchedule;
    KeloDataCUModifiedKeloStorageClass* modified;
};
