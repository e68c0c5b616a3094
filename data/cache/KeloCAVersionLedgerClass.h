#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

class KeloVersionedDataClass;

/// The version each kelo had when this layer first read anything of it. It is noted before
/// the data is read, so a change made below in between makes the save refuse rather than
/// overwrite what the planner never saw.
class KeloCAVersionLedgerClass {
public:
    // `lower` may be null (a source without versions): every version is then 0.
    explicit KeloCAVersionLedgerClass(KeloVersionedDataClass* lower);

    // Notes the version below unless one is noted already.
    void Note(const std::string& number);
    // The noted version, noting it first if need be.
    std::int64_t Get(const std::string& number);
    void Set(const std::string& number, std::int64_t version);
    void Forget(const std::string& number);
    void Clear();

private:
    KeloVersionedDataClass* Lower;
    std::unordered_map<std::string, std::int64_t> Versions;
};
