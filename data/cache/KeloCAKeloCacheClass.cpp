#include "KeloCAKeloCacheClass.h"

#include "KeloCAVersionLedgerClass.h"

#include <algorithm>

KeloCAKeloCacheClass::KeloCAKeloCacheClass(KeloDataPtrClass lower, KeloCAVersionLedgerClass* ledger)
    : Lower(std::move(lower)), Ledger(ledger) {}

KeloCAKeloType* KeloCAKeloCacheClass::Find(const std::string& number) {
    const std::size_t at = Index.Find(number);
    return at == Index.None ? nullptr : &Kelos[at];
}

KeloCAKeloType& KeloCAKeloCacheClass::FindOrAdd(const std::string& number) {
    if (KeloCAKeloType* kelo = Find(number))
        return *kelo;
    KeloCAKeloType added;
    added.Number = number;
    Kelos.push_back(added);
    Index.Add(number, Kelos.size() - 1);
    return Kelos.back();
}

std::string KeloCAKeloCacheClass::GetName(const std::string& number) {
    KeloCAKeloType& record = FindOrAdd(number);
    if (!record.NameLoaded) {
        if (Ledger)
            Ledger->Note(number);
        KeloKeloPtrClass kelo = Lower->FindKelo(number);
        if (kelo.IsNull())
            return {};
        record.Name = kelo->GetName();
        record.NameLoaded = true;
    }
    return record.Name;
}

float KeloCAKeloCacheClass::GetAverageSpeed(const std::string& number) {
    KeloCAKeloType& record = FindOrAdd(number);
    if (!record.SpeedLoaded) {
        if (Ledger)
            Ledger->Note(number);
        KeloKeloPtrClass kelo = Lower->FindKelo(number);
        if (kelo.IsNull())
            return 0;
        record.AverageSpeed = kelo->GetAverageSpeed();
        record.SpeedLoaded = true;
    }
    return record.AverageSpeed;
}

float KeloCAKeloCacheClass::GetDistance(const std::string& number) {
    KeloCAKeloType& record = FindOrAdd(number);
    if (!record.DistanceLoaded) {
        if (Ledger)
            Ledger->Note(number);
        KeloKeloPtrClass kelo = Lower->FindKelo(number);
        if (kelo.IsNull())
            return 0;
        record.Distance = kelo->GetDistance();
        record.DistanceLoaded = true;
    }
    return record.Distance;
}

void KeloCAKeloCacheClass::UpdateName(const std::string& number, const std::string& name) {
    if (KeloCAKeloType* record = Find(number)) {
        record->Name = name;
        record->NameLoaded = true;
    }
}

void KeloCAKeloCacheClass::InvalidateSpeed(const std::string& number) {
    if (KeloCAKeloType* record = Find(number))
        record->SpeedLoaded = false;
}

void KeloCAKeloCacheClass::InvalidateDistance(const std::string& number) {
    if (KeloCAKeloType* record = Find(number))
        record->DistanceLoaded = false;
}

void KeloCAKeloCacheClass::Forget(const std::string& number) {
    if (Find(number) == nullptr)
        return;
    std::erase_if(Kelos, [&](const KeloCAKeloType& kelo) { return kelo.Number == number; });
    Index.Rebuild(Kelos,
                  [](const KeloCAKeloType& kelo) -> const std::string& { return kelo.Number; });
}
