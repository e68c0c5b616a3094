#pragma once

#include "KeloDataClass.h"
#include "KeloDemoTables.h"

/// One bus model record of the demonstration tables.
class KeloDemoBusClass : public KeloBusClass {
public:
    explicit KeloDemoBusClass(const KeloDemoBusRecordType& record) : record(&record) {}

    std::string GetModel() override { return record->model; }
    std::string GetCategory() override { return record->category; }
    std::int32_t GetCapacity() override { return record->capacity; }

private:
    const KeloDemoBusRecordType* record;
};
