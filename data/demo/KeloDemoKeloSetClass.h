#pragma once

#include "KeloDataClass.h"
#include "KeloDemoTables.h"

#include <string>
#include <vector>

/// The offered kelos of a demonstration source, by their numbers.
class KeloDemoKeloSetClass : public KeloKeloSetClass {
public:
    KeloDemoKeloSetClass(std::vector<std::string> numbers, const KeloDemoRootType& root);

    std::int32_t GetCount() override;
    // The kelo record with the number at `index`; an empty handle if none has it.
    KeloKeloPtrClass GetItem(std::int32_t index) override;

private:
    std::vector<std::string> numbers;
    KeloDemoRootType root;
};
