#include "Cp1251.h"

#include <gtest/gtest.h>

TEST(Cp1251, EveryByteRoundTrips) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = Cp1251ToUtf8(all);
    const Cp1251EncodeResult back = Utf8ToCp1251(utf8);
    EXPECT_TRUE(back.Ok());
    EXPECT_EQ(back.bytes, all);
}

TEST(Cp1251, KnownCharacters) {
    EXPECT_EQ(Cp1251ToUtf8("\xC0\xFF"), "Ая");
    EXPECT_EQ(Cp1251ToUtf8("\xA8\xB8\xB9"), "Ёё№");
    EXPECT_EQ(Cp1251ToUtf8("\x88"), "€");
    EXPECT_EQ(Cp1251ByteToCodePoint(0x98), U'\u0098'); // unassigned byte kept as C1 control
    EXPECT_EQ(Utf8ToCp1251("ВИННИЦА 1").bytes, "\xC2\xC8\xCD\xCD\xC8\xD6\xC0 1");
    EXPECT_EQ(Utf8ToCp1251("Ґґ Її Єє").bytes, "\xA5\xB4 \xAF\xBF \xAA\xBA");
}

TEST(Cp1251, UnmappableCharactersAreReportedNotDropped) {
    const Cp1251EncodeResult r = Utf8ToCp1251("a中b😀");
    EXPECT_FALSE(r.Ok());
    EXPECT_FALSE(r.invalidUtf8);
    EXPECT_EQ(r.bytes, "a?b?");
    EXPECT_EQ(r.unmappable, std::u32string(U"中😀"));
}

TEST(Cp1251, MalformedUtf8IsReported) {
    for (std::string bad : {std::string("\xD0"), std::string("x\xE2\x82"), std::string("\xFF"),
                            std::string("\xC0\x80"), std::string("\xED\xA0\x80")}) {
        const Cp1251EncodeResult r = Utf8ToCp1251(bad);
        EXPECT_TRUE(r.invalidUtf8) << "input of " << bad.size() << " bytes";
        EXPECT_FALSE(r.Ok());
    }
}
