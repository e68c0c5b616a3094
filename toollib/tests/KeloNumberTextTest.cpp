#include "KeloNumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

// Switches the C library's numbers to a Russian locale for one test, where the system has
// one, since that is where locale-bound conversions go wrong.
class RussianNumericLocale {
public:
    RussianNumericLocale() : old(std::setlocale(LC_NUMERIC, nullptr)) {
        active = std::setlocale(LC_NUMERIC, "ru_RU.UTF-8") != nullptr;
    }
    ~RussianNumericLocale() { std::setlocale(LC_NUMERIC, old.c_str()); }
    bool Active() const { return active; }

private:
    std::string old;
    bool active = false;
};

} // namespace

TEST(KeloNumberText, FormatsWithoutGroupSeparatorsInAnyLocale) {
    RussianNumericLocale russian;
    EXPECT_EQ(FormatDecimal(1234.5, 1), "1234.5");
    EXPECT_EQ(FormatDecimal(1234.5, 1, ','), "1234,5");
    EXPECT_EQ(FormatDecimal(41.25, 1, ','), "41,2"); // 41.25 is stored a little below
    EXPECT_EQ(FormatDecimal(41.26, 1, ','), "41,3");
    EXPECT_EQ(FormatDecimal(0, 1, ','), "0,0");
    EXPECT_EQ(FormatDecimal(-0.04, 1, ','), "0,0");
    EXPECT_EQ(FormatDecimal(-12.5, 0), "-12");
    EXPECT_EQ(FormatDecimal(1e6, 1, ','), "1000000,0");
}

TEST(KeloNumberText, ReadsBackWhatItWroteInAnyLocale) {
    RussianNumericLocale russian;
    if (!russian.Active())
        GTEST_SKIP() << "ru_RU.UTF-8 is not generated on this system";
    struct Case {
        const char* text;
        bool ok;
        double value;
    };
    const Case cases[] = {
        {"41,3", true, 41.3}, {"41.3", true, 41.3}, {"1234,5", true, 1234.5}, {"-0,5", true, -0.5},
        {"7", true, 7},       {"", false, 0},       {"1 234,5", false, 0},    {"1,2,3", false, 0},
        {"1e3", false, 0},    {"-", false, 0},      {"nan", false, 0},        {" 4,1", false, 0},
    };
    for (const Case& c : cases) {
        double value = -99;
        EXPECT_EQ(ParseDecimal(c.text, value), c.ok) << c.text;
        EXPECT_DOUBLE_EQ(value, c.ok ? c.value : -99) << c.text;
    }
}
