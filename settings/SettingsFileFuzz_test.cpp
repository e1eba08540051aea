// Settings files of random bytes, zero bytes and missing line ends: the load
// keeps every text within the read limits, and what a save writes, a load
// gives back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plugin/Plugin.h"
#include "plugin/gen_ZEM.h"
#include "settings/SettingsFile.h"
#include "tests/PluginCopy.h"
#include "tests/RandomInput.h"
#include "util/Files.h"

namespace {

struct SettingsFileFuzz : ::testing::Test {
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
};

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

TEST_F(SettingsFileFuzz, HostileFilesLoadBoundedAndSaveConsistently)
{
    RandomInput random(2201);
    int fromFile = 0;  // values taken from the files, not their defaults
    for (int round = 0; round < 400; ++round) {
        const std::string junk = HostileFile(random);
        ASSERT_TRUE(WriteWholeFile(file, junk.data(), static_cast<uint32_t>(junk.size()), false));
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
    EXPECT_GT(fromFile, 1000);
}

}  // namespace
