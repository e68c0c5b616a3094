#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class KeloGtfsCsvReaderClass;

/// A feed text converted to Windows-1251 with the number of characters the code page could
/// not hold (each became '?').
struct KeloGtfsTextType {
    std::string bytes;
    std::uint32_t replaced = 0;
};

/// Converts the UTF-8 field of the reader's current record; refuses text that is not UTF-8.
KeloGtfsTextType ConvertGtfsText(std::string_view utf8, const KeloGtfsCsvReaderClass& reader);
