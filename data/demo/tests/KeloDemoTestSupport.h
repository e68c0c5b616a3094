#pragma once

#include "Cp1251.h"
#include "KeloDemoTables.h"

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

// Windows-1251 bytes of a UTF-8 literal.
inline std::string Cp(std::string_view utf8) {
    return Utf8ToCp1251(utf8).bytes;
}

// Byte order of the code page: unsigned comparison, like memcmp.
inline bool ByteLess(std::string_view a, std::string_view b) {
    const int c = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
    return c < 0 || (c == 0 && a.size() < b.size());
}

inline const KeloDemoKeloRecordType* KeloRecord(const KeloDemoRootType& root,
                                                std::string_view number) {
    for (std::int32_t i = 0; i < root.keloCount; ++i)
        if (number == root.kelos[i].number)
            return &root.kelos[i];
    return nullptr;
}

// The stop codes of a kelo's timetable in travel order: the line a diagram is built for.
inline std::vector<std::string> LineOf(const KeloDemoRootType& root, std::string_view number) {
    std::vector<std::string> line;
    if (const KeloDemoKeloRecordType* kelo = KeloRecord(root, number))
        for (std::int32_t r = 0; r < kelo->rowCount; ++r)
            line.emplace_back(root.rows[kelo->firstRow + r].stop);
    return line;
}
