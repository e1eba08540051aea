#include "settings/SettingsFile.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <vector>

#include "plugin/Plugin.h"
#include "plugin/gen_ZEM.h"
#include "tests/PluginCopy.h"
#include "tests/RandomInput.h"
#include "tests/ShippedDefaults.h"
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
            EXPECT_EQ(CurrentState.Values[i], ShippedValues[i]) << SettingNames[i];
            EXPECT_EQ(CurrentState.Captions[i], ShippedCaptions[i]) << SettingNames[i];
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
    LoadSettings();
    ExpectDefaults();
    EXPECT_EQ(Value(CurrentState, Setting::Lang), "Russian");
    EXPECT_EQ(CurrentState.PlayStateTexts[0], "[PLAY]");
    EXPECT_EQ(CurrentState.PlayStateTexts[1], "[PAUSE]");
    EXPECT_EQ(CurrentState.PlayStateTexts[2], "[STOP]");
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
        EXPECT_EQ(lines[3 + i], std::string(SettingNames[i]) + ".Value=" + ShippedValues[i]);
        EXPECT_EQ(lines[3 + SettingCount + i],
                  std::string(SettingNames[i]) + ".Caption=" + Trimmed(ShippedCaptions[i]));
    }
    EXPECT_EQ(lines[3], "Enable.Value=1");
    EXPECT_EQ(lines[3 + SettingIndex(Setting::About)], "About.Value=");
    EXPECT_EQ(lines[3 + SettingCount + SettingIndex(Setting::grSet)], "grSet.Caption=Что менять");
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

// A settings file as a careless editor or a broken disk might leave it:
// real sections and keys with hostile values, junk lines, zero bytes, any
// line ends or none.
std::string HostileFile(RandomInput& random)
{
    const char* const ends[] = {"\r\n", "\n", "\r", "", "\r\r\n"};
    std::string text;
    if (random.Chance(5)) text += "\xFF\xFE";
    if (random.Chance(70))
        text += "[ZER ozavod irozav]\r\nLang=Russian\r\n[ZER ozavod irozav_Russian]\r\n";
    for (size_t line = random.Below(80); line > 0; --line) {
        const size_t kind = random.Below(40);
        if (kind == 0)
            text += "[ZER ozavod irozav]";
        else if (kind == 1)
            text +=
                "[ZER ozavod irozav_" + (random.Chance(50) ? "Russian" : random.Hostile(40)) + "]";
        else if (kind == 2)
            text += "Lang=" + random.Hostile(random.Chance(10) ? 1500 : 30, random.Chance(10));
        else if (kind < 30)
            text += std::string(SettingNames[random.Below(SettingCount)]) +
                    (random.Chance(50) ? ".Value=" : ".Caption=") +
                    random.Hostile(random.Chance(5) ? MaxEntryBytes + 100 : 100, random.Chance(10));
        else
            text += random.Bytes(random.Below(200), random.Chance(30));
        text += ends[random.Below(sizeof ends / sizeof ends[0])];
    }
    return text;
}

void ExpectBounded(const TPS& state, int round)
{
    for (int i = 0; i < SettingCount; ++i) {
        ASSERT_LT(state.Values[i].size(), MaxEntryBytes) << round << " " << SettingNames[i];
        ASSERT_LT(state.Captions[i].size(), MaxEntryBytes) << round << " " << SettingNames[i];
        ASSERT_EQ(state.Values[i].find('\0'), std::string::npos) << round;
        ASSERT_EQ(state.Captions[i].find('\0'), std::string::npos) << round;
    }
    const std::string& language = state.Values[SettingIndex(Setting::Lang)];
    ASSERT_LT(language.size(), MaxLanguageName) << round;
    ASSERT_FALSE(language.empty()) << round;
    ASSERT_EQ(state.Captions[SettingIndex(Setting::About)], "v1.26 / Kelder") << round;
}

bool Blank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// A text that the profile functions store and read back unchanged: no
// outer blanks, no enclosing quotation marks.
bool Stable(const std::string& text)
{
    if (text.empty()) return true;
    if (Blank(text.front()) || Blank(text.back())) return false;
    return !(text.size() >= 2 && text.front() == '"' && text.back() == '"');
}

TEST_F(SettingsFileTest, HostileFilesLoadBoundedAndSaveConsistently)
{
    RandomInput random(2201);
    int fromFile = 0;  // values taken from the files, not their defaults
    for (int round = 0; round < 300; ++round) {
        const std::string junk = HostileFile(random);
        WriteText(file, junk);
        LoadSettings();
        ExpectBounded(CurrentState, round);
        for (int i = 0; i < SettingCount; ++i)
            if (CurrentState.Values[i] != DefaultState.Values[i] &&
                i != SettingIndex(Setting::Lang))
                ++fromFile;
        // A load takes tens of milliseconds under Wine, a save more: hundreds of
        // files, one in five saved.
        if (round % 5 != 0) continue;
        TPS loaded;
        CopyState(CurrentState, loaded);

        SaveSettings();
        LoadSettings();
        ExpectBounded(CurrentState, round);
        TPS again;
        CopyState(CurrentState, again);
        for (int i = 0; i < SettingCount; ++i) {
            EXPECT_TRUE(!Stable(loaded.Values[i]) || again.Values[i] == loaded.Values[i])
                << round << " " << SettingNames[i] << ": " << again.Values[i];
            EXPECT_TRUE(!Stable(loaded.Captions[i]) || again.Captions[i] == loaded.Captions[i])
                << round << " " << SettingNames[i] << ": " << again.Captions[i];
        }
        if (HasFailure()) break;
    }
    // The files reach the real keys, not only the defaults.
    EXPECT_GT(fromFile, 600);
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
        ExpectBounded(CurrentState, round);
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
