#pragma once

#include <cstdint>

// The static tables of the built-in data set. Texts are zero-terminated Windows-1251 bytes;
// times are minutes (2147483647 is an empty stay); distances are kilometres.

struct KeloDemoBusRecordType {
    const char* model;
    const char* category;
    std::int32_t capacity;
};

struct KeloDemoStopRecordType {
    const char* code;
    const char* name;
};

struct KeloDemoLinkRecordType {
    const char* from;
    const char* to;
    float distance;
};

struct KeloDemoRowRecordType {
    const char* stop;
    std::int32_t arrival;
    std::int32_t stay;
};

struct KeloDemoKeloRecordType {
    const char* number;
    const char* name;
    const char* bus;
    std::int32_t firstRow;
    std::int32_t rowCount;
};

/// The root record: the five tables with their counts. The tables are static and live for
/// the whole run; nothing here owns memory.
struct KeloDemoRootType {
    const KeloDemoBusRecordType* buses;
    std::int32_t busCount;
    const KeloDemoStopRecordType* stops;
    std::int32_t stopCount;
    const KeloDemoRowRecordType* rows;
    std::int32_t rowCount;
    const KeloDemoKeloRecordType* kelos;
    std::int32_t keloCount;
    const KeloDemoLinkRecordType* links;
    std::int32_t linkCount;
};

/// The data set compiled into the program from the tables in data/demo/tables.
const KeloDemoRootType& KeloDemoBuiltInRoot();
