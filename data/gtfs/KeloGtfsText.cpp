#include "KeloGtfsText.h"

#include "Cp1251.h"
#include "KeloGtfsCsvReaderClass.h"

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
        return text;
    }
    Cp1251EncodeResult encoded = Utf8ToCp1251(utf8);
    if (encoded.invalidUtf8)
        reader.Fail("a text is not UTF-8");
    text.bytes = std::move(encoded.bytes);
    text.replaced = static_cast<std::uint32_t>(encoded.unmappable.size());
    return text;
}
