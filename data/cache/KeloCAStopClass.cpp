#include "KeloCAStopClass.h"

#include "KeloCacheDataClass.h"

KeloCAStopClass::KeloCAStopClass(KeloDataPtrClass lower, std::string code)
    : Lower(std::move(lower)), Code(std::move(code)) {}

std::string KeloCAStopClass::GetCode() {
    return Code;
}

std::string KeloCAStopClass::GetName() {
    if (!NameLoaded) {
        KeloStopPtrClass stop = Lower->FindStop(Code);
        if (stop.IsNull())
            return {};
        Name = stop->GetName();
        NameLoaded = true;
    }
    return Name;
}

KeloCAStopSetClass::KeloCAStopSetClass(KeloCacheDataClass* owner, KeloDataPtrClass lower)
    : Owner(owner), Lower(std::move(lower)) {}

void KeloCAStopSetClass::Load() {
    if (Loaded)
        return;
    KeloStopSetPtrClass stops = Lower->GetStopSet();
    const std::int32_t count = stops->GetCount();
    Codes.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i)
        Codes.push_back(stops->GetItem(i)->GetCode());
    Loaded = true;
}

std::int32_t KeloCAStopSetClass::GetCount() {
    Load();
    return static_cast<std::int32_t>(Codes.size());
}

KeloStopPtrClass KeloCAStopSetClass::GetItem(std::int32_t index) {
    Load();
    if (index < 0 || index >= static_cast<std::int32_t>(Codes.size()))
        return {};
    return Owner->FindStop(Codes[index]);
}
