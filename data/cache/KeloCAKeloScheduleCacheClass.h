#pragma once

#include "KeloCAIndexTemplate.h"
#include "KeloCacheTypes.h"
#include "KeloDataClass.h"

class KeloCAVersionLedgerClass;

#include <string>
#include <vector>

/// Timetables read from the lower source, each loaded whole on first use and from then on
/// changed only by this layer's own writes (never reloaded).
class KeloCAKeloScheduleCacheClass {
public:
    // `ledger` (may be null) notes each kelo's version before its data is first read.
    explicit KeloCAKeloScheduleCacheClass(KeloDataPtrClass lower,
                                          KeloCAVersionLedgerClass* ledger = nullptr);

    // The cached timetable, loaded if need be; null when the lower source does not know the
    // number (nothing is kept then). The pointer is valid until the next call on this cache.
    KeloCAKeloScheduleType* Get(const std::string& number);
    // Drops the timetable held for the number (a new kelo took it over).
    void Forget(const std::string& number);

private:
    KeloDataPtrClass Lower;
    KeloCAVersionLedgerClass* Ledger;
    std::vector<KeloCAKeloScheduleType> Schedules;
    KeloCAIndexTemplate<std::string> Index; // number -> position in Schedules
};
