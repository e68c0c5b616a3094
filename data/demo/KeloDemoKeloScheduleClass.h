#pragma once

#include "KeloDataClass.h"
#include "KeloDemoTables.h"

/// The rows of one demonstration kelo. Read-only: no stop can be added or removed.
class KeloDemoKeloScheduleClass : public KeloKeloScheduleClass {
public:
    KeloDemoKeloScheduleClass(const KeloDemoRowRecordType* firstRow, std::int32_t rowCount,
                              const KeloDemoRootType& root);

    std::int32_t GetCount() override;
    // An empty handle when the row's stop code is not in the stop table.
    KeloStopSchedulePtrClass GetItem(std::int32_t index) override;
    KeloStopSchedulePtrClass AppendStop(const std::string& code) override;
    KeloStopSchedulePtrClass InsertStop(std::int32_t index, const std::string& code) override;
    void RemoveStop(std::int32_t index) override;

private:
    const KeloDemoRowRecordType* firstRow;
    std::int32_t rowCount;
    const KeloDemoStopRecordType* stops;
    std::int32_t stopCount;
};
