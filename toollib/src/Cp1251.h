#pragma once

#include <string>
#include <string_view>

/// Conversion between the Windows-1251 bytes the data model stores and UTF-8 for the UI
/// and files. Every one of the 256 bytes has a character: the one byte the code page leaves
/// unassigned (0x98) maps to U+0098 and back, so any byte string survives a round trip.
std::string Cp1251ToUtf8(std::string_view bytes);

/// Result of encoding UTF-8 text into Windows-1251.
struct Cp1251EncodeResult {
    std::string bytes;         // encoded text; each character that could not be held is '?'
    std::u32string unmappable; // the characters Windows-1251 cannot hold, in text order
    bool invalidUtf8 = false;  // the input was not well-formed UTF-8 (bad bytes became '?')

    bool Ok() const { return unmappable.empty() && !invalidUtf8; }
};

Cp1251EncodeResult Utf8ToCp1251(std::string_view utf8);

/// Unicode code point of one Windows-1251 byte.
char32_t Cp1251ByteToCodePoint(unsigned char byte);

/// Text order of the lists: the Windows-1251 bytes compared one by one as unsigned values
/// after mapping only a-z to A-Z; a prefix orders first. Negative, zero, positive.
int KeloTextCompare(std::string_view text1, std::string_view text2);
