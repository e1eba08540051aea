// The real plug-in DLL, loaded as the player loads it.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <vector>

#include "plugin/gen_ZEM.h"
#include "settings/Version.h"
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

// A text of a version resource, from the string table that the resource's
// first translation names, as Explorer finds it.
std::string VersionText(std::vector<char>& resource, const char* name)
{
    struct TTranslation {
        WORD Language;
        WORD CodePage;
    };
    void* value = nullptr;
    UINT size = 0;
    if (!VerQueryValueA(resource.data(), "\\VarFileInfo\\Translation", &value, &size) ||
        size < sizeof(TTranslation))
        return "<no translation>";
    const TTranslation& translation = *static_cast<const TTranslation*>(value);
    char path[96];
    std::snprintf(path, sizeof path, "\\StringFileInfo\\%04x%04x\\%s", translation.Language,
                  translation.CodePage, name);
    if (!VerQueryValueA(resource.data(), path, &value, &size) || size == 0) return "<missing>";
    return std::string(static_cast<const char*>(value));
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

TEST_F(PluginDllTest, VersionResourceNamesTheRelease)
{
    const DWORD size = GetFileVersionInfoSizeA(plugin.Path.c_str(), nullptr);
    ASSERT_GT(size, 0u);
    std::vector<char> resource(size);
    ASSERT_TRUE(GetFileVersionInfoA(plugin.Path.c_str(), 0, size, resource.data()));
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(resource.data(), "\\", &value, &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    const VS_FIXEDFILEINFO& fixed = *static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
    const DWORD majorMinor = MAKELONG(ZEM_VERSION_MINOR, ZEM_VERSION_MAJOR);
    EXPECT_EQ(fixed.dwFileVersionMS, majorMinor);
    EXPECT_EQ(fixed.dwFileVersionLS, 0u);
    EXPECT_EQ(fixed.dwProductVersionMS, majorMinor);
    EXPECT_EQ(fixed.dwProductVersionLS, 0u);
    EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_DLL));

    EXPECT_EQ(VersionText(resource, "FileVersion"), ZEM_VERSION_TEXT);
    EXPECT_EQ(VersionText(resource, "ProductVersion"), ZEM_VERSION_TEXT);
    EXPECT_EQ(VersionText(resource, "FileDescription"),
              "Winamp plug-in: the playing track in the status of ZEM and RnQ");
    EXPECT_EQ(VersionText(resource, "ProductName"), "gen_ZEM");
    EXPECT_EQ(VersionText(resource, "LegalCopyright"), "Copyright (c) gen_ZEM developers");
    EXPECT_EQ(VersionText(resource, "OriginalFilename"), "gen_ZEM.dll");
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
