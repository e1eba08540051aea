// The real plug-in DLL, loaded as the player loads it.
#include <gtest/gtest.h>

#include <windows.h>

#include "plugin/gen_ZEM.h"
#include "tests/ConfigDialogSearch.h"
#include "tests/PluginCopy.h"

namespace {

using TGetPlugin = TPluginRecord* (*)();

std::string IniValue(const std::string& file, const char* section, const char* key)
{
    char text[256] = {};
    GetPrivateProfileStringA(section, key, "<missing>", text, sizeof text, file.c_str());
    return text;
}

struct PluginDllTest : ::testing::Test {
    TempFolder folder;
    PluginCopy plugin{folder.Path};
    HMODULE module = plugin.Module;
    TPluginRecord* record = nullptr;
    std::string ini = plugin.SettingsFile();

    void SetUp() override
    {
        ASSERT_NE(module, nullptr);
        auto get = reinterpret_cast<TGetPlugin>(
            reinterpret_cast<void*>(GetProcAddress(module, "winampGetGeneralPurposePlugin")));
        ASSERT_NE(get, nullptr);
        record = get();
        ASSERT_NE(record, nullptr);
        ASSERT_EQ(get(), record);
    }
};

TEST_F(PluginDllTest, ExportGivesTheRecordReadyForThePlayer)
{
    EXPECT_EQ(record->version, 0x10);
    EXPECT_STREQ(record->description, "ZER ozavod irozav");
    EXPECT_NE(record->init, nullptr);
    EXPECT_NE(record->config, nullptr);
    EXPECT_NE(record->quit, nullptr);
    EXPECT_EQ(record->hwndParent, nullptr);
    EXPECT_EQ(record->hDllInstance, nullptr);
}

TEST_F(PluginDllTest, QuitKeepsTheUsersEnableChoiceInTheFile)
{
    record->hDllInstance = module;
    // Under Wine taking an icon out of the tray takes seconds.
    WritePrivateProfileStringA("ZER ozavod irozav_Russian", "SetTray.Value", "0", ini.c_str());
    EXPECT_EQ(record->init(), 0);
    record->quit();
    EXPECT_EQ(IniValue(ini, "ZER ozavod irozav", "Lang"), "Russian");
    EXPECT_EQ(IniValue(ini, "ZER ozavod irozav_Russian", "SetTray.Value"), "0");
    EXPECT_EQ(IniValue(ini, "ZER ozavod irozav_Russian", "Enable.Value"), "1");
    EXPECT_EQ(IniValue(ini, "ZER ozavod irozav_Russian", "DelayV.Caption"),
              "||1||2||5||10||15||30||");

    // The user's own change survives a start and a quit.
    WritePrivateProfileStringA("ZER ozavod irozav_Russian", "DelayV.Value", "15", ini.c_str());
    EXPECT_EQ(record->init(), 0);
    record->quit();
    EXPECT_EQ(IniValue(ini, "ZER ozavod irozav_Russian", "DelayV.Value"), "15");
    EXPECT_EQ(IniValue(ini, "ZER ozavod irozav_Russian", "Enable.Value"), "1");

    // The configuration entry saves and loads again, enabled as before.
    EXPECT_EQ(record->init(), 0);
    {
        ConfigDialogAnswerer user(IDOK);
        record->config();
    }
    record->quit();
    EXPECT_EQ(IniValue(ini, "ZER ozavod irozav_Russian", "Enable.Value"), "1");
    EXPECT_EQ(IniValue(ini, "ZER ozavod irozav_Russian", "DelayV.Value"), "15");
}

}  // namespace
