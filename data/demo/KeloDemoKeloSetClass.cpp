#include "KeloDemoKeloSetClass.h"

#include "KeloDemoKeloClass.h"
#include "KeloDemoLookup.h"

KeloDemoKeloSetClass::KeloDemoKeloSetClass(std::vector<std::string> numbers,
                                           const KeloDemoRootType& root)
    : numbers(std::move(numbers)), root(root) {}

std::int32_t KeloDemoKeloSetClass::GetCount() {
    return static_cast<std::int32_t>(numbers.size());
}

KeloKeloPtrClass KeloDemoKeloSetClass::GetItem(std::int32_t index) {
    if (index < 0 || index >= static_cast<std::int32_t>(numbers.size()))
        return KeloKeloPtrClass();
    const KeloDemoKeloRecordType* record = KeloDemoFindKeloRecord(root, numbers[index]);
    return record ? KeloKeloPtrClass(new KeloDemoKeloClass(*record, root)) : KeloKeloPtrClass();
}
