#pragma once

#include "KeloCAIndexTemplate.h"
#include "KeloCacheTypes.h"
#include "KeloDataClass.h"

class KeloCAVersionLedgerClass;

#include <string>
#include <vector>

/// Name, average speed and distance of each kelo as read from the lower source, each read
/// below once and kept until this layer itself changes what it depends on.
class KeloCAKeloCacheClass {
public:
    // `ledger` (may be null) notes each kelo's version before its data is first read.
    explicit KeloCAKeloCacheClass(KeloDataPtrClass lower,
                                  KeloCAVersionLedgerClass* ledger = nullptr);

    // Empty text / 0 for a number the lower source does not know; such answers are not kept.
    std::string GetName(const std::string& number);
    float GetAverageSpeed(const std::string& number);
    float GetDistance(const std::string& number);

    // Remembers a name set through this layer, but only for a kelo already held here.
    void UpdateName(const std::string& number, const std::string& name);
    void InvalidateSpeed(const std::string& number);
    void InvalidateDistance(const std::string& number);
    // Drops everything held for the number (a new kelo took it over).
    void Forget(const std::string& number);

private:
    KeloCAKeloType* Find(const std::string& number);
    KeloCAKeloType& FindOrAdd(const std::string& number);

    KeloDataPtrClass Lower;
    KeloCAVersionLedgerClass* Ledger;
    std::vector<KeloCAKeloType> Kelos;
    KeloCAIndexTemplate<std::string> Index; // number -> position in Kelos
};
