#pragma once

#include "KeloDataClass.h"
#include "KeloDemoTables.h"

/// One stop record of the demonstration tables.
class KeloDemoStopClass : public KeloStopClass {
public:
    explicit KeloDemoStopClass(const KeloDemoStopRecordType& record) : record(&record) {}

    std::string GetCode() override { return record->code; }
    std::string GetName() override { return record->name; }

private:
    const KeloDemoStopRecordType* record;
};
