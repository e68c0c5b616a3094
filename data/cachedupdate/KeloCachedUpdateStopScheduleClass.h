#pragma once

#include "KeloDataClass.h"

#include <cstdint>
#include <string>

class KeloDataCUModifiedKeloStorageClass;
struct KeloDataCUStopScheduleType;

/// One timetable entry seen through an edit buffer: the buffered copy once the kelo's
/// timetable has been copied, the underlying entry before. Any write copies the timetable
/// first. Made afresh per call; must not outlive its buffer.
class KeloCachedUpdateStopScheduleClass : public KeloStopScheduleClass {
public:
    KeloCachedUpdateStopScheduleClass(KeloDataPtrClass underlying, std::string number,
                                      std::int32_t index, KeloStopSchedulePtrClass underlyingEntry,
                                      KeloDataCUModifiedKeloStorageClass* modified);

    KeloStopPtrClass GetStop() override;
    KeloTimeType GetArrival() override;
    KeloTimeType GetStay() override;
    void SetArrival(KeloTimeType arrival) override;
    void SetStay(KeloTimeType stay) override;

private:
    // Whether reads come from the buffered copy.
    bool Buffered();
    // The buffered entry at this position, or null past the end of the copy.
    KeloDataCUStopScheduleType* BufferedEntry();

    KeloDataPtrClass underlying;
    std::string number;
    std::int32_t index;
    KeloStopSchedulePtrClass underlyingEntry;
    KeloDataCUModifiedKeloStorageClass* modified;
};
