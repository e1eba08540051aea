// The hook, the timer and the cycle on a player window of the test's own.
#include "plugin/Plugin.h"

#include <gtest/gtest.h>

#include <string>

#include "player/wa_ipc.h"
#include "plugin/PlayerMenu.h"
#include "plugin/Tray.h"
#include "plugin/UpdateCycle.h"
#include "plugin/gen_ZEM.h"
#include "tests/ConfigDialogSearch.h"
#include "tests/PlayerWindow.h"
#include "tests/PluginCopy.h"
#include "util/Text.h"
#include "util/TimeText.h"

namespace {

// Answers what the plug-in asks with zeros, except that it plays and has a
// menu; counts the messages its own procedure sees, and never closes.
struct QuietPlayer {
    static QuietPlayer* Current;
    HWND Window = nullptr;
    HMENU Menu = CreatePopupMenu();
    int Seen = 0;

    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        ++Current->Seen;
        if (message == WM_USER) {
            if (lParam == IPC_GET_HMENU) return reinterpret_cast<LRESULT>(Current->Menu);
            return lParam == IPC_ISPLAYING ? 1 : 0;
        }
        if (message == WM_CLOSE || message == WM_SYSCOMMAND) return 0;
        return DefWindowProcA(window, message, wParam, lParam);
    }

    QuietPlayer()
    {
        Current = this;
        Window = CreatePlayerWindow("QuietPlayer", Proc);
    }
    ~QuietPlayer()
    {
        DestroyWindow(Window);
        DestroyMenu(Menu);
        Current = nullptr;
    }

    int MenuItems(UINT id) const
    {
        int found = 0;
        for (int i = 0; i < GetMenuItemCount(Menu); ++i)
            if (GetMenuItemID(Menu, i) == id) ++found;
        return found;
    }
};
QuietPlayer* QuietPlayer::Current = nullptr;

void Pump(DWORD ms)
{
    const DWORD start = GetTickCount();
    MSG message;
    while (GetTickCount() - start < ms) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        Sleep(1);
    }
}

struct PluginTest : ::testing::Test {
    TempFolder folder;
    PluginCopy plugin{folder.Path};
    QuietPlayer player;

    void SetUp() override
    {
        ModuleInit();
        ASSERT_NE(plugin.Module, nullptr);
        ASSERT_NE(player.Window, nullptr);
        const std::string ini = plugin.SettingsFile();
        WritePrivateProfileStringA("ZER ozavod irozav_Russian", "DelayV.Value", "0", ini.c_str());
        // Under Wine taking an icon out of the tray takes seconds.
        WritePrivateProfileStringA("ZER ozavod irozav_Russian", "SetTray.Value", "0", ini.c_str());
        PluginRecord.hwndParent = player.Window;
        PluginRecord.hDllInstance = plugin.Module;
        ASSERT_EQ(PluginInit(), 0);
    }
    void TearDown() override
    {
        PluginQuit();
        PluginRecord.hwndParent = nullptr;
        PluginRecord.hDllInstance = nullptr;
    }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return SendMessageA(player.Window, message, wParam, lParam);
    }
    WNDPROC WindowProc() const
    {
        return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(player.Window, GWLP_WNDPROC));
    }
};

TEST_F(PluginTest, ConfigurationLeavesOneMenuItemAndOneHook)
{
    EXPECT_EQ(WindowProc(), PlayerWndHook);
    EXPECT_EQ(OldPlayerWndProc, QuietPlayer::Proc);
    EXPECT_EQ(player.MenuItems(ConfigMenuItemId), 1);
    {
        ConfigDialogAnswerer user(IDCANCEL);
        PluginConfig();
        PluginConfig();
    }
    EXPECT_EQ(player.MenuItems(ConfigMenuItemId), 1);
    EXPECT_EQ(WindowProc(), PlayerWndHook);
    EXPECT_EQ(OldPlayerWndProc, QuietPlayer::Proc);

    PluginQuit();
    EXPECT_EQ(WindowProc(), QuietPlayer::Proc);
    EXPECT_EQ(OldPlayerWndProc, nullptr);
    EXPECT_EQ(player.MenuItems(ConfigMenuItemId), 0);
    ASSERT_EQ(PluginInit(), 0);
}

TEST_F(PluginTest, AnInstalledHookIsNeverInstalledAgain)
{
    ApplyEnabledState();
    EXPECT_EQ(OldPlayerWndProc, QuietPlayer::Proc);  // never its own predecessor
    PluginQuit();
    EXPECT_EQ(WindowProc(), QuietPlayer::Proc);
    ASSERT_EQ(PluginInit(), 0);
}

TEST_F(PluginTest, HookCalledAfterRemovalOnlyPassesTheMessageOn)
{
    PluginQuit();
    const int seen = player.Seen;
    EXPECT_EQ(PlayerWndHook(player.Window, WM_USER, 0, IPC_ISPLAYING), 1);
    EXPECT_EQ(player.Seen, seen + 1);
    EXPECT_EQ(CurrentState.TimerId, 0u);
    ASSERT_EQ(PluginInit(), 0);
}

TEST_F(PluginTest, TimerControlByMessage)
{
    EXPECT_EQ(CurrentState.TimerId, 0u);  // nothing armed before a message arrives
    Send(WM_USER, 0, IPC_ISPLAYING);
    EXPECT_EQ(CurrentState.TimerId, 0u);  // the cycle's own queries never arm
    Send(WM_NULL);
    EXPECT_NE(CurrentState.TimerId, 0u);

    Send(WM_SYSCOMMAND, SC_CLOSE);
    EXPECT_EQ(CurrentState.TimerId, 0u);
    Send(WM_USER, 0, IPC_GETPLAYLISTTITLE);
    EXPECT_EQ(CurrentState.TimerId, 0u);
    Send(WM_SYSCOMMAND, SC_CLOSE | 1);  // not a close: an ordinary message
    EXPECT_NE(CurrentState.TimerId, 0u);
    Send(WM_QUERYENDSESSION);
    EXPECT_EQ(CurrentState.TimerId, 0u);
    Send(WM_ENDSESSION, FALSE);  // a cancelled shutdown goes on
    EXPECT_NE(CurrentState.TimerId, 0u);
    Send(WM_QUERYENDSESSION);
    Send(WM_ENDSESSION, TRUE);  // the session ends: no cycle runs again
    EXPECT_EQ(CurrentState.TimerId, 0u);
    Send(WM_NULL);
    EXPECT_EQ(CurrentState.TimerId, 0u);
}

TEST_F(PluginTest, CycleBuildsTheStatusAndArmsAgain)
{
    CurrentState.Values[SettingIndex(Setting::SetTray)] = "1";
    RefreshTrayIcon();
    Send(WM_NULL);
    Pump(200);
    const TStatus& status = CurrentState.CurStatus;
    EXPECT_TRUE(CurrentState.PlayerActive);
    EXPECT_EQ(status.Caption, "%Status. winamp:");
    EXPECT_EQ(status.LongText, "1.  [00" + std::string(1, TimeSeparator) + "00]");
    EXPECT_EQ(status.PictureIndex, 11);
    EXPECT_EQ(status.TrayTip, "Файл: \r\nИсполнитель: \r\nНазвание: ");
    EXPECT_STREQ(CurrentState.TrayData.szTip, status.TrayTip.c_str());
    EXPECT_EQ(CurrentState.TokenValues[9], "[PLAY]");
    EXPECT_NE(CurrentState.TimerId, 0u);
    EXPECT_EQ(UpdateBusy, 0);
}

// A cycle that finds the plug-in disabled leaves no timer and the count
// raised: from there only a playback change arms the timer, while any other
// message would arm one whenever none is pending.
TEST_F(PluginTest, DisabledCycleParksTheTimerUntilAPlaybackChange)
{
    struct Message {
        UINT Code;
        WPARAM WParam;
        LPARAM LParam;
    };
    // The neighbours of the playback changes, and an accelerator's play.
    const Message ordinary[] = {
        {WM_NULL, 0, 0},        {WM_COMMAND, 40043, 0},
        {WM_COMMAND, 40049, 0}, {WM_COMMAND, MAKEWPARAM(40045, 1), 0},
        {WM_USER, 0, 635},      {WM_USER, 0, 637},
        {WM_USER, 0, 3002},     {WM_USER, 0, 3004},
        {1027, 9, 0},           {1027, 15, 0},
        {1026, 12, 0},          {1028, 12, 0},
    };
    const Message changes[] = {
        {WM_COMMAND, 40044, 0}, {WM_COMMAND, 40045, 0}, {WM_COMMAND, 40046, 0},
        {WM_COMMAND, 40047, 0}, {WM_COMMAND, 40048, 0}, {WM_USER, 0, 3003},
        {WM_USER, 0, 636},      {1027, 10, 0},          {1027, 12, 0},
        {1027, 14, 0},
    };
    Send(WM_NULL);
    CurrentState.Values[SettingIndex(Setting::Enable)] = "0";
    for (const Message& change : changes) {
        SCOPED_TRACE(std::to_string(change.Code) + " " + std::to_string(change.WParam) + " " +
                     std::to_string(change.LParam));
        Pump(200);
        ASSERT_EQ(CurrentState.TimerId, 0u);
        ASSERT_EQ(UpdateBusy, 1);
        for (const Message& message : ordinary) Send(message.Code, message.WParam, message.LParam);
        EXPECT_EQ(CurrentState.TimerId, 0u);
        Send(change.Code, change.WParam, change.LParam);
        EXPECT_NE(CurrentState.TimerId, 0u);
        EXPECT_EQ(UpdateBusy, 0);
    }
}

TEST_F(PluginTest, TimerCallbackOfAnotherIdentifierChangesNothing)
{
    Send(WM_NULL);
    const UINT_PTR pending = CurrentState.TimerId;
    UpdateStatus(player.Window, WM_TIMER, UpdateTimerId + 1, 0);
    EXPECT_EQ(CurrentState.TimerId, pending);
    EXPECT_EQ(UpdateBusy, 0);
}

}  // namespace
