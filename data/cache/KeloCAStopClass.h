#pragma once

#include "KeloDataClass.h"

#include <string>
#include <vector>

class KeloCacheDataClass;

/// A stop known by its code; its name is read below on first use and kept.
class KeloCAStopClass : public KeloStopClass {
public:
    KeloCAStopClass(KeloDataPtrClass lower, std::string code);

    std::string GetCode() override;
    // Empty text for a code the lower source does not know.
    std::string GetName() override;

private:
    KeloDataPtrClass Lower;
    std::string Code;
    std::string Name;
    bool NameLoaded = false;
};

/// The lower source's stops, their codes read once on first use; its items are the stop
/// objects of the owning cache's FindStop, so both hand out the same objects.
class KeloCAStopSetClass : public KeloStopSetClass {
public:
    KeloCAStopSetClass(KeloCacheDataClass* owner, KeloDataPtrClass lower);

    std::int32_t GetCount() override;
    // Empty handle for an index outside the set.
    KeloStopPtrClass GetItem(std::int32_t index) override;

private:
    void Load();

    KeloCacheDataClass* Owner;
    KeloDataPtrClass Lower;
    std::vector<std::string> Codes;
    bool Loaded = false;
};
