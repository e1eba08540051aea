// The real plug-in in the stand-in player, serving stand-in ZEM and RnQ
// clients, each its own process: what the clients' logs show they took.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "plugin/PlayerMenu.h"
#include "plugin/Plugin.h"
#include "plugin/Tray.h"
#include "settings/resource.h"
#include "sim/common/TextFile.h"
#include "tests/ClientSession.h"
#include "util/Files.h"

namespace {

const char* const Playlist = TwoTracks;

const std::string TrackZemA = "11|Working - Группа|at desk: Один";

TEST_F(ClientsTest, EveryClientShowsTheTrackAndGetsItsOwnStatusBack)
{
    InstallServing();
    StandInClient& a = AddClient(true, "111", "5|Working|at desk");
    StandInClient& b = AddClient(true, "222", "7|Busy|home");
    StandInClient& r = AddClient(false, "333", "3|Away|lunch");
    Start(Playlist);
    Command("play");
    EXPECT_TRUE(a.WaitForStatus(TrackZemA, 3000)) << a.Status();
    EXPECT_TRUE(b.WaitForStatus("11|Busy - Группа|home: Один", 3000)) << b.Status();
    // RnQ gets the templates' saved-text tokens as they stand.
    EXPECT_TRUE(r.WaitForStatus("11|%Status - Группа|%Status2: Один", 3000)) << r.Status();

    // Served once: further cycles with nothing new write nothing.
    const size_t written = a.Statuses().size() + b.Statuses().size() + r.Statuses().size();
    Cycle();
    Cycle();
    EXPECT_EQ(a.Statuses().size() + b.Statuses().size() + r.Statuses().size(), written);

    Command("stop");
    EXPECT_TRUE(a.WaitForStatus("5|Working|at desk", 3000)) << a.Status();
    EXPECT_TRUE(b.WaitForStatus("7|Busy|home", 3000)) << b.Status();
    // RnQ's picture cannot be read: it is put back as the first picture.
    EXPECT_TRUE(r.WaitForStatus("0|Away|lunch", 3000)) << r.Status();

    Command("play");
    EXPECT_TRUE(a.WaitForStatus(TrackZemA, 3000)) << a.Status();
    Close();
    EXPECT_EQ(a.Status(), "5|Working|at desk");
    EXPECT_EQ(b.Status(), "7|Busy|home");
    EXPECT_EQ(r.Status(), "0|Away|lunch");
}

TEST_F(ClientsTest, ZemThatExitedShowingTheTrackGetsItsOwnRecordBackInItsFile)
{
    InstallServing();
    StandInClient& a = AddClient(true, "111", "5|Working|at desk");
    Start(Playlist);
    Command("play");
    ASSERT_TRUE(a.WaitForStatus(TrackZemA, 3000)) << a.Status();
    a.Quit();
    const std::string file = a.Folder + "Users\\111\\_st_cust.txt";
    // The plug-in opens the file without sharing, once: the test only looks
    // at its time stamp until the next cycle has begun to put it right, and
    // reads it once the plug-in has let it go.
    const auto written = [&] { return LastWriteTime(file); };
    const uint64_t byClient = written();
    ASSERT_NE(byClient, 0u);
    for (DWORD start = GetTickCount(); written() == byClient; Sleep(50))
        ASSERT_LT(GetTickCount() - start, StandInWaitMs) << "the file stays as the client left it";
    std::string text;
    for (DWORD start = GetTickCount(); !ReadTextFile(file, 1u << 20, text); Sleep(50))
        ASSERT_LT(GetTickCount() - start, StandInWaitMs) << "the file stays open";
    EXPECT_EQ(text.find("Working - Группа"), std::string::npos);
    EXPECT_EQ(text.rfind("#custom_status_descr#\r\n", 0), 0u);
    const std::vector<std::string> records = CrLfLines(text);
    ASSERT_EQ(records.size(), 30u);
    EXPECT_EQ(records[11], "Working#custom_status_descr#at desk");  // the picture it showed
    Close();

    // Started again, the client takes the user's texts back from its file.
    a.Start("111");
    EXPECT_TRUE(a.WaitForStatus("11|Working|at desk", 3000)) << a.Status();
}

TEST_F(ClientsTest, AnAccountThatIsNoFolderNameLeadsToNoFileOutsideTheClientsUsers)
{
    InstallServing();
    StandInClient& a = AddClient(true, "..\\outside", "5|Working|at desk");
    Start(Playlist);
    Command("play");
    ASSERT_TRUE(a.WaitForStatus(TrackZemA, 3000)) << a.Status();
    a.Quit();
    // The client itself saved where its title led it.
    const std::string file = a.Folder + "outside\\_st_cust.txt";
    const uint64_t saved = LastWriteTime(file);
    ASSERT_NE(saved, 0u);
    Cycle();
    Cycle();
    EXPECT_EQ(LastWriteTime(file), saved);
    EXPECT_NE(ReadWholeFile(file).find("Working - Группа"), std::string::npos);
    Close();
}

TEST_F(ClientsTest, TheUsersOwnChoiceIsKeptAndSwitchesTheOwnPictureOff)
{
    InstallServing();
    StandInClient& a = AddClient(true, "111", "5|Working|at desk");
    Start(Playlist);
    Command("play");
    ASSERT_TRUE(a.WaitForStatus(TrackZemA, 3000)) << a.Status();
    a.UserStatus("7|Lunch|back at 2");
    EXPECT_TRUE(a.WaitForStatus("7|Lunch - Группа|back at 2: Один", 3000)) << a.Status();
    const std::vector<std::string> statuses = a.Statuses();
    // What the plug-in overwrote went back before the user's choice.
    ASSERT_GE(statuses.size(), 4u);
    EXPECT_EQ(statuses[statuses.size() - 3], "5|Working|at desk");
    EXPECT_EQ(statuses[statuses.size() - 2], "7|Lunch|back at 2");
    Command("stop");
    EXPECT_TRUE(a.WaitForStatus("7|Lunch|back at 2", 3000)) << a.Status();
    // Stopped, with its own status back, the client is not written into:
    // a status the user sets now stays untouched. (The user acts once the
    // plug-in has read back what it wrote, as no hand can act sooner.)
    Cycle();
    size_t before = a.Statuses().size();
    a.UserStatus("3|Busy|at home");
    Cycle();
    Cycle();
    std::vector<std::string> since = a.Statuses();
    ASSERT_GT(since.size(), before);
    EXPECT_EQ(std::vector<std::string>(since.begin() + before, since.end()),
              std::vector<std::string>{"3|Busy|at home"});
    // Stopped while the status window is on the user's screen, the client
    // keeps the track until the user confirms a status there: the track's
    // picture gets the user's texts back, then the user's choice stays.
    Command("play");
    ASSERT_TRUE(a.WaitForStatus("3|Busy - Группа|at home: Один", 3000)) << a.Status();
    a.Command("open-status");
    a.Sync();
    Command("stop");
    Cycle();
    before = a.Statuses().size();
    a.UserStatus("2|Away|gone");
    Cycle();
    Cycle();
    since = a.Statuses();
    ASSERT_GT(since.size(), before);
    EXPECT_EQ(std::vector<std::string>(since.begin() + before, since.end()),
              (std::vector<std::string>{"2|Away|gone", "3|Busy|at home", "2|Away|gone"}));
    Close();
    EXPECT_EQ(a.Status(), "2|Away|gone");
    EXPECT_EQ(Value("SetPicture"), "0");
}

// The picture the plug-in switches to at registration is what the client
// shows then: no change by the user, and the user's own picture comes back.
TEST_F(ClientsTest, TheOwnPictureChosenAtRegistrationIsNoChangeByTheUser)
{
    InstallServing({{"Picture", "11"}});
    StandInClient& a = AddClient(true, "111", "3|Busy|at desk");
    // Loaded, the plug-in arms no cycle before the player's first event:
    // nothing touches the client.
    Start(Playlist);
    Sync();
    EXPECT_EQ(Count(CycleRequest), 0u);
    EXPECT_EQ(a.Status(), "3|Busy|at desk");
    Command("play");
    ASSERT_TRUE(a.WaitForStatus("11|Busy - Группа|at desk: Один", 3000)) << a.Status();
    // Stopped, the newer saved status is handed back: the own picture with
    // the texts it had; the user's own picture comes back at the close.
    Command("stop");
    EXPECT_TRUE(a.WaitForStatus("11|Busy|at desk", 3000)) << a.Status();
    Close();
    EXPECT_EQ(a.Status(), "3|Busy|at desk");
    EXPECT_EQ(Value("SetPicture"), "1");
}

// The old account's status goes into its own file, never into the window,
// which is the new account's now. The client made its main window anew
// before: the slot went over to it, and sees its new title.
TEST_F(ClientsTest, ANewTitleIsAnotherAccountWithItsOwnStatus)
{
    InstallServing();
    StandInClient& a = AddZemWithTrackSaved("111");
    Start(Playlist);
    Command("play");
    ASSERT_TRUE(a.WaitForStatus(TrackZemA, 3000)) << a.Status();
    const size_t before = a.Statuses().size();
    a.RecreateMain();
    Cycle();
    a.Command("title 222");
    a.UserStatus("5|Own222|long222");
    Cycle();
    Cycle();
    const std::vector<std::string> records =
        CrLfLines(ReadWholeFile(a.ProfileFolder("111") + "_st_cust.txt"));
    ASSERT_EQ(records.size(), 30u);
    EXPECT_EQ(records[11], "Working#custom_status_descr#at desk");
    Command("stop");
    EXPECT_TRUE(a.WaitForStatus("5|Own222|long222", 3000)) << a.Status();
    Close();
    EXPECT_EQ(a.Status(), "5|Own222|long222");
    const std::vector<std::string> statuses = a.Statuses();
    EXPECT_EQ(std::count(statuses.begin() + before, statuses.end(), "5|Working|at desk"), 0);
}

// An RnQ shows another account when the player closes: the close writes
// nothing into it and keeps the first account's way back, which that
// account gets once it shows again.
TEST_F(ClientsTest, AnRnqUnderAnotherAccountAtTheCloseKeepsTheFirstAccountsEntry)
{
    InstallServing();
    StandInClient& r = AddClient(false, "333", "2|Away|lunch");
    const std::string track = "11|%Status - Группа|%Status2: Один";
    Start(Playlist);
    Command("play");
    ASSERT_TRUE(r.WaitForStatus(track, 3000)) << r.Status();
    const size_t taken = r.Statuses().size();
    r.Command("title 444");
    r.Sync();
    Close();
    EXPECT_EQ(r.Statuses().size(), taken);
    r.Command("title 333");
    r.Sync();
    Start(Playlist);
    Command("play");
    Cycle();
    Command("stop");
    EXPECT_TRUE(r.WaitForStatus("0|Away|lunch", 3000)) << r.Status();
    Close();
}

// A main window made anew just before the close is followed by the close's
// restore, which does not wait for a cycle to take it up.
TEST_F(ClientsTest, AMainWindowMadeAnewJustBeforeTheCloseIsGivenBackItsOwnStatus)
{
    InstallServing();
    StandInClient& a = AddClient(true, "111", "5|Working|at desk");
    Start(Playlist);
    Command("play");
    ASSERT_TRUE(a.WaitForStatus(TrackZemA, 3000)) << a.Status();
    a.RecreateMain();
    Close();
    EXPECT_EQ(a.Status(), "5|Working|at desk");
}

// The tray icon's menu, opened by a right click on the icon; null when it
// did not show.
HWND OpenTrayMenu(HWND player, DWORD playerId)
{
    PostMessageA(player, TrayCallbackMessage, 0, WM_RBUTTONUP);
    for (DWORD start = GetTickCount(); GetTickCount() - start < WaitMs; Sleep(20))
        for (HWND found = FindWindowExA(nullptr, nullptr, "#32768", nullptr); found;
             found = FindWindowExA(nullptr, found, "#32768", nullptr)) {
            DWORD process = 0;
            GetWindowThreadProcessId(found, &process);
            if (process == playerId && IsWindowVisible(found)) return found;
        }
    return nullptr;
}

// The quick switch in the player's menu and on top of the tray icon's menu:
// off, every client has its own status back at once and keeps it while the
// music plays; on, the track comes back at once; the choice outlives a quit
// and start. A track whose file matches a pattern of the list left alone
// gives every client its own status while it plays, and the next one the
// track again.
TEST_F(ClientsTest, TheQuickSwitchAndTracksLeftAlone)
{
    const std::string own = "5|Working|at desk";
    const std::string secondTrack = "11|Working - Очень дли\x85|at desk: Two";
    InstallServing({{"DelayV", "5"}, {"Skip", "x||*\\TWO.OGG"}, {"SetTray", "1"}});
    StandInClient& a = AddClient(true, "111", own);
    const std::string on = "|2005:ZER ozavod irozav|+2006:Статус из Winamp";
    const std::string off = "|2005:ZER ozavod irozav|2006:Статус из Winamp";
    auto endsWith = [](const std::string& text, const std::string& end) {
        return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
    };
    Start(Playlist);
    EXPECT_TRUE(endsWith(Menu(), on)) << Menu();
    Command("play");
    ASSERT_TRUE(a.WaitForStatus(TrackZemA, 8000)) << a.Status();
    // The delay is 5 s: what follows within 2 s comes from the switch.
    Command("send 273 2006 0");
    EXPECT_TRUE(a.WaitForStatus(own, 2000)) << a.Status();
    EXPECT_TRUE(endsWith(Menu(), off)) << Menu();
    Close();
    EXPECT_EQ(Value("Active"), "0");

    Start(Playlist);
    EXPECT_TRUE(endsWith(Menu(), off)) << Menu();
    Command("play");
    Cycle();
    EXPECT_EQ(a.Status(), own);
    Command("send 273 2006 0");
    EXPECT_TRUE(a.WaitForStatus(TrackZemA, 2000)) << a.Status();

    Command("next");
    Cycle();
    EXPECT_EQ(a.Status(), own);
    const std::vector<std::string> taken = a.Statuses();
    EXPECT_EQ(std::count(taken.begin(), taken.end(), secondTrack), 0);
    Command("prev");
    EXPECT_TRUE(a.WaitForStatus(TrackZemA, 8000)) << a.Status();

    // The tray icon's menu holds the switch on top: its first item turns
    // the plug-in off.
    const HWND popup = OpenTrayMenu(window, player.Id());
    ASSERT_NE(popup, nullptr);
    PostMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(a.WaitForStatus(own, 2000)) << a.Status();
    EXPECT_TRUE(endsWith(Menu(), off)) << Menu();
    Close();
    EXPECT_EQ(a.Status(), own);
    EXPECT_EQ(Value("Active"), "0");
}

// What the plug-in's folder holds, names only.
std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// The clients window that the player's process shows, once it shows.
HWND WaitForClientsWindow(DWORD playerId)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < WaitMs; Sleep(20))
        for (HWND shown : ProcessWindows(playerId, "#32770"))
            if (HWND lines = GetDlgItem(shown, IDC_CLIENTLINES)) return GetParent(lines);
    return nullptr;
}

// The player's "Uninstall" button: every client gets its own status back,
// and of the plug-in and what its installer put there only the settings
// file is left. While its hook is the last on the player's window the
// plug-in is removed at once; once another plug-in has subclassed the
// window after it, or while its clients window or its tray menu is open,
// at the player's restart: the window's loop runs on after the removal, and
// its code must still be there when the user closes it.
TEST_F(ClientsTest, ThePlayersUninstallGivesTheStatusesBackAndLeavesOnlyTheSettings)
{
    const char* const key = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\gen_ZEM";
    StandInClient& a = AddClient(true, "111", "5|Working|at desk");
    StandInClient& r = AddClient(false, "333", "2|Away|lunch");
    enum TWay { Now, AtRestart, UnderClientsWindow, UnderTrayMenu };
    const char* const names[] = {"now", "at restart", "under its window", "under its tray menu"};
    for (const TWay way : {Now, AtRestart, UnderClientsWindow, UnderTrayMenu}) {
        SCOPED_TRACE(names[way]);
        InstallServing({{"SetTray", "1"}});
        WriteText(pluginFolder + "\\gen_ZEM.html", "help");
        WriteText(pluginFolder + "\\gen_ZEM-uninstall.exe", "uninstaller");
        HKEY entry = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                  &entry, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(entry, "InstallLocation", 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(pluginFolder.c_str()),
                       static_cast<DWORD>(pluginFolder.size() + 1));
        RegCloseKey(entry);

        Start(Playlist);
        Command("play");
        ASSERT_TRUE(a.WaitForStatus(TrackZemA, 3000)) << a.Status();
        ASSERT_TRUE(r.WaitForStatus("11|%Status - Группа|%Status2: Один", 3000)) << r.Status();
        if (way == AtRestart) Command("subclass");
        HWND ownWindow = nullptr;
        if (way == UnderClientsWindow) {
            PostMessageA(window, WM_COMMAND, ClientsMenuItemId, 0);
            ownWindow = WaitForClientsWindow(player.Id());
            ASSERT_NE(ownWindow, nullptr);
        }
        if (way == UnderTrayMenu) {
            ownWindow = OpenTrayMenu(window, player.Id());
            ASSERT_NE(ownWindow, nullptr);
        }
        const size_t from = Log().size();
        Command("uninstall");
        const std::string answer = way == Now ? "1" : "0";
        ASSERT_GE(WaitForLine("UNINSTALL gen_ZEM.dll " + answer, from), 0);
        if (ownWindow) {
            if (way == UnderTrayMenu)
                PostMessageA(ownWindow, WM_KEYDOWN, VK_ESCAPE, 0);
            else
                PostMessageA(ownWindow, WM_COMMAND, IDCANCEL, 0);
            for (DWORD start = GetTickCount(); IsWindow(ownWindow) && IsWindowVisible(ownWindow);
                 Sleep(10))
                ASSERT_LT(GetTickCount() - start, WaitMs);
            Command("log window closed");
            ASSERT_GE(WaitForLine("MARK window closed", from), 0);
        }
        // Held by its window, the module keeps its file until the player's
        // process ends; the restarted player deletes it.
        const char* const deleted =
            ownWindow ? "DELETED gen_ZEM.dll failed" : "DELETED gen_ZEM.dll ok";
        ASSERT_GE(WaitForLine(deleted, from), 0);
        EXPECT_EQ(a.Status(), "5|Working|at desk");
        EXPECT_EQ(r.Status(), "0|Away|lunch");
        EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &entry), ERROR_SUCCESS);
        // Nothing writes the track again before the player closes.
        Command("play");
        Sleep(1500);
        Close();
        EXPECT_EQ(a.Status(), "5|Working|at desk");
        EXPECT_EQ(r.Status(), "0|Away|lunch");
        if (ownWindow) {
            EXPECT_TRUE(DeleteFileA((pluginFolder + "\\gen_ZEM.dll").c_str()));
        }
        EXPECT_EQ(FilesIn(pluginFolder), std::vector<std::string>{"gen_ZEM.dll.ini"});
    }
}

TEST_F(ClientsTest, RemovalAndEachCloseMessagePutTheStatusBack)
{
    InstallServing();
    StandInClient& a = AddClient(true, "111", "5|Working|at desk");
    StandInClient& r = AddClient(false, "333", "2|Away|lunch");
    Start(Playlist);
    Command("play");
    ASSERT_TRUE(a.WaitForStatus(TrackZemA, 3000)) << a.Status();
    ASSERT_TRUE(r.WaitForStatus("11|%Status - Группа|%Status2: Один", 3000)) << r.Status();
    // The player's preferences entry removes the plug-in while the dialog
    // runs.
    Command("config");
    AnswerConfigDialog(IDCANCEL);
    EXPECT_TRUE(a.WaitForStatus("5|Working|at desk", 3000)) << a.Status();
    EXPECT_TRUE(r.WaitForStatus("0|Away|lunch", 3000)) << r.Status();
    // A close message after which the player goes on (Windows did not log
    // off after all): the statuses go back, and the next cycle sets the track.
    Command("play");
    ASSERT_TRUE(a.WaitForStatus(TrackZemA, 3000)) << a.Status();
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(window, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, WaitMs, &answer);
    EXPECT_TRUE(a.WaitForStatus("5|Working|at desk", 3000)) << a.Status();
    Command("play");
    EXPECT_TRUE(a.WaitForStatus(TrackZemA, 3000)) << a.Status();
    // The player's own close.
    Close();
    EXPECT_EQ(a.Status(), "5|Working|at desk");
    EXPECT_EQ(r.Status(), "0|Away|lunch");
}

TEST_F(ClientsTest, SaveRestoreOffLeavesTheTrack)
{
    InstallServing({{"SaveRestore", "0"}});
    StandInClient& a = AddClient(true, "111", "5|Working|at desk");
    Start(Playlist);
    Command("play");
    ASSERT_TRUE(a.WaitForStatus(TrackZemA, 3000)) << a.Status();
    Close();
    EXPECT_EQ(a.Status(), TrackZemA);
}

TEST_F(ClientsTest, ConditionsAndSelectionDecideWhoIsChanged)
{
    InstallServing({{"IfAny", "0"},
                    {"IfPicture", "1"},
                    {"AllZEM", "0"},
                    {"AllZEMNo", "1"},
                    {"CustomZEM", "11"},
                    {"Compatible", "1"},
                    {"SetPicture", "0"}});
    StandInClient& music = AddClient(true, "111", "11|Music|on");
    StandInClient& other = AddClient(true, "112", "3|Other|off");
    StandInClient& unlisted = AddClient(true, "222", "11|Music|too");
    const size_t unlistedBefore = unlisted.Statuses().size();
    Start(Playlist);
    Command("next");
    Command("play");
    // The long artist's caption is cut to twenty characters.
    EXPECT_TRUE(music.WaitForStatus("11|Music - Очень длинн\x85|on: Two", 3000)) << music.Status();
    const std::vector<std::string> statuses = music.Statuses();
    ASSERT_GE(statuses.size(), 3u);
    EXPECT_EQ(statuses[statuses.size() - 2], "0||");  // compatible: an empty status first
    Cycle();
    EXPECT_EQ(other.Status(), "3|Other|off");
    EXPECT_EQ(unlisted.Status(), "11|Music|too");
    EXPECT_EQ(unlisted.Statuses().size(), unlistedBefore);
    Close();
}

// The clients window, opened from the dialog, read as a user reads it: what
// the last cycle did with each client, and nothing sent to get it.
struct ClientsWindowTest : ClientsTest {
    size_t StatusesTaken() const
    {
        size_t count = 0;
        for (const auto& client : clients) count += client->Statuses().size();
        return count;
    }
    // The window's lines, read from outside as a screen reader would. Unless
    // the clients are still being given their statuses back, nothing is
    // written into them meanwhile.
    std::string ClientsWindowLines(bool restoring = false)
    {
        Command("config");
        HWND dialog = WaitForConfigDialog(player.Id());
        EXPECT_NE(dialog, nullptr);
        if (!dialog) return std::string();
        // The plug-in went away for its dialog: its clients have their own
        // statuses back by now.
        const size_t taken = StatusesTaken();
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_CLIENTS, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_CLIENTS)));
        HWND lines = nullptr;
        for (DWORD start = GetTickCount(); !lines && GetTickCount() - start < WaitMs; Sleep(20))
            for (HWND shown : ProcessWindows(player.Id(), "#32770"))
                if (HWND found = GetDlgItem(shown, IDC_CLIENTLINES)) lines = found;
        EXPECT_NE(lines, nullptr) << "the clients window did not open";
        if (!lines) return std::string();
        HWND clientsWindow = GetParent(lines);
        // Close has the focus: the lines, when they take it, are selected
        // whole by the dialog manager.
        GUITHREADINFO focus{};
        focus.cbSize = sizeof focus;
        const DWORD thread = GetWindowThreadProcessId(clientsWindow, nullptr);
        for (DWORD start = GetTickCount(); GetTickCount() - start < WaitMs; Sleep(20))
            if (IsWindowVisible(clientsWindow) && GetGUIThreadInfo(thread, &focus) &&
                focus.hwndFocus)
                break;
        EXPECT_EQ(focus.hwndFocus, GetDlgItem(clientsWindow, IDCANCEL));
        DWORD first = 0, last = 0;
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(lines, EM_GETSEL, reinterpret_cast<WPARAM>(&first),
                            reinterpret_cast<LPARAM>(&last), SMTO_ABORTIFHUNG, WaitMs, &answer);
        EXPECT_EQ(first, last) << "the lines are selected";
        char text[2048] = {};
        SendMessageTimeoutA(lines, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                            SMTO_ABORTIFHUNG, WaitMs, &answer);
        if (!restoring) {
            EXPECT_EQ(StatusesTaken(), taken) << "the window wrote into a client";
        }
        PostMessageA(clientsWindow, WM_COMMAND, IDCANCEL, 0);
        for (DWORD start = GetTickCount(); IsWindow(clientsWindow); Sleep(10))
            if (GetTickCount() - start >= WaitMs) break;
        AnswerConfigDialog(IDCANCEL);
        return text;
    }
};

TEST_F(ClientsWindowTest, SaysWhatTheLastCycleDidWithEachClient)
{
    InstallServing({{"IfAny", "0"}, {"IfPicture", "1"}});
    Start(Playlist);
    Command("play");
    Cycle();
    const std::string none = ClientsWindowLines();
    EXPECT_NE(none.find("Последний проход: "), std::string::npos) << none;
    EXPECT_NE(none.find("Не запущен ни один ZEM или RnQ"), std::string::npos) << none;

    StandInClient& music = AddClient(true, "111", "11|Music|on");
    StandInClient& plain = AddClient(true, "222", "0|Away|off");
    EXPECT_TRUE(music.WaitForStatus("11|Music - Группа|on: Один", 5000)) << music.Status();
    Cycle();
    const std::string two = ClientsWindowLines();
    EXPECT_NE(two.find("ZEM 111: показывает трек\r\n"), std::string::npos) << two;
    EXPECT_NE(two.find("ZEM 222: не трогается: нет картинки статуса\r\n"), std::string::npos)
        << two;
    EXPECT_EQ(two.find("Не запущен"), std::string::npos) << two;
    EXPECT_EQ(plain.Status(), "0|Away|off");

    // Slow clients: the dialog stops waiting for their own statuses, which
    // are still being given back while the window shows.
    for (const char* account : {"333", "444", "555"}) {
        StandInClient& added = AddClient(true, account, "11|Music|too");
        EXPECT_TRUE(added.WaitForStatus("11|Music - Группа|too: Один", 5000)) << added.Status();
    }
    Cycle();
    for (const auto& client : clients) client->Command("slow 150");
    const std::string restoring = ClientsWindowLines(true);
    for (const char* line : {"ZEM 111: свой статус возвращается\r\n",
                             "ZEM 222: не трогается: нет картинки статуса\r\n",
                             "ZEM 555: свой статус возвращается\r\n"})
        EXPECT_NE(restoring.find(line), std::string::npos) << restoring;
    for (const auto& client : clients) client->Command("slow 0");
    Close();
}

// Only a client whose caption is already the one the plug-in writes is
// changed, in either client and in any letter case. One that no longer
// shows it on the next track is left alone, and still gets its own status
// back at the close.
TEST_F(ClientsTest, IfStatusServesOnlyTheClientsShowingThePluginsCaption)
{
    InstallServing({{"IfAny", "0"},
                    {"IfPicture", "0"},
                    {"IfStatus", "1"},
                    {"Status", "Слушаю %Title"},
                    {"LongStatus", "%Title"}});
    StandInClient& zem = AddClient(true, "111", "5|Слушаю Один|before");
    StandInClient& zemOther = AddClient(true, "222", "5|Working|before");
    StandInClient& rnq = AddClient(false, "333", "3|СЛУШАЮ ОДИН|before");
    StandInClient& rnqOther = AddClient(false, "444", "3|Away|before");
    const size_t zemOtherBefore = zemOther.Statuses().size();
    const size_t rnqOtherBefore = rnqOther.Statuses().size();
    Start(Playlist);
    Command("play");
    EXPECT_TRUE(zem.WaitForStatus("11|Слушаю Один|Один", 3000)) << zem.Status();
    EXPECT_TRUE(rnq.WaitForStatus("11|Слушаю Один|Один", 3000)) << rnq.Status();
    Cycle();
    EXPECT_EQ(zemOther.Status(), "5|Working|before");
    EXPECT_EQ(zemOther.Statuses().size(), zemOtherBefore);
    EXPECT_EQ(rnqOther.Status(), "3|Away|before");
    EXPECT_EQ(rnqOther.Statuses().size(), rnqOtherBefore);
    Command("next");
    Cycle();
    EXPECT_EQ(rnq.Status(), "11|Слушаю Один|Один");
    Close();
    EXPECT_EQ(zem.Status(), "5|Слушаю Один|before");
    EXPECT_EQ(rnq.Status(), "0|СЛУШАЮ ОДИН|before");
}

// A file tagged with its title only and a stream without tags: the parts
// in braces go with their empty tags and leave no stray " - ".
TEST_F(ClientsTest, OptionalPartsLeaveOutTheTagsATrackLacks)
{
    InstallServing({{"Status", "{%Artist - }%Title"}, {"LongStatus", "{%Artist - }{%Title}"}});
    StandInClient& zem = AddClient(true, "111", "5|Working|at desk");
    StandInClient& rnq = AddClient(false, "333", "3|Away|lunch");
    Start(u8"file=C:\\Music\\untagged.mp3\ttitle=Один\tlength=61\n"
          u8"file=http://radio.example/stream\n");
    Command("play");
    EXPECT_TRUE(zem.WaitForStatus("11|Один|Один", 3000)) << zem.Status();
    EXPECT_TRUE(rnq.WaitForStatus("11|Один|Один", 3000)) << rnq.Status();
    Command("next");
    EXPECT_TRUE(zem.WaitForStatus("11||", 3000)) << zem.Status();
    EXPECT_TRUE(rnq.WaitForStatus("11||", 3000)) << rnq.Status();
    Close();
}

TEST_F(ClientsTest, AStatusWindowOnTheUsersScreen)
{
    InstallServing();
    StandInClient& a = AddClient(true, "111", "5|Working|at desk");
    StandInClient& r = AddClient(false, "333", "2|Away|lunch");
    a.Command("open-status");
    r.Command("open-status");
    a.Sync();
    r.Sync();
    Start(Playlist);
    Command("play");
    Cycle();
    Cycle();
    EXPECT_EQ(a.Status(), "5|Working|at desk");  // ZEM: left alone
    EXPECT_EQ(r.Status(), "2|Away|lunch");       // RnQ: written, never confirmed

    // Opened while the client shows the track, the dialog is not written
    // under the user's eyes when the plug-in gives the statuses back for its
    // configuration: that is tried again, and done once the dialog closes.
    a.Command("hide-status");
    ASSERT_TRUE(a.WaitForStatus(TrackZemA, 3000)) << a.Status();
    a.Command("open-status");
    a.Sync();
    const size_t taken = a.Statuses().size();
    Command("config");
    ASSERT_NE(WaitForConfigDialog(player.Id()), nullptr);
    Sleep(1000);
    EXPECT_EQ(a.Statuses().size(), taken);
    a.Command("hide-status");
    EXPECT_TRUE(a.WaitForStatus("5|Working|at desk", 3000)) << a.Status();
    AnswerConfigDialog(IDCANCEL);

    // Open at the close, it keeps the track and its journal entry: the next
    // start gives it its own status back.
    ASSERT_TRUE(a.WaitForStatus(TrackZemA, 8000)) << a.Status();
    a.Command("open-status");
    a.Sync();
    Close();
    EXPECT_EQ(a.Status(), TrackZemA);
    a.Command("hide-status");
    Start(Playlist);
    Command("play");
    Cycle();
    Command("stop");
    EXPECT_TRUE(a.WaitForStatus("5|Working|at desk", 3000)) << a.Status();
    Close();
}

TEST_F(ClientsTest, TwentyTwoClientsTwentyOneServed)
{
    InstallServing();
    for (int i = 0; i < 22; ++i) AddClient(false, std::to_string(500 + i), "4|Own|status");
    const size_t before = clients.front()->Statuses().size();
    Start(Playlist);
    Command("play");
    const std::string track = "11|%Status - Группа|%Status2: Один";
    auto servedCount = [&] {
        int count = 0;
        for (const auto& client : clients) count += client->Status() == track;
        return count;
    };
    for (DWORD start = GetTickCount(); servedCount() < 21 && GetTickCount() - start < 15000;)
        Sleep(100);
    Cycle();
    int served = 0;
    for (const auto& client : clients) {
        if (client->Status() == track) {
            ++served;
        } else {
            EXPECT_EQ(client->Status(), "4|Own|status");
            EXPECT_EQ(client->Statuses().size(), before);
        }
    }
    EXPECT_EQ(served, 21);
    Close();
}

}  // namespace

namespace {

TEST_F(ClientsTest, ADialogWithoutControlsYetIsOpenedOnceAndClosedAgain)
{
    InstallServing();
    // The client starts with the status it kept from its last run.
    clients.push_back(std::make_unique<StandInClient>(folder.Path, "zem", true));
    StandInClient& a = *clients.back();
    a.KeepFromLastRun("111", 5, {{5, "Working#custom_status_descr#at desk"}});
    a.Start("111", "--lazy-dialog");
    ASSERT_TRUE(a.WaitForStatus("5|Working|at desk")) << a.Status();

    Start(Playlist);
    Command("play");
    // Making the controls at the first opening may take the client longer
    // than a send waits, on a slow machine: the track may come a few cycles
    // later, from the dialog opened once.
    EXPECT_TRUE(a.WaitForStatus(TrackZemA, 15000)) << a.Status();
    size_t opened = 0;
    for (const std::string& line : a.Log()) opened += line == "OPEN";
    EXPECT_EQ(opened, 1u);
    EXPECT_FALSE(IsWindowVisible(FindWindowA("TCusForm", nullptr)));
    Close();
    EXPECT_EQ(a.Status(), "5|Working|at desk");
}

}  // namespace
