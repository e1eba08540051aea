#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "plugin/Plugin.h"
#include "plugin/gen_ZEM.h"
#include "settings/Languages.h"
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

// The clients window's texts as this version saves them into every language
// section, one list read by position. A later version adds its texts after
// these, never between them, so that every saved file's lines keep their
// meaning; a wording may change, here and in the table together.
const char* const SavedClientsTexts[][2] = {
    {"Клиенты", "Clients"},
    {"Последний проход: ", "Last cycle: "},
    {"Прохода ещё не было", "No cycle has run yet"},
    {"Не запущен ни один ZEM или RnQ", "No ZEM or RnQ is running"},
    {"Плагин выключен", "The plug-in is switched off"},
    {"Статус из Winamp выключен", "Status from Winamp is off"},
    {"показывает трек", "shows the track"},
    {"свой статус (плеер остановлен)", "its own status (stopped)"},
    {"свой статус (статус из Winamp выключен)", "its own status (switched off)"},
    {"свой статус (этот файл не объявляется)", "its own status (a track left alone)"},
    {"не трогается: нет картинки статуса", "left alone: no status picture"},
    {"не трогается: картинка не Music", "left alone: not the Music picture"},
    {"не трогается: подпись статуса не та", "left alone: not the plug-in's caption"},
    {"не трогается: нет в фильтре заголовков", "left alone: not in the title filter"},
    {"не отвечает", "not answering"},
    {"окно статуса закрыто", "its status window is closed"},
    {"не трогается: окно статуса открыто", "left alone: its status window is open"},
    {"Закрыть", "Close"},
    {"нечего менять: картинка, подпись и дополнительный статус выключены",
     "nothing to change: the picture, the caption and the additional status are off"},
    {"свой статус возвращается", "its own status is being given back"},
};

TEST_F(SettingsTest, TheClientsWindowsTextsOnlyEverGrowAtTheirEnd)
{
    std::vector<std::string> builtIn[BuiltInLanguages.size()];
    for (size_t language = 0; language < BuiltInLanguages.size(); ++language) {
        const TLanguageDefaults defaults = LanguageDefaults(BuiltInLanguages[language]);
        builtIn[language] = ListItems(defaults.Captions[SettingIndex(Setting::ClientsTexts)]);
        ASSERT_GE(builtIn[language].size(), std::size(SavedClientsTexts));
        for (size_t i = 0; i < std::size(SavedClientsTexts); ++i)
            EXPECT_EQ(builtIn[language][i], SavedClientsTexts[i][language])
                << BuiltInLanguages[language];
    }
    // A file saved before the last texts were added: those are the
    // language's own, the file's stay as they are.
    const std::vector<std::string> english =
        ClientsWindowTexts("||Kunden||Zuletzt: ||", BuiltInLanguages[1]);
    ASSERT_EQ(english.size(), builtIn[1].size());
    EXPECT_EQ(english[0], "Kunden");
    EXPECT_EQ(english[1], "Zuletzt: ");
    for (size_t i = 2; i < english.size(); ++i) EXPECT_EQ(english[i], builtIn[1][i]);
    EXPECT_EQ(ClientsWindowTexts("", "Deutsch"), builtIn[0]);
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
