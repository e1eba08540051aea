// The plug-in in a folder that its user cannot write, as under Program
// Files: the user's changes and the clients' statuses live in the player's
// settings folder instead.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "plugin/ConfigDialog.h"
#include "settings/Settings.h"
#include "tests/ClientSession.h"
#include "tests/ReadOnlyFolder.h"
#include "util/Files.h"

namespace {

const char Playlist[] =
    u8"file=C:\\Музыка\\Один.mp3\tentry=Группа - Один\tartist=Группа\ttitle=Один\tlength=245\n";

struct ReadOnlyPluginFolderTest : ClientsTest {
    std::string userFile;  // the user's own settings file

    void SetUp() override
    {
        ASSERT_TRUE(IsReadOnlyPluginFolder(ReadOnlyPluginFolder())) << ReadOnlyFolderMissing;
        pluginFolder = ReadOnlyPluginFolder();
        userFile = process.SettingsFolder + "\\Plugins\\gen_ZEM.dll.ini";
    }
    std::string UserValue(const std::string& name) const
    {
        char text[256] = {};
        GetPrivateProfileStringA("ZER ozavod irozav_Russian", (name + ".Value").c_str(), "", text,
                                 sizeof text, userFile.c_str());
        return text;
    }
    // Opens the dialog from the player's preferences and tells whether
    // SetStatus is checked; then answers it with the button given.
    bool SetStatusInDialog(int button, bool click = false)
    {
        Command("config");
        HWND dialog = WaitForConfigDialog(player.Id());
        EXPECT_NE(dialog, nullptr);
        if (!dialog) return false;
        HWND box = GetDlgItem(dialog, Setting::SetStatus);
        DWORD_PTR state = 0;
        SendMessageTimeoutA(box, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, WaitMs, &state);
        if (click) SendMessageTimeoutA(box, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, WaitMs, nullptr);
        AnswerConfigDialog(button);
        return state == BST_CHECKED;
    }
};

TEST_F(ReadOnlyPluginFolderTest, OkQuitAndTheNextStartKeepTheUsersChanges)
{
    const std::string before = ReadWholeFile(ini());
    Start(Playlist);
    EXPECT_FALSE(PathExists(userFile, PathAny));

    EXPECT_TRUE(SetStatusInDialog(IDOK, true));
    // The running plug-in reads what OK saved.
    EXPECT_FALSE(SetStatusInDialog(IDCANCEL));
    ASSERT_TRUE(FileExists(userFile));
    EXPECT_EQ(UserValue("SetStatus"), "0");
    EXPECT_EQ(UserValue("Status"), "%Status - %Artist");  // all else the user had
    Close();

    Start(Playlist);
    EXPECT_FALSE(SetStatusInDialog(IDCANCEL));
    Close();
    EXPECT_EQ(UserValue("SetStatus"), "0");
    EXPECT_EQ(ReadWholeFile(ini()), before);
}

TEST_F(ReadOnlyPluginFolderTest, AfterTheKilledPlayerAUsersNewStatusIsKept)
{
    StandInClient& a = AddClient(true, "111", "5|Working|at desk");
    StandInClient& b = AddClient(true, "222", "7|Busy|home");
    Start(Playlist);
    Command("play");
    ASSERT_TRUE(a.WaitForStatus("11|Working - Группа|at desk: Один", 3000)) << a.Status();
    ASSERT_TRUE(b.WaitForStatus("11|Busy - Группа|home: Один", 3000)) << b.Status();
    Cycle();
    EXPECT_TRUE(FileExists(process.SettingsFolder + "\\Plugins\\gen_ZEM.dll.journal"));

    player.Kill();
    b.UserStatus("3|Lunch|back at 2");
    Start(Playlist);
    Command("play");
    EXPECT_TRUE(b.WaitForStatus("11|Lunch - Группа|back at 2: Один", 3000)) << b.Status();
    Command("stop");
    EXPECT_TRUE(a.WaitForStatus("5|Working|at desk", 3000)) << a.Status();
    EXPECT_TRUE(b.WaitForStatus("3|Lunch|back at 2", 3000)) << b.Status();
    Close();
}

}  // namespace
