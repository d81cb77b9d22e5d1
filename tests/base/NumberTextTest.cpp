#include "base/NumberText.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace
{
TEST(NumberText, AtoiAgreesWithCForOrdinaryInput)
{
    const char* const inputs[] = {
        "0",     "42",    "-42",      "+7",        "  12",  "\t\n\v\f\r 5", "12abc", "abc",
        "",      "-",     "+",        " - 1",      "+-3",   "0x1A",         "007",   "1 2",
        "-0",    "3.9",   "1e3",      "2147483647", "-2147483648", "\xE9" "5", "5\xE9", "--5",
        "  +0009 ",
    };
    for (const char* input : inputs)
    {
        SCOPED_TRACE(input);
        EXPECT_EQ(Atoi(input), std::atoi(input));
        EXPECT_EQ(Atoi64(input), std::atoll(input));
    }
}

TEST(NumberText, AtoiSaturates)
{
    struct Case
    {
        const char* text;
        int value;
    };
    const Case cases[] = {
        {"2147483648", INT_MAX},
        {"-2147483649", INT_MIN},
        {"99999999999999999999999", INT_MAX},
        {"-99999999999999999999999", INT_MIN},
        {"21474836470", INT_MAX},
        {"000000000000002147483647", INT_MAX},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Atoi(c.text), c.value);
    }
}

TEST(NumberText, Atoi64HoldsLargeQuantities)
{
    EXPECT_EQ(Atoi64("123456789012"), INT64_C(123456789012));
    EXPECT_EQ(Atoi64("9223372036854775807"), INT64_MAX);
    EXPECT_EQ(Atoi64("9223372036854775808"), INT64_MAX);
    EXPECT_EQ(Atoi64("-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(Atoi64("-9223372036854775809"), INT64_MIN);
}

TEST(NumberText, ReadsOnlyTheViewedBytes)
{
    const std::string text = "123456";
    EXPECT_EQ(Atoi(std::string_view(text).substr(0, 3)), 123);
    EXPECT_EQ(Atoi(std::string_view(text).substr(4)), 56);
    EXPECT_EQ(Atoi(std::string_view()), 0);
}

TEST(NumberText, Format)
{
    EXPECT_EQ(Format("%d", 0), "0");
    EXPECT_EQ(Format("%d", -17), "-17");
    EXPECT_EQ(Format("X:%d, Y:%d, V:%s", 1, -1, "Y"), "X:1, Y:-1, V:Y");
    EXPECT_EQ(Format("%s", ""), "");
    const std::string big(5000, '\xE9');
    EXPECT_EQ(Format("<%s>", big.c_str()), "<" + big + ">");
}
} // namespace
