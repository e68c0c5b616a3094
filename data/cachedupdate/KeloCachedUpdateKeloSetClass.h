#pragma once

#include "KeloDataClass.h"

#include <string>
#include <vector>

class KeloDataCUModifiedKeloStorageClass;

/// The kelos seen through an edit buffer. It mirrors the underlying kelo set until the first
/// creation or deletion; from then on it keeps its own list of numbers: the underlying order
/// of that moment, deleted numbers taken out, created ones appended.
class KeloCachedUpdateKeloSetClass : public KeloKeloSetClass {
public:
    KeloCachedUpdateKeloSetClass(KeloDataPtrClass underlying,
                                 KeloDataCUModifiedKeloStorageClass* modified);

    std::int32_t GetCount() override;
    KeloKeloPtrClass GetItem(std::int32_t index) override;

    void BuildList();
    void AddNumber(const std::string& number);
    void RemoveNumber(const std::string& number);
    // Position of the first occurrence of the number, or -1.
    std::int32_t IndexOfNumber(const std::string& number);
    // Builds the list if need be and puts the number at that position (the end when beyond).
    void InsertNumber(std::int32_t position, const std::string& number);
    // Back to mirroring the underlying set.
    void Reset();

private:
    KeloDataPtrClass underlying;
    std::vector<std::string> numbers;
    bool listBuilt = false;
    KeloDataCUModifiedKeloStorageClass* modified;
};

/// The kelo `number` as the buffer over `underlying` shows it: a view without underlying kelo
/// for a kelo created in the buffer, else a view over the underlying kelo; an empty handle
/// when neither knows the number.
KeloKeloPtrClass MakeCachedUpdateKelo(KeloDataPtrClass& underlying,
                                      KeloDataCUModifiedKeloStorageClass* modified,
                                      const std::string& number);
