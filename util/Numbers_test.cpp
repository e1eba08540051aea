#include "util/Numbers.h"

#include <gtest/gtest.h>

#include <climits>

TEST(Numbers, TextToIntDefAcceptsDecimalAndHex)
{
    EXPECT_EQ(TextToIntDef("  12", -1), 12);
    EXPECT_EQ(TextToIntDef("$1F", -1), 31);
    EXPECT_EQ(TextToIntDef("$1f", -1), 31);
    EXPECT_EQ(TextToIntDef("0x10", -1), 16);
    EXPECT_EQ(TextToIntDef("0X10", -1), 16);
    EXPECT_EQ(TextToIntDef("x10", -1), 16);
    EXPECT_EQ(TextToIntDef("X10", -1), 16);
    EXPECT_EQ(TextToIntDef("-7", 0), -7);
    EXPECT_EQ(TextToIntDef("+7", 0), 7);
    EXPECT_EQ(TextToIntDef(" -$10", 0), -16);
    EXPECT_EQ(TextToIntDef("0", -1), 0);
    EXPECT_EQ(TextToIntDef("000000000000012", -1), 12);
}

TEST(Numbers, TextToIntDefRejectsMalformedText)
{
    for (const char* text : {"12 ", "", " ", "-", "+", "$", "0x", "x", "- 7", "+-7", "\t5", "1a",
                             "$1G", "$-1", "0x-1", "1.5"})
        EXPECT_EQ(TextToIntDef(text, -99), -99) << '"' << text << '"';
}

TEST(Numbers, TextToIntDefBoundaries)
{
    EXPECT_EQ(TextToIntDef("2147483647", 0), INT32_MAX);
    EXPECT_EQ(TextToIntDef("-2147483648", 0), INT32_MIN);
    EXPECT_EQ(TextToIntDef("2147483648", 5), 5);
    EXPECT_EQ(TextToIntDef("-2147483649", 5), 5);
    EXPECT_EQ(TextToIntDef("99999999999", 5), 5);
    EXPECT_EQ(TextToIntDef("99999999999999999999999999", 5), 5);
    EXPECT_EQ(TextToIntDef("$FFFFFFFF", 0), -1);
    EXPECT_EQ(TextToIntDef("$7FFFFFFF", 0), INT32_MAX);
    EXPECT_EQ(TextToIntDef("$80000000", 0), INT32_MIN);
    EXPECT_EQ(TextToIntDef("$100000000", 5), 5);
    EXPECT_EQ(TextToIntDef("$000000001", 5), 1);
    EXPECT_EQ(TextToIntDef("0x00000000FFFFFFFF", 5), -1);
}

TEST(Numbers, IntToText)
{
    EXPECT_EQ(IntToText(0), "0");
    EXPECT_EQ(IntToText(1234567), "1234567");
    EXPECT_EQ(IntToText(-42), "-42");
    EXPECT_EQ(IntToText(INT64_MAX), "9223372036854775807");
    EXPECT_EQ(IntToText(INT64_MIN), "-9223372036854775808");
}

TEST(Numbers, PadNumberPutsTheSignBeforeTheFill)
{
    EXPECT_EQ(PadNumber(7, 2, '0'), "07");
    EXPECT_EQ(PadNumber(123, 2, '0'), "123");
    EXPECT_EQ(PadNumber(-5, 3, '0'), "-05");
    EXPECT_EQ(PadNumber(5, -1, '0'), "5");
    EXPECT_EQ(PadNumber(-5, -1, '0'), "-5");
    EXPECT_EQ(PadNumber(-5, 1, '0'), "-5");
    EXPECT_EQ(PadNumber(0, 3, '0'), "000");
    EXPECT_EQ(PadNumber(42, 5, ' '), "   42");
    EXPECT_EQ(PadNumber(5, INT16_MIN, '0'), "5");
    EXPECT_EQ(PadNumber(INT32_MIN, 0, '0'), "-2147483648");
    EXPECT_EQ(PadNumber(INT32_MIN, 12, '0'), "-02147483648");
    EXPECT_EQ(PadNumber(INT32_MAX, 0, '0'), "2147483647");
}
