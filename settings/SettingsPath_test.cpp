// Which settings file a load reads and a save writes, with a player window of
// the test's own that names its settings folder.
#include "settings/SettingsPath.h"

#include <gtest/gtest.h>

#include <windows.h>
// shlobj.h needs windows.h first
#include <shlobj.h>

#include <string>

#include "player/wa_ipc.h"
#include "plugin/Plugin.h"
#include "plugin/gen_ZEM.h"
#include "settings/SettingsFile.h"
#include "tests/PlayerWindow.h"
#include "tests/PluginCopy.h"
#include "tests/ReadOnlyFolder.h"
#include "util/Files.h"

namespace {

// Answers IPC_GETINIDIRECTORY with Folder (null while it is empty) and
// counts how often it was asked.
struct FolderPlayer {
    static std::string Folder;
    static int Asked;
    HWND Window = nullptr;

    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_USER && lParam == IPC_GETINIDIRECTORY) {
            ++Asked;
            return Folder.empty() ? 0 : reinterpret_cast<LRESULT>(Folder.c_str());
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
    FolderPlayer()
    {
        Asked = 0;
        Window = CreatePlayerWindow("FolderPlayer", Proc);
    }
    ~FolderPlayer() { DestroyWindow(Window); }
};
std::string FolderPlayer::Folder;
int FolderPlayer::Asked = 0;

int FileCount(const std::string& folder)
{
    int count = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
        count += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

// The plug-in's module and a player that names the test's own folder as its
// settings folder.
struct PlayerFolderTest : ::testing::Test {
    TempFolder playerFolder;
    FolderPlayer player;
    std::string user;

    void UseModule(HMODULE module)
    {
        ModuleInit();
        PluginRecord.hDllInstance = module;
        PluginRecord.hwndParent = player.Window;
        FolderPlayer::Folder = playerFolder.Path.substr(0, playerFolder.Path.size() - 1);
        user = playerFolder.Path + "Plugins\\gen_ZEM.dll.ini";
    }
    void TearDown() override
    {
        PluginRecord.hDllInstance = nullptr;
        PluginRecord.hwndParent = nullptr;
    }
};

struct SettingsPathTest : PlayerFolderTest {
    TempFolder folder;
    PluginCopy plugin{folder.Path};

    void SetUp() override
    {
        ASSERT_NE(plugin.Module, nullptr);
        UseModule(plugin.Module);
    }
};

TEST_F(SettingsPathTest, AWritableFileBesideTheModuleStaysTheOnlyOne)
{
    const std::string own = plugin.SettingsFile();
    // Telling that the missing file can be made leaves nothing behind.
    EXPECT_FALSE(WriteRefused(own));
    EXPECT_FALSE(PathExists(own, PathAny));
    EXPECT_EQ(SettingsFilePath(), own);
    EXPECT_EQ(PrepareSettingsSave(), own);
    LoadSettings();
    SaveSettings();
    EXPECT_TRUE(FileExists(own));
    EXPECT_FALSE(WriteRefused(own));
    EXPECT_EQ(FileCount(folder.Path), 2);  // the module and its settings
    EXPECT_EQ(FolderPlayer::Asked, 0);
    EXPECT_FALSE(PathExists(playerFolder.Path + "Plugins", PathAny));
}

struct ReadOnlyModuleFolderTest : PlayerFolderTest {
    const std::string readOnly = ReadOnlyPluginFolder();
    HMODULE module = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(IsReadOnlyPluginFolder(readOnly)) << ReadOnlyFolderMissing;
        module = LoadLibraryA((readOnly + "\\gen_ZEM.dll").c_str());
        ASSERT_NE(module, nullptr);
        UseModule(module);
    }
    void TearDown() override
    {
        PlayerFolderTest::TearDown();
        if (module) FreeLibrary(module);
    }
};

TEST_F(ReadOnlyModuleFolderTest, SavesGoToTheUsersOwnCopyAndLoadsFollowThem)
{
    const std::string own = readOnly + "\\gen_ZEM.dll.ini";
    EXPECT_TRUE(WriteRefused(own));
    EXPECT_TRUE(WriteRefused(readOnly + "\\missing.ini"));
    const std::string before = ReadWholeFile(own);
    ASSERT_FALSE(before.empty());

    // Until the first save the file beside the module is read.
    EXPECT_EQ(SettingsFilePath(), own);
    LoadSettings();
    EXPECT_EQ(SettingText(Setting::Status), "%Status - %Artist");
    EXPECT_FALSE(PathExists(user, PathAny));

    CurrentState.Values[SettingIndex(Setting::DelayV)] = "15";
    SaveSettings();
    EXPECT_EQ(ReadWholeFile(own), before);
    ASSERT_TRUE(FileExists(user));
    EXPECT_FALSE(WriteRefused(user));
    EXPECT_EQ(SettingsFilePath(), user);
    LoadSettings();
    EXPECT_EQ(SettingText(Setting::DelayV), "15");
    EXPECT_EQ(SettingText(Setting::Status), "%Status - %Artist");  // copied before the save

    // An answer that ends in "\" gets no second one.
    FolderPlayer::Folder = playerFolder.Path;
    EXPECT_EQ(UserSettingsFile(), user);
    // A player that names no folder: the player's default one in the user's
    // application data.
    FolderPlayer::Folder.clear();
    char appData[MAX_PATH + 1] = {};
    ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData), S_OK);
    EXPECT_EQ(UserSettingsFile(), std::string(appData) + "\\Winamp\\Plugins\\gen_ZEM.dll.ini");
}

}  // namespace
