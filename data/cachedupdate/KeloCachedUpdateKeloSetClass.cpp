#include "KeloCachedUpdateKeloSetClass.h"

#include "KeloAssert.h"
#include "KeloCachedUpdateKeloClass.h"
#include "KeloDataCUModifiedKeloStorageClass.h"

#include <algorithm>

KeloKeloPtrClass MakeCachedUpdateKelo(KeloDataPtrClass& underlying,
                                      KeloDataCUModifiedKeloStorageClass* modified,
                                      const std::string& number) {
    if (modified->IsNew(number))
        return KeloKeloPtrClass(
            new KeloCachedUpdateKeloClass(underlying, number, KeloKeloPtrClass(), modified));
    KeloKeloPtrClass kelo = underlying->FindKelo(number);
    if (kelo.IsNull())
        return {};
    return KeloKeloPtrClass(new KeloCachedUpdateKeloClass(underlying, number, kelo, modified));
}

KeloCachedUpdateKeloSetClass::KeloCachedUpdateKeloSetClass(
    KeloDataPtrClass underlying, KeloDataCUModifiedKeloStorageClass* modified)
    : underlying(std::move(underlying)), modified(modified) {}

std::int32_t KeloCachedUpdateKeloSetClass::GetCount() {
    if (listBuilt)
        return static_cast<std::int32_t>(numbers.size());
    return underlying->GetKeloSet()->GetCount();
}

KeloKeloPtrClass KeloCachedUpdateKeloSetClass::GetItem(std::int32_t index) {
    if (listBuilt) {
        KELO_ASSERT(index >= 0 && index < static_cast<std::int32_t>(numbers.size()));
        return MakeCachedUpdateKelo(underlying, modified, numbers[index]);
    }
    // While mirroring, the underlying item is the kelo itself: no second look-up by number.
    KeloKeloPtrClass kelo = underlying->GetKeloSet()->GetItem(index);
    if (kelo.IsNull())
        return {};
    return KeloKeloPtrClass(
        new KeloCachedUpdateKeloClass(underlying, kelo->GetNumber(), kelo, modified));
}

void KeloCachedUpdateKeloSetClass::BuildList() {
    numbers.clear();
    KeloKeloSetPtrClass kelos = underlying->GetKeloSet();
    const std::int32_t count = kelos->GetCount();
    for (std::int32_t i = 0; i < count; ++i)
        if (KeloKeloPtrClass kelo = kelos->GetItem(i); !kelo.IsNull())
            numbers.push_back(kelo->GetNumber());
    listBuilt = true;
}

void KeloCachedUpdateKeloSetClass::AddNumber(const std::string& number) {
    if (!listBuilt)
        BuildList();
    numbers.push_back(number);
}

void KeloCachedUpdateKeloSetClass::RemoveNumber(const std::string& number) {
    if (!listBuilt)
        BuildList();
    auto it = std::find(numbers.begin(), numbers.end(), number);
    if (it != numbers.end())
        numbers.erase(it);
}

void KeloCachedUpdateKeloSetClass::Reset() {
    numbers.clear();
    listBuilt = false;
}

std::int32_t KeloCachedUpdateKeloSetClass::IndexOfNumber(const std::string& number) {
    if (listBuilt) {
        auto it = std::find(numbers.begin(), numbers.end(), number);
        return it == numbers.end() ? -1 : static_cast<std::int32_t>(it - numbers.begin());
    }
    KeloKeloSetPtrClass kelos = underlying->GetKeloSet();
    const std::int32_t count = kelos->GetCount();
    for (std::int32_t i = 0; i < count; ++i)
        if (KeloKeloPtrClass kelo = kelos->GetItem(i);
            !kelo.IsNull() && kelo->GetNumber() == number)
            return i;
    return -1;
}

void KeloCachedUpdateKeloSetClass::InsertNumber(std::int32_t position, const std::string& number) {
    if (!listBuilt)
        BuildList();
    const auto at =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(position, 0)), numbers.size());
    numbers.insert(numbers.begin() + static_cast<std::ptrdiff_t>(at), number);
}
