#include "plugin/UpdateCycle.h"

#include <gtest/gtest.h>

#include "plugin/Plugin.h"
#include "plugin/gen_ZEM.h"

namespace {

TEST(UpdateDelay, SecondsWithoutSignAndFiveWhenNoNumber)
{
    EXPECT_EQ(UpdateDelayMs("5"), 5000u);
    EXPECT_EQ(UpdateDelayMs("1"), 1000u);
    EXPECT_EQ(UpdateDelayMs("abc"), 5000u);
    EXPECT_EQ(UpdateDelayMs(""), 5000u);
    EXPECT_EQ(UpdateDelayMs("-10"), 10000u);
    EXPECT_EQ(UpdateDelayMs("0"), 0u);
    // Beyond what a timer takes: clamped, not wrapped into a short delay.
    EXPECT_EQ(UpdateDelayMs("4294968"), static_cast<UINT>(USER_TIMER_MAXIMUM));
    EXPECT_EQ(UpdateDelayMs("-2147483648"), static_cast<UINT>(USER_TIMER_MAXIMUM));
    EXPECT_EQ(UpdateDelayMs("$7FFFFFFF"), static_cast<UINT>(USER_TIMER_MAXIMUM));
}

TEST(PictureIndex, NumbersAsTheyAreNamesByPositionInTheList)
{
    ModuleInit();
    const std::string list = DefaultState.Captions[SettingIndex(Setting::Picture)];
    EXPECT_EQ(PictureIndex("12", list), 12);
    EXPECT_EQ(PictureIndex("999", list), 999);  // no range check
    EXPECT_EQ(PictureIndex("Музыка", list), 11);
    EXPECT_EQ(PictureIndex("музыка", list), 11);
    EXPECT_EQ(PictureIndex("МУЗЫКА", list), 11);
    EXPECT_EQ(PictureIndex("Злой", list), 1);
    EXPECT_EQ(PictureIndex("Отдыхаю", list), 29);
    EXPECT_EQ(PictureIndex(" ", list), 25);
    EXPECT_EQ(PictureIndex("", list), 0);
    EXPECT_EQ(PictureIndex("Музык", list), -1);
    EXPECT_EQ(PictureIndex("Nothing", list), -1);
    EXPECT_EQ(PictureIndex("b", "||a||b||"), 1);
    EXPECT_EQ(PictureIndex("a", "||a||b||"), 0);
    EXPECT_EQ(PictureIndex("a", ""), -1);
}

}  // namespace
