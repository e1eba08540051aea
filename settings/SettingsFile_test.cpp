#include "settings/SettingsFile.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <vector>

#include "plugin/Plugin.h"
#include "plugin/gen_ZEM.h"
#include "tests/PluginCopy.h"
#include "util/Files.h"
#include "util/Text.h"

namespace {

std::string& Value(TPS& state, int id)
{
    return state.Values[SettingIndex(id)];
}
std::string& Caption(TPS& state, int id)
{
    return state.Captions[SettingIndex(id)];
}

void WriteText(const std::string& path, const std::string& text)
{
    ASSERT_TRUE(WriteWholeFile(path, text.data(), static_cast<uint32_t>(text.size()), false));
}

// The profile functions drop outer blanks of what they store.
std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string()
                                      : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

struct SettingsFileTest : ::testing::Test {
    TempFolder folder;
    PluginCopy plugin{folder.Path};
    std::string file;

    void SetUp() override
    {
        ModuleInit();
        ASSERT_NE(plugin.Module, nullptr);
        PluginRecord.hDllInstance = plugin.Module;
        file = SettingsFilePath();
    }
    void TearDown() override { PluginRecord.hDllInstance = nullptr; }

    void ExpectDefaults()
    {
        for (int i = 0; i < SettingCount; ++i) {
            if (i == SettingIndex(Setting::Lang)) continue;
            EXPECT_EQ(CurrentState.Values[i], DefaultState.Values[i]) << SettingNames[i];
            EXPECT_EQ(CurrentState.Captions[i], DefaultState.Captions[i]) << SettingNames[i];
        }
    }
};

TEST_F(SettingsFileTest, PathIsTheModuleNameWithIniAppended)
{
    EXPECT_EQ(file, folder.Path + "gen_ZEM.dll.ini");
}

TEST_F(SettingsFileTest, MissingFileGivesTheDefaults)
{
    CurrentState.Values[0] = "junk";
    CurrentState.Slots[3].ProcessId = 9;
    LoadSettings();
    ExpectDefaults();
    EXPECT_EQ(Value(CurrentState, Setting::Lang), "Russian");
    EXPECT_EQ(CurrentState.PlayStateTexts[0], "[PLAY]");
    EXPECT_EQ(CurrentState.PlayStateTexts[1], "[PAUSE]");
    EXPECT_EQ(CurrentState.PlayStateTexts[2], "[STOP]");
    EXPECT_EQ(CurrentState.Slots[3].ProcessId, 0u);
    EXPECT_FALSE(FileExists(file));
}

TEST_F(SettingsFileTest, FirstSaveWritesEveryKeyInOrder)
{
    LoadSettings();
    SaveSettings();
    const std::vector<std::string> lines = Lines(ReadWholeFile(file));
    ASSERT_EQ(lines.size(), 2u + 1u + 2u * SettingCount);
    EXPECT_EQ(lines[0], "[ZER ozavod irozav]");
    EXPECT_EQ(lines[1], "Lang=Russian");
    EXPECT_EQ(lines[2], "[ZER ozavod irozav_Russian]");
    for (int i = 0; i < SettingCount; ++i) {
        EXPECT_EQ(lines[3 + i], std::string(SettingNames[i]) + ".Value=" + DefaultState.Values[i]);
        EXPECT_EQ(lines[3 + SettingCount + i],
                  std::string(SettingNames[i]) + ".Caption=" + Trimmed(DefaultState.Captions[i]));
    }
    EXPECT_EQ(lines[3], "Enable.Value=1");
    EXPECT_EQ(lines[3 + SettingIndex(Setting::About)], "About.Value=");
}

TEST_F(SettingsFileTest, SaveThenLoadGivesTheSameSettings)
{
    LoadSettings();
    Value(CurrentState, Setting::DelayV) = "10";
    Value(CurrentState, Setting::Status) = "%Artist - %Title";
    Value(CurrentState, Setting::CustomZEM) = "Аккаунт 111";
    Value(CurrentState, Setting::SetPicture) = "1";
    Caption(CurrentState, Setting::Enable) = "Вкл\\nючен";
    Caption(CurrentState, Setting::VirtPlayState) = "||Играет||Пауза||Стоп||";
    Value(CurrentState, Setting::LongStatus) = std::string(5000, 'x');
    Caption(CurrentState, Setting::About) = "from memory";
    TPS saved;
    CopyState(CurrentState, saved);
    SaveSettings();

    CopyState(DefaultState, CurrentState);
    LoadSettings();
    for (int i = 0; i < SettingCount; ++i) {
        EXPECT_EQ(CurrentState.Values[i], saved.Values[i]) << SettingNames[i];
        if (SettingKinds[i] == GroupBox || i == SettingIndex(Setting::About)) continue;
        EXPECT_EQ(CurrentState.Captions[i], saved.Captions[i]) << SettingNames[i];
    }
    // Outer blanks do not survive the profile functions; About is fixed.
    EXPECT_EQ(Caption(CurrentState, Setting::grZEM), "Установить для");
    EXPECT_EQ(Caption(CurrentState, Setting::About), "v1.26 / Kelder");
    EXPECT_EQ(CurrentState.PlayStateTexts[0], "Играет");
    EXPECT_EQ(CurrentState.PlayStateTexts[2], "Стоп");
}

TEST_F(SettingsFileTest, LanguageNameChoosesTheSection)
{
    WriteText(file,
              "[ZER ozavod irozav]\r\nLang=\r\n"
              "[ZER ozavod irozav_Default]\r\nDelayV.Value=2\r\n"
              "[ZER ozavod irozav_Russian]\r\nDelayV.Value=15\r\n");
    LoadSettings();
    EXPECT_EQ(Value(CurrentState, Setting::Lang), "Default");
    EXPECT_EQ(Value(CurrentState, Setting::DelayV), "2");

    WriteText(file,
              "[ZER ozavod irozav]\r\nLang=English\r\n"
              "[ZER ozavod irozav_Russian]\r\nDelayV.Value=15\r\nLang.Value=Russian\r\n");
    LoadSettings();
    EXPECT_EQ(Value(CurrentState, Setting::Lang), "English");
    EXPECT_EQ(Value(CurrentState, Setting::DelayV), "5");

    // A section's own Lang.Value does not override the name that chose it.
    WriteText(file,
              "[ZER ozavod irozav]\r\nLang=Russian\r\n"
              "[ZER ozavod irozav_Russian]\r\nLang.Value=English\r\nEnable.Caption=On\r\n");
    LoadSettings();
    EXPECT_EQ(Value(CurrentState, Setting::Lang), "Russian");
    EXPECT_EQ(Caption(CurrentState, Setting::Enable), "On");
}

TEST_F(SettingsFileTest, ReadLanguageFillsOnlyTheTarget)
{
    WriteText(file,
              "[ZER ozavod irozav_English]\r\nEnable.Caption=On\r\n"
              "VirtPlayState.Caption=||Playing||\r\nAbout.Caption=forged\r\n");
    LoadSettings();
    TPS dialog;
    CopyState(DefaultState, dialog);
    ReadLanguage(dialog, file, "English");
    EXPECT_EQ(Caption(dialog, Setting::Enable), "On");
    EXPECT_EQ(Value(dialog, Setting::Lang), "English");
    EXPECT_EQ(dialog.PlayStateTexts[0], "Playing");
    EXPECT_EQ(dialog.PlayStateTexts[1], "");
    EXPECT_EQ(dialog.PlayStateTexts[2], "");
    EXPECT_EQ(Caption(dialog, Setting::About), "v1.26 / Kelder");
    EXPECT_EQ(Caption(CurrentState, Setting::Enable), "Включен");

    WriteLanguage(dialog, file, "English");
    EXPECT_EQ(Lines(ReadWholeFile(file)).front(), "[ZER ozavod irozav_English]");
    char lang[64] = {};
    GetPrivateProfileStringA("ZER ozavod irozav", "Lang", "", lang, sizeof lang, file.c_str());
    EXPECT_STREQ(lang, "English");
}

TEST_F(SettingsFileTest, LongValuesAreCutToTheReadLimit)
{
    const std::string longValue(MaxEntryBytes + 500, 'v');
    WriteText(file, "[ZER ozavod irozav]\r\nLang=" + std::string(3000, 'L') +
                        "\r\n[ZER ozavod irozav_Russian]\r\nStatus.Value=" + longValue + "\r\n");
    LoadSettings();
    EXPECT_EQ(Value(CurrentState, Setting::Lang), std::string(MaxLanguageName - 1, 'L'));

    WriteText(file,
              "[ZER ozavod irozav]\r\nLang=Russian\r\n[ZER ozavod irozav_Russian]\r\n"
              "Status.Value=" +
                  longValue + "\r\n");
    LoadSettings();
    EXPECT_EQ(Value(CurrentState, Setting::Status), std::string(MaxEntryBytes - 1, 'v'));
}

// A small file holding only a few keys must not cut the built-in lists of
// the keys it lacks, or the next save would store them cut.
TEST_F(SettingsFileTest, MissingKeysOfASmallFileKeepWholeDefaults)
{
    WriteText(file, "[ZER ozavod irozav]\r\nLang=Russian\r\n");
    LoadSettings();
    ExpectDefaults();
    WriteText(file, "[ZER ozavod irozav_Russian]\r\nTray.Value=\x01\r\n");
    LoadSettings();
    EXPECT_EQ(Value(CurrentState, Setting::Tray), "\x01");
    EXPECT_EQ(Value(CurrentState, Setting::Status),
              DefaultState.Values[SettingIndex(Setting::Status)]);
}

TEST_F(SettingsFileTest, JunkFilesNeverBreakTheLoad)
{
    std::mt19937 random(20261208);
    for (int round = 0; round < 40; ++round) {
        std::string junk(random() % 20000, '\0');
        for (char& c : junk) c = static_cast<char>(random() % 256);
        if (round % 4 == 0)  // junk inside the real section
            junk = "[ZER ozavod irozav_Russian]\nEnable.Value=" + junk;
        if (round % 4 == 1) junk = "[ZER ozavod irozav]\nLang=" + junk;
        WriteText(file, junk);
        LoadSettings();
        for (int i = 0; i < SettingCount; ++i) {
            EXPECT_LT(CurrentState.Values[i].size(), MaxEntryBytes) << round;
            EXPECT_LT(CurrentState.Captions[i].size(), MaxEntryBytes) << round;
        }
        EXPECT_LT(Value(CurrentState, Setting::Lang).size(), MaxLanguageName);
        EXPECT_FALSE(Value(CurrentState, Setting::Lang).empty());
        EXPECT_EQ(Caption(CurrentState, Setting::About), "v1.26 / Kelder");
        SaveSettings();
    }
    WriteText(file, "");
    LoadSettings();
    ExpectDefaults();
    EXPECT_EQ(Value(CurrentState, Setting::Lang), "Russian");
}

TEST_F(SettingsFileTest, FailedWriteChangesNeitherMemoryNorFile)
{
    LoadSettings();
    SaveSettings();
    const std::string before = ReadWholeFile(file);
    Value(CurrentState, Setting::DelayV) = "30";
    TPS inMemory;
    CopyState(CurrentState, inMemory);
    {
        // Another program holds the file open without sharing.
        HANDLE held = CreateFileA(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        SaveSettings();
        CloseHandle(held);
    }
    EXPECT_EQ(ReadWholeFile(file), before);
    for (int i = 0; i < SettingCount; ++i) EXPECT_EQ(CurrentState.Values[i], inMemory.Values[i]);

    // A folder where the file should be: nothing to read, nothing written.
    DeleteFileA(file.c_str());
    ASSERT_TRUE(CreateDirectoryA(file.c_str(), nullptr));
    LoadSettings();
    ExpectDefaults();
    SaveSettings();
    EXPECT_TRUE(PathExists(file, PathFolder));
}

TEST_F(SettingsFileTest, ReadOnlyFileIsStillRead)
{
    WriteText(file,
              "[ZER ozavod irozav]\r\nLang=Russian\r\n[ZER ozavod irozav_Russian]\r\n"
              "DelayV.Value=30\r\n");
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
    LoadSettings();
    EXPECT_EQ(Value(CurrentState, Setting::DelayV), "30");
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
