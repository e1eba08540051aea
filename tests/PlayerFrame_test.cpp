// The real plug-in in the stand-in player: what the player's log shows of
// the hook, the menu item and the delay timer. Each "REQ 125" is one update
// cycle: a cycle asks for the list position once, nothing else does.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "player/wa_ipc.h"
#include "settings/Settings.h"
#include "tests/PlayerSession.h"

namespace {

const char Playlist[] =
    u8"file=C:\\Музыка\\Один.mp3\tentry=Группа - Один\tartist=Группа\ttitle=Один\tlength=245\n"
    "file=C:\\Music\\two.ogg\tentry=Two\tartist=Band\ttitle=Two\tlength=3725\n";

struct FrameTest : ::testing::Test, PlayerSession {
    std::vector<uint64_t> Times(const std::string& text) const
    {
        std::vector<uint64_t> times;
        for (const TLogLine& line : ReadEventLog(logPath))
            if (line.Text == text) times.push_back(line.Time);
        return times;
    }
    uint64_t LastTime(const std::string& text) const
    {
        const std::vector<uint64_t> times = Times(text);
        return times.empty() ? 0 : times.back();
    }
    size_t CyclesBetween(uint64_t from, uint64_t to) const
    {
        const std::vector<uint64_t> times = Times(CycleRequest);
        return std::count_if(times.begin(), times.end(),
                             [&](uint64_t t) { return t >= from && t <= to; });
    }
    uint64_t Now() const { return GetTickCount(); }

    // How often the plug-in's item stands in the player's main menu.
    size_t MenuItems()
    {
        const size_t from = Log().size();
        Command("menu");
        Sync();
        const std::vector<std::string> lines = Log();
        for (size_t i = from; i < lines.size(); ++i) {
            if (lines[i].rfind("MENU ", 0) != 0) continue;
            size_t count = 0;
            for (size_t at = lines[i].find("2005:ZER ozavod irozav"); at != std::string::npos;
                 at = lines[i].find("2005:ZER ozavod irozav", at + 1))
                ++count;
            return count;
        }
        ADD_FAILURE() << "no menu line";
        return 0;
    }

    // A message that reaches the player window from inside the player. The
    // wait reads the log only: another command would be a message through
    // the hook too.
    void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        const std::string sent =
            std::to_string(message) + " " + std::to_string(wParam) + " " + std::to_string(lParam);
        const size_t from = Log().size();
        Command("send " + sent);
        for (DWORD start = GetTickCount(); GetTickCount() - start < WaitMs; Sleep(10)) {
            const std::vector<std::string> lines = Log();
            for (size_t i = from; i < lines.size(); ++i)
                if (lines[i].rfind("SENT " + sent + " ", 0) == 0) return;
        }
        ADD_FAILURE() << "not sent: " << sent;
    }

    // The title as this process reads it in Unicode, through every hook on
    // the player's window, and whether the window still takes Unicode.
    void ExpectWindow(const std::wstring& title, bool unicode, const char* when) const
    {
        wchar_t text[256] = {};
        GetWindowTextW(window, text, 256);
        EXPECT_EQ(std::wstring(text), title) << when;
        EXPECT_EQ(IsWindowUnicode(window) != FALSE, unicode) << when;
    }

    // The user ticks Enable in the dialog opened by command and confirms.
    void SwitchInDialog(const std::string& command)
    {
        Command(command);
        HWND dialog = WaitForConfigDialog(player.Id());
        ASSERT_NE(dialog, nullptr);
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(GetDlgItem(dialog, Setting::Enable), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG,
                            WaitMs, &answer);
        AnswerConfigDialog(IDOK);
        Sync();
    }

    // A title outside the ANSI code page: the plug-in's hook, switched on
    // and off again in the dialog, leaves the window's character set and
    // its texts as the player made them, also in the texts that pass the
    // hook on their way to the player (its own title changes).
    void KeepsThePlayersWindowAsItIs(const std::string& options, bool unicode,
                                     const std::wstring& entry)
    {
        Install({{"Enable", "0"}});
        Start(u8"file=C:\\Music\\j.mp3\tentry=日本語 - été\n", options);
        Sync();
        const std::wstring stopped = L"1. " + entry + L" - Winamp [Stopped]";
        ExpectWindow(stopped, unicode, "before");

        SwitchInDialog("config");
        ASSERT_EQ(MenuItems(), 1u);
        ExpectWindow(stopped, unicode, "installed");
        const size_t from = Log().size();
        Press("play", PlayerPlay);
        const std::wstring playing = L"1. " + entry + L" - Winamp";
        ExpectWindow(playing, unicode, "playing");
        EXPECT_GE(WaitForLine("REQ 212 0", from), 0);  // a cycle read the entry

        SwitchInDialog("send 273 2005 0");
        ASSERT_EQ(MenuItems(), 0u);
        ExpectWindow(playing, unicode, "removed");
        Press("stop", PlayerStop);
        ExpectWindow(stopped, unicode, "stopped after removal");
        Close();
    }
};

TEST_F(FrameTest, AUnicodePlayerWindowStaysUnicodeAndWhole)
{
    KeepsThePlayersWindowAsItIs("", true, L"日本語 - été");
}

// An older player's ANSI window holds what the code page has of the entry.
TEST_F(FrameTest, AnAnsiPlayerWindowStaysAnsi)
{
    KeepsThePlayersWindowAsItIs("--ansi", false, L"??? - ete");
}

TEST_F(FrameTest, MenuItemStaysSingleAcrossConfigurationAndQuitKeepsEnable)
{
    Install();
    Start(Playlist);
    EXPECT_EQ(MenuItems(), 1u);
    Command("config");  // from the player's preferences
    AnswerConfigDialog(IDCANCEL);
    Sync();
    EXPECT_EQ(MenuItems(), 1u);
    for (int button : {IDOK, IDCANCEL}) {
        Command("send 273 2005 0");  // from the plug-in's own menu item
        AnswerConfigDialog(button);
        Sync();
        EXPECT_EQ(MenuItems(), 1u);
    }
    Close();
    EXPECT_EQ(Value("Enable"), "1");
    EXPECT_EQ(Value("DelayV"), "1");
}

TEST_F(FrameTest, BurstOfPlaybackCommandsGivesOneCycleADelayAfterTheLast)
{
    Install();
    Start(Playlist);
    Sync();
    const uint64_t first = Now();
    for (const char* command : {"play", "next", "next", "prev", "next"}) {
        Command(command);
        Sleep(300);
    }
    Sync();
    const uint64_t last = LastTime("REQ 3003 0");  // the last track start
    ASSERT_GE(last, first);
    ASSERT_GE(WaitForLine(CycleRequest, Log().size()), 0);
    EXPECT_EQ(CyclesBetween(first, last + 950), 0u);
    EXPECT_EQ(CyclesBetween(last + 950, last + 1500), 1u);
    Close();
}

TEST_F(FrameTest, CyclesRepeatEveryDelayWithoutEvents)
{
    Install();
    Start(Playlist);
    Post(WM_NULL);
    const uint64_t from = Now();
    int cycle = WaitForLine(CycleRequest, Log().size());
    for (int i = 0; i < 3 && cycle >= 0; ++i)
        cycle = WaitForLine(CycleRequest, static_cast<size_t>(cycle) + 1);
    std::vector<uint64_t> cycles = Times(CycleRequest);
    cycles.erase(std::remove_if(cycles.begin(), cycles.end(), [&](uint64_t t) { return t < from; }),
                 cycles.end());
    ASSERT_GE(cycles.size(), 3u);
    for (size_t i = 1; i < cycles.size(); ++i) {
        EXPECT_GE(cycles[i] - cycles[i - 1], 900u);
        EXPECT_LE(cycles[i] - cycles[i - 1], 1500u);
    }
    Close();
}

TEST_F(FrameTest, TheCyclesOwnQueriesNeverArmTheTimer)
{
    Install();
    Start(Playlist);
    // A close message after which the player goes on leaves no timer. It
    // comes from outside, as the system sends it: sent from inside another
    // message, the outer message would arm the timer on its way back.
    Sync();
    DWORD_PTR answer = 0;
    ASSERT_NE(
        SendMessageTimeoutA(window, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, WaitMs, &answer),
        0);
    const uint64_t idle = Now();
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(Ask(IPC_ISPLAYING), 0);
        Sleep(400);
    }
    Sleep(600);
    EXPECT_EQ(CyclesBetween(idle, Now()), 0u);

    // Any other message arms it again, and the cycle follows a delay later.
    const uint64_t armed = Now();
    const size_t from = Log().size();
    Ask(0);
    ASSERT_GE(WaitForLine(CycleRequest, from), 0);
    EXPECT_EQ(CyclesBetween(armed + 900, armed + 1600), 1u);
    Close();
}

TEST_F(FrameTest, SwitchedOffInTheConfigurationNothingRunsAnyMore)
{
    Install();
    Start(Playlist);
    Post(WM_NULL);
    ASSERT_GE(WaitForLine(CycleRequest), 0);

    // The user's choice stands in the file while the configuration runs;
    // another program holding the file keeps the save at quit from
    // overwriting it.
    SetValue("Enable", "0");
    HANDLE held = CreateFileA(ini().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Command("send 273 2005 0");
    AnswerConfigDialog(IDCANCEL);
    Sync();
    CloseHandle(held);
    const uint64_t off = Now();

    EXPECT_EQ(MenuItems(), 0u);
    Command("play");
    Sleep(700);
    Command("next");
    Sleep(1600);
    EXPECT_EQ(CyclesBetween(off, Now()), 0u);
    Close();
    EXPECT_EQ(Value("Enable"), "0");
}

}  // namespace
