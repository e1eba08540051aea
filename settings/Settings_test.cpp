#include "settings/Settings.h"

#include <gtest/gtest.h>

#include "plugin/Plugin.h"
#include "plugin/gen_ZEM.h"
#include "tests/ShippedDefaults.h"
#include "util/Text.h"

namespace {

std::string& Value(int id)
{
    return CurrentState.Values[SettingIndex(id)];
}
const std::string& DefaultCaption(int id)
{
    return DefaultState.Captions[SettingIndex(id)];
}

struct SettingsTest : ::testing::Test {
    void SetUp() override
    {
        ModuleInit();
        CopyState(DefaultState, CurrentState);
    }
};

TEST_F(SettingsTest, DefaultsAreTheShippedOnes)
{
    for (int i = 0; i < SettingCount; ++i) {
        EXPECT_EQ(CurrentState.Values[i], ShippedValues[i]) << SettingNames[i];
        EXPECT_EQ(CurrentState.Captions[i], ShippedCaptions[i]) << SettingNames[i];
    }
    // The settings of every version keep their ids; later ones follow.
    EXPECT_EQ(std::string(SettingNames[SettingIndex(Setting::Compatible)]), "Compatible");
    EXPECT_EQ(SettingIndex(Setting::Compatible), 26);
    EXPECT_EQ(SettingIndex(Setting::ClientsTexts), SettingCount - 1);
}

TEST_F(SettingsTest, ListCaptionsHoldTheirItemsInOrder)
{
    const std::vector<std::string> pictures = ListItems(DefaultCaption(Setting::Picture));
    ASSERT_EQ(pictures.size(), 30u);
    EXPECT_EQ(DefaultCaption(Setting::Picture).substr(0, 4), "||||");
    EXPECT_EQ(pictures[0], "");
    EXPECT_EQ(pictures[1], "Злой");
    EXPECT_EQ(pictures[11], "Музыка");
    EXPECT_EQ(pictures[17], "Учёба");
    for (int i = 25; i <= 28; ++i) EXPECT_EQ(pictures[i], " ");
    EXPECT_EQ(pictures[29], "Отдыхаю");

    const std::vector<std::string> templates = ListItems(DefaultCaption(Setting::Status));
    ASSERT_EQ(templates.size(), 25u);
    EXPECT_EQ(templates[2], "Слушаю");
    EXPECT_EQ(templates[5], "%Artist \"%Title\"");
    EXPECT_EQ(templates[20], "");
    EXPECT_EQ(templates[21], Value(Setting::Tray));
    EXPECT_EQ(DefaultCaption(Setting::LongStatus), DefaultCaption(Setting::Tray));
}

TEST_F(SettingsTest, SwitchesReadOnOnlyForNonZeroNumbers)
{
    for (const char* on : {"1", "2", "-1", "$1", "  1", "0x10"}) {
        Value(Setting::SetTray) = on;
        EXPECT_TRUE(SettingOn(Setting::SetTray)) << on;
    }
    for (const char* off : {"", "0", "1 ", "yes", "true", "abc"}) {
        Value(Setting::SetTray) = off;
        EXPECT_FALSE(SettingOn(Setting::SetTray)) << off;
    }
    Value(Setting::IfAny) = "1";
    EXPECT_TRUE(SettingOn(Setting::IfAny));  // radio buttons are switches too

    // A combo box value is text, never on, and a switch has no text.
    EXPECT_FALSE(SettingOn(Setting::DelayV));
    EXPECT_EQ(SettingText(Setting::DelayV), "5");
    EXPECT_EQ(SettingText(Setting::Enable), "");
    EXPECT_EQ(ValueText(Setting::grMain, "x"), "x");
    EXPECT_EQ(OnOffText(true), "1");
    EXPECT_EQ(OnOffText(false), "0");

    EXPECT_EQ(SettingIndex(999), -1);
    EXPECT_EQ(SettingIndex(FirstSettingId + SettingCount), -1);
    EXPECT_EQ(SettingText(FirstSettingId + SettingCount), "");
    EXPECT_FALSE(SettingOn(999));
}

TEST(EscapeLineBreaks, OnlyCrLfPairsBecomeMarks)
{
    EXPECT_EQ(EscapeLineBreaks("a\r\nb\r\n"), "a\\nb\\n");
    EXPECT_EQ(EscapeLineBreaks("a\nb"), "a\nb");
    EXPECT_EQ(EscapeLineBreaks("a\rb\n\r"), "a\rb\n\r");
    EXPECT_EQ(EscapeLineBreaks("\r\r\n\n"), "\r\\n\n");
    const std::string shown = "Файл: x\r\nНазвание: y";
    EXPECT_EQ(ConvertLineBreaks(EscapeLineBreaks(shown)), shown);
}

// The kind records: ClientKinds in clients/Drivers_test.cpp.
TEST(ModuleInit, FillsTheRecord)
{
    ModuleInit();
    EXPECT_EQ(PluginRecord.version, 0x10);
    EXPECT_STREQ(PluginRecord.description, "ZER ozavod irozav");
    EXPECT_EQ(PluginRecord.hwndParent, nullptr);
    EXPECT_EQ(OldPlayerWndProc, nullptr);
    EXPECT_EQ(UpdateBusy, 0);
}

}  // namespace
