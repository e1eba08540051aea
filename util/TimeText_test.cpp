#include "util/TimeText.h"

#include <gtest/gtest.h>

namespace {

std::string Joined(std::initializer_list<const char*> fields)
{
    std::string text;
    for (const char* field : fields) {
        if (!text.empty()) text += TimeSeparator;
        text += field;
    }
    return text;
}

}  // namespace

TEST(TimeText, MakeTimeCarriesIntoLargerFields)
{
    SYSTEMTIME t = MakeTime(0, 0, 245);
    EXPECT_EQ(t.wHour, 0);
    EXPECT_EQ(t.wMinute, 4);
    EXPECT_EQ(t.wSecond, 5);

    t = MakeTime(0, 59, 60);
    EXPECT_EQ(t.wHour, 1);
    EXPECT_EQ(t.wMinute, 0);
    EXPECT_EQ(t.wSecond, 0);

    t = MakeTime(23, 59, 60);
    EXPECT_EQ(t.wDay, 1);
    EXPECT_EQ(t.wHour, 0);
    EXPECT_EQ(t.wMinute, 0);

    t = MakeTime(50, 0, 0);
    EXPECT_EQ(t.wDay, 2);
    EXPECT_EQ(t.wHour, 2);
    EXPECT_EQ(t.wYear, 0);
    EXPECT_EQ(t.wMonth, 0);
    EXPECT_EQ(t.wMilliseconds, 0);
}

TEST(TimeText, FormatTimeShowsHoursOnlyWhenPresent)
{
    InitTimeSeparator();
    EXPECT_EQ(FormatTime(MakeTime(0, 0, 245)), Joined({"04", "05"}));
    EXPECT_EQ(FormatTime(MakeTime(0, 0, 60)), Joined({"01", "00"}));
    EXPECT_EQ(FormatTime(MakeTime(0, 0, 3600)), Joined({"01", "00", "00"}));
    EXPECT_EQ(FormatTime(MakeTime(0, 9, 5)), Joined({"09", "05"}));
    EXPECT_EQ(FormatTime(MakeTime(12, 34, 56)), Joined({"12", "34", "56"}));
    // The day is not shown: a full day and five seconds reads as five seconds.
    EXPECT_EQ(FormatTime(MakeTime(24, 0, 5)), Joined({"00", "05"}));
}
