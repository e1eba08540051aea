// The configuration dialog inside the stand-in player: opened from the
// player's preferences and from the plug-in's menu item, answered by a
// user's clicks, after which the player and the plug-in go on.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "settings/ConfigDialog.h"
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
    HWND delay = GetDlgItem(dialog, Setting::DelayV);
    SendTo(delay, CB_SETCURSEL, 1);
    SendTo(dialog, WM_COMMAND, MAKEWPARAM(Setting::DelayV, CBN_SELCHANGE),
           reinterpret_cast<LPARAM>(delay));
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
    EXPECT_GE(WaitForLine("REQ 125 0", playing), 0);
    Close();
    EXPECT_EQ(Value("SetStatus"), "1");
    EXPECT_EQ(Count("PLUGIN config gen_ZEM.dll"), 2u);
    // A folder that can be written keeps the settings beside the plug-in
    // alone: the player is not even asked for its own folder.
    EXPECT_EQ(Count("REQ 335 0"), 0u);
    EXPECT_FALSE(PathExists(process.SettingsFolder + "\\Plugins", PathAny));
}

}  // namespace
