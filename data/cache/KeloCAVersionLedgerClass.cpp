#include "KeloCAVersionLedgerClass.h"

#include "KeloVersionedDataClass.h"

KeloCAVersionLedgerClass::KeloCAVersionLedgerClass(KeloVersionedDataClass* lower) : Lower(lower) {}

void KeloCAVersionLedgerClass::Note(const std::string& number) {
    Get(number);
}

std::int64_t KeloCAVersionLedgerClass::Get(const std::string& number) {
    if (!Lower)
        return 0;
    if (const auto found = Versions.find(number); found != Versions.end())
        return found->second;
    const std::int64_t version = Lower->GetKeloVersion(number);
    // A kelo not there yet is not noted: it may be created below before it is read.
    if (version != 0)
        Versions.emplace(number, version);
    return version;
}

void KeloCAVersionLedgerClass::Set(const std::string& number, std::int64_t version) {
    Versions[number] = version;
}

void KeloCAVersionLedgerClass::Forget(const std::string& number) {
    Versions.erase(number);
}

void KeloCAVersionLedgerClass::Clear() {
    Versions.clear();
}
