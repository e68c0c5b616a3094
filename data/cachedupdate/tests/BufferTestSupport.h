#pragma once

#include "InMemoryKeloData.h"
#include "KeloCachedUpdateDataClass.h"

#include <string>
#include <utility>
#include <vector>

// Kelos A, B, C over four stops; A has five entries, B crosses midnight, C has a bus model
// that is not among the bus models.
inline InMemoryDataSet BufferTestData() {
    InMemoryDataSet d;
    d.stops = {{"S1", "ONE"}, {"S2", "TWO"}, {"S3", "THREE"}, {"S4", "FOUR"}};
    d.AddLinkBothWays("S1", "S2", 10);
    d.AddLinkBothWays("S2", "S3", 20);
    d.AddLinkBothWays("S3", "S4", 30);
    d.buses = {{"BUS1", "CAT", 40}, {"BUS2", "CAT", 20}};
    d.kelos.push_back(
        {"A",
         "kelo a",
         "BUS1",
         {MakeRow("S1", "08:00", 0), MakeRow("S2", "08:10", 1), MakeRow("S3", "08:30", 1),
          MakeRow("S4", "09:00", 2), MakeRow("S3", "09:30", -1)}});
    d.kelos.push_back(
        {"B", "kelo b", "BUS2", {MakeRow("S4", "23:40", 0), MakeRow("S3", "00:10", -1)}});
    d.kelos.push_back(
        {"C", "kelo c", "NOBUS", {MakeRow("S2", "12:00", 0), MakeRow("S1", "12:20", -1)}});
    return d;
}

inline std::vector<std::string> SetNumbers(KeloDataPtrClass source) {
    std::vector<std::string> numbers;
    KeloKeloSetPtrClass kelos = source->GetKeloSet();
    for (std::int32_t i = 0; i < kelos->GetCount(); ++i)
        numbers.push_back(kelos->GetItem(i)->GetNumber());
    return numbers;
}

inline std::vector<std::pair<KeloDataCUChangeKind, std::string>>
Changes(KeloCachedUpdateDataClass& buffer) {
    std::vector<std::pair<KeloDataCUChangeKind, std::string>> changes;
    for (int i = 0; i < buffer.GetChangeCount(); ++i) {
        KeloDataCUChangeKind kind = Modified;
        std::string number;
        buffer.GetChange(i, kind, number);
        changes.emplace_back(kind, number);
    }
    return changes;
}

// Stop code, arrival and stay of every entry, as one comparable text.
inline std::string Describe(KeloKeloSchedulePtrClass schedule) {
    std::string text;
    for (std::int32_t i = 0; i < schedule->GetCount(); ++i) {
        KeloStopSchedulePtrClass entry = schedule->GetItem(i);
        KeloStopPtrClass stop = entry->GetStop();
        text += (stop.IsNull() ? std::string("?") : stop->GetCode()) + " " +
                entry->GetArrival().Format() + "+" + entry->GetStay().Format() + "; ";
    }
    return text;
}

using ChangeList = std::vector<std::pair<KeloDataCUChangeKind, std::string>>;
using Numbers = std::vector<std::string>;
