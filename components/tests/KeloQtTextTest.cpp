#include "KeloQtText.h"

#include <gtest/gtest.h>

TEST(KeloQtText, CyrillicRoundTripsThroughQString) {
    const std::string bytes = "\xC2\xC8\xCD\xCD\xC8\xD6\xC0 1"; // ВИННИЦА 1
    const QString text = KeloToQString(bytes);
    EXPECT_EQ(text, QString::fromUtf8("ВИННИЦА 1"));
    std::string back;
    EXPECT_TRUE(KeloFromQString(text, back));
    EXPECT_EQ(back, bytes);
}

TEST(KeloQtText, CharacterOutsideTheCodePageIsReported) {
    std::string out;
    QString rejected;
    EXPECT_FALSE(KeloFromQString(QString::fromUtf8("A\u4E2DB"), out, &rejected));
    EXPECT_EQ(out, "A?B");
    EXPECT_EQ(rejected, QString::fromUtf8("\u4E2D"));
}

TEST(KeloQtText, DecimalsFollowTheLocaleWithoutGroupSeparators) {
    EXPECT_EQ(KeloFormatDecimal(1234.5, 1, QLocale(QLocale::Russian, QLocale::Russia)), "1234,5");
    EXPECT_EQ(KeloFormatDecimal(1234.5, 1, QLocale::c()), "1234.5");
    EXPECT_EQ(KeloFormatDecimal(12345678.04, 1, QLocale(QLocale::German)), "12345678,0");
    // Whatever the locale the suite runs in, the text has its separator and nothing else.
    const QString shown = KeloFormatDecimal(1234.5, 1);
    EXPECT_EQ(shown, "1234" + QLocale::system().decimalPoint() + "5");
}
