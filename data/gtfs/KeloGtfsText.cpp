#include "KeloGtfsText.h"

#include "Cp1251.h"
#include "KeloGtfsCsvReaderClass.h"

namespace {

// Latin letters of U+00C0..U+017F, which Windows-1251 lacks, written without their marks:
// "Zürich" reads "Zurich" rather than "Z?rich". Still counted as replaced.
const char* const LatinFolds[] = {
    "A", "A", "A",  "A",  "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I",  "I",  // C0
    "D", "N", "O",  "O",  "O", "O", "O",  "x", "O", "U", "U", "U", "U", "Y", "TH", "ss", // D0
    "a", "a", "a",  "a",  "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",  // E0
    "d", "n", "o",  "o",  "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "y",  // F0
    "A", "a", "A",  "a",  "A", "a", "C",  "c", "C", "c", "C", "c", "C", "c", "D",  "d",  // 100
    "D", "d", "E",  "e",  "E", "e", "E",  "e", "E", "e", "E", "e", "G", "g", "G",  "g",  // 110
    "G", "g", "G",  "g",  "H", "h", "H",  "h", "I", "i", "I", "i", "I", "i", "I",  "i",  // 120
    "I", "i", "IJ", "ij", "J", "j", "K",  "k", "k", "L", "l", "L", "l", "L", "l",  "L",  // 130
    "l", "L", "l",  "N",  "n", "N", "n",  "N", "n", "n", "N", "n", "O", "o", "O",  "o",  // 140
    "O", "o", "OE", "oe", "R", "r", "R",  "r", "R", "r", "S", "s", "S", "s", "S",  "s",  // 150
    "S", "s", "T",  "t",  "T", "t", "T",  "t", "U", "u", "U", "u", "U", "u", "U",  "u",  // 160
    "U", "u", "U",  "u",  "W", "w", "Y",  "y", "Y", "Z", "z", "Z", "z", "Z", "z",  "s",  // 170
};

// A control character in a name would break every list and report line it stands in: it
// becomes a blank and is counted with the other replaced characters.
void BlankControlBytes(KeloGtfsTextType& text) {
    for (char& c : text.bytes)
        if (static_cast<unsigned char>(c) < 0x20 || c == '\x7F') {
            c = ' ';
            ++text.replaced;
        }
}

} // namespace

KeloGtfsTextType ConvertGtfsText(std::string_view utf8, const KeloGtfsCsvReaderClass& reader) {
    KeloGtfsTextType text;
    bool plain = true;
    for (char c : utf8)
        if (static_cast<unsigned char>(c) >= 0x80) {
            plain = false;
            break;
        }
    if (plain) {
        text.bytes.assign(utf8);
        BlankControlBytes(text);
        return text;
    }
    std::string folded;
    folded.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead >= 0xC3 && lead <= 0xC5 && i + 1 < utf8.size() &&
            (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80) {
            const unsigned cp =
                (lead & 0x1Fu) << 6 | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
            if (cp >= 0xC0 && *LatinFolds[cp - 0xC0] != '\0') {
                folded += LatinFolds[cp - 0xC0];
                ++text.replaced;
                ++i;
                continue;
            }
        }
        folded += utf8[i];
    }
    Cp1251EncodeResult encoded = Utf8ToCp1251(folded);
    if (encoded.invalidUtf8)
        reader.Fail("a text is not UTF-8");
    text.bytes = std::move(encoded.bytes);
    text.replaced += static_cast<std::uint32_t>(encoded.unmappable.size());
    BlankControlBytes(text);
    return text;
}
