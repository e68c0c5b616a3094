#pragma once

#include "KeloDataClass.h"

#include <cstdint>
#include <string>

/// Optional interface of a data source shared by several planners: every kelo carries a
/// version that each saved change to it raises, so a save can refuse to overwrite a change
/// its planner never saw. Version 0 stands for "no such kelo".
class KeloVersionedDataClass {
public:
    virtual ~KeloVersionedDataClass() = default;
    // The version of the kelo as this layer read it (a caching layer answers what it saw
    // first, not what the store holds now).
    virtual std::int64_t GetKeloVersion(const std::string& number) = 0;
    // Inside a write transaction: raises the kelo's version and answers true when it is still
    // `readVersion`; answers false and changes nothing when another save changed it since.
    virtual bool ClaimKelo(const std::string& number, std::int64_t readVersion) = 0;
    // Forgets whatever was read of the kelo, so the next read sees the store as it is now.
    virtual void ReloadKelo(const std::string& number) = 0;
};

/// The versioned interface of a source, or null when it has none.
inline KeloVersionedDataClass* KeloFindVersioned(KeloDataPtrClass source) {
    return source.IsNull() ? nullptr : dynamic_cast<KeloVersionedDataClass*>(&*source);
}
