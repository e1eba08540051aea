// The configuration dialog inside the stand-in player: opened from the
// player's preferences and from the plug-in's menu item, answered by a
// user's clicks, after which the player and the plug-in go on.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "plugin/ConfigDialog.h"
#include "settings/Settings.h"
#include "tests/PlayerSession.h"
#include "util/Files.h"

namespace {

const char Playlist[] = "file=C:\\Music\\one.mp3\tentry=One\tartist=Band\ttitle=One\tlength=200\n";
const char PlayerItems[] =
    "40045:Play|40046:Pause|40047:Stop|40044:Previous|40048:Next|0:|40001:Exit";

struct DialogInPlayerTest : ::testing::Test, PlayerSession {
    HWND OpenDialog() const { return WaitForConfigDialog(player.Id()); }
    // A message to the dialog in the player's process, as a user's action
    // causes it.
    static void SendTo(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        DWORD_PTR answer = 0;
        EXPECT_NE(
            SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, WaitMs, &answer),
            0);
    }
    static void Click(HWND dialog, int id) { SendTo(GetDlgItem(dialog, id), BM_CLICK); }
    // A pick from a list: the box tells its dialog that the choice changed.
    static void Choose(HWND dialog, int id, int index)
    {
        HWND box = GetDlgItem(dialog, id);
        SendTo(box, CB_SETCURSEL, index);
        SendTo(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
    }
    // Asked of the control: another process's combo box has no title of its own.
    static std::string Text(HWND dialog, int id)
    {
        char text[256] = {};
        SendTo(GetDlgItem(dialog, id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        return text;
    }
    std::string Read(const char* section, const char* key) const
    {
        char text[256] = {};
        GetPrivateProfileStringA(section, key, "<missing>", text, sizeof text, ini().c_str());
        return text;
    }
    static void WaitUntilClosed(HWND dialog)
    {
        for (DWORD start = GetTickCount(); IsWindow(dialog) && GetTickCount() - start < WaitMs;)
            Sleep(20);
        EXPECT_FALSE(IsWindow(dialog));
    }
};

TEST_F(DialogInPlayerTest, OpenedFromThePreferencesAndFromTheMenuItem)
{
    const std::string withItem =
        std::string("MENU 9 ") + PlayerItems + "|2005:ZER ozavod irozav|+2006:Статус из Winamp";
    const std::string without = std::string("MENU 7 ") + PlayerItems;
    Install();
    Start(Playlist);
    ASSERT_EQ(Menu(), withItem);

    // From the player's preferences; OK writes and the plug-in comes back.
    Command("config");
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), window);
    EXPECT_EQ(Menu(), without);  // the player runs on, the plug-in is out
    // Asked again from the preferences while open: the same dialog, alone.
    Command("config");
    Sync();
    EXPECT_EQ(OpenDialog(), dialog);
    EXPECT_EQ(Menu(), without);
    Click(dialog, Setting::SetStatus);
    Choose(dialog, Setting::DelayV, 1);
    Click(dialog, IDOK);
    WaitUntilClosed(dialog);
    EXPECT_EQ(Value("SetStatus"), "1");
    EXPECT_EQ(Value("DelayV"), "2");
    EXPECT_EQ(Menu(), withItem);

    // From the plug-in's own menu item, inside the hook; Cancel.
    const size_t from = Log().size();
    Command("send 273 2005 0");
    dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    Click(dialog, Setting::SetStatus);
    Click(dialog, IDCANCEL);
    WaitUntilClosed(dialog);
    EXPECT_GE(WaitForLine("SENT 273 2005 0 0", from), 0);
    EXPECT_EQ(Value("SetStatus"), "1");
    EXPECT_EQ(Menu(), withItem);

    // The hook is back: playing leads to update cycles again.
    const size_t playing = Log().size();
    Command("play");
    EXPECT_GE(WaitForLine(CycleRequest, playing), 0);
    Close();
    EXPECT_EQ(Value("SetStatus"), "1");
    EXPECT_EQ(Count("PLUGIN config gen_ZEM.dll"), 2u);
    // A folder that can be written keeps the settings beside the plug-in
    // alone: the player is not even asked for its own folder.
    EXPECT_EQ(Count("REQ 335 0"), 0u);
    EXPECT_FALSE(PathExists(process.SettingsFolder + "\\Plugins", PathAny));
}

// A settings file of an older version lists Russian alone; English is
// offered all the same, and once chosen every text is English, the plug-in's
// menu item too, while the file's own list stays as it was.
TEST_F(DialogInPlayerTest, EnglishIsOfferedChosenAndKept)
{
    const char* const russian = "ZER ozavod irozav_Russian";
    const char* const english = "ZER ozavod irozav_English";
    Install();
    WritePrivateProfileStringA(russian, "Lang.Caption", "||Russian||", ini().c_str());
    Start(Playlist);
    Command("config");
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(SendMessageA(GetDlgItem(dialog, Setting::Lang), CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(Text(dialog, Setting::Enable), "Включен");
    Choose(dialog, Setting::Lang, 1);
    EXPECT_EQ(Text(dialog, Setting::Lang), "English");
    Click(dialog, IDOK);
    WaitUntilClosed(dialog);
    EXPECT_EQ(Read("ZER ozavod irozav", "Lang"), "English");
    EXPECT_EQ(Read(english, "Enable.Caption"), "Enabled");
    EXPECT_EQ(Read(russian, "Lang.Caption"), "||Russian||");
    EXPECT_NE(Menu().find("|+2006:Status from Winamp"), std::string::npos) << Menu();

    Command("config");
    dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Text(dialog, Setting::Lang), "English");
    EXPECT_EQ(Text(dialog, Setting::Enable), "Enabled");
    EXPECT_EQ(Text(dialog, Setting::grMain), "General");
    EXPECT_EQ(Text(dialog, Setting::SkipText), "Do not announce files:");
    EXPECT_EQ(Text(dialog, IDC_RESETCAPTIONS), "Reset the captions of the status pictures");
    Click(dialog, IDCANCEL);
    WaitUntilClosed(dialog);
    Close();
}

}  // namespace
