#pragma once

#include "KeloDataClass.h"
#include "KeloDemoTables.h"

/// The whole stop table of the demonstration data, whatever the source's selection.
class KeloDemoStopSetClass : public KeloStopSetClass {
public:
    KeloDemoStopSetClass(const KeloDemoStopRecordType* stops, std::int32_t count)
        : stops(stops), count(count) {}

    std::int32_t GetCount() override { return count; }
    KeloStopPtrClass GetItem(std::int32_t index) override;

private:
    const KeloDemoStopRecordType* stops;
    std::int32_t count;
};
