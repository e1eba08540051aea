// The stand-in player, run as its own process as the end-to-end tests run
// it, and what the stand-ins share: the playlist reader, the event log and
// the command channel.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "player/wa_ipc.h"
#include "sim/common/Channel.h"
#include "sim/common/EventLog.h"
#include "sim/common/Playlist.h"
#include "sim/common/Process.h"
#include "tests/PlayerSession.h"

namespace {

TEST(Playlist, ReadsTracksTagsAndNumbersAsWindows1251)
{
    const std::string text = std::string("\xEF\xBB\xBF") +
                             "# three tracks\r\n"
                             "\r\n" +
                             u8"file=C:\\Музыка\\Один.mp3\tentry=Группа - Один\tartist=Группа"
                             u8"\ttitle=Один\tlength=245\tbitrate=128\tsamplerate=44100\tchannels=2"
                             u8"\tcomment=a=b  \r\n"
                             "   \t \n"
                             "file=D:/music/two.live.ogg\n" +
                             u8"artist=\tfile=three\ttitle=日本\tlength=-5";
    const TPlaylist playlist = ParsePlaylist(text);
    EXPECT_TRUE(playlist.SkippedLines.empty());
    ASSERT_EQ(playlist.Tracks.size(), 3u);

    const TTrack& first = playlist.Tracks[0];
    EXPECT_EQ(first.File, "C:\\Музыка\\Один.mp3");
    EXPECT_EQ(first.Entry, "Группа - Один");
    EXPECT_EQ(first.Length, 245);
    EXPECT_EQ(first.Bitrate, 128);
    EXPECT_EQ(first.Samplerate, 44100);
    EXPECT_EQ(first.Channels, 2);
    ASSERT_NE(FindTag(first, "ARTIST"), nullptr);
    EXPECT_EQ(FindTag(first, "ARTIST")->Value, "Группа");
    EXPECT_EQ(FindTag(first, "Title")->Value, "Один");
    ASSERT_NE(FindTag(first, "COMMENT"), nullptr);
    EXPECT_EQ(FindTag(first, "COMMENT")->Value, "a=b  ");  // blanks and '=' kept
    EXPECT_EQ(FindTag(first, "ALBUM"), nullptr);

    // Without entry the playlist shows the file's name; without numbers the
    // length is unknown and the rest reads 0.
    const TTrack& second = playlist.Tracks[1];
    EXPECT_EQ(second.Entry, "two.live");
    EXPECT_EQ(second.Length, -1);
    EXPECT_EQ(second.Bitrate, 0);
    EXPECT_EQ(second.Samplerate, 0);
    EXPECT_EQ(second.Channels, 0);
    EXPECT_TRUE(second.Tags.empty());

    // An empty tag is a tag; a character Windows-1251 lacks becomes '?'.
    const TTrack& third = playlist.Tracks[2];
    EXPECT_EQ(third.Entry, "three");
    ASSERT_NE(FindTag(third, "ARTIST"), nullptr);
    EXPECT_EQ(FindTag(third, "ARTIST")->Value, "");
    EXPECT_EQ(FindTag(third, "TITLE")->Value, "??");
    EXPECT_EQ(third.Length, -5);

    EXPECT_EQ(FindTrack(playlist, "three"), &third);
    EXPECT_EQ(FindTrack(playlist, "C:\\Музыка\\Один.mp3"), &first);
    EXPECT_EQ(FindTrack(playlist, "c:\\музыка\\один.mp3"), nullptr);
    EXPECT_EQ(FindTrack(playlist, "three "), nullptr);
}

TEST(Playlist, SkipsWholeLinesItCannotRead)
{
    const std::string longValue(MaxPlaylistLineBytes - std::string("file=a\tcomment=").size(), 'x');
    const std::string text = "file=a\tcomment=" + longValue + "\n" +   // 1: just fits
                             "file=b\tcomment=" + longValue + "y\n" +  // 2: one byte too long
                             "file=c\tartist\n"                        // 3: no '='
                             "file=d\tsinger=x\n"                      // 4: unknown key
                             "file=e\tfile=f\n"                        // 5: repeated key
                             "file=g\tlength=abc\n"                    // 6
                             "file=h\tlength=2147483648\n"             // 7: too large
                             "file=i\tbitrate=-\n"                     // 8
                             "entry=no file\n"                         // 9
                             "File=j\n"                                // 10: keys are lower case
                             "file=k\tlength=-2147483648\n"            // 11: fits
                             "file=l\t\n"                              // 12: empty field
                             "#file=m\n"
                             "file=n\tchannels=2147483647";
    const TPlaylist playlist = ParsePlaylist(text);
    EXPECT_EQ(playlist.SkippedLines, (std::vector<size_t>{2, 3, 4, 5, 6, 7, 8, 9, 10, 12}));
    ASSERT_EQ(playlist.Tracks.size(), 3u);
    EXPECT_EQ(playlist.Tracks[0].File, "a");
    EXPECT_EQ(FindTag(playlist.Tracks[0], "comment")->Value, longValue);
    EXPECT_EQ(playlist.Tracks[1].File, "k");
    EXPECT_EQ(playlist.Tracks[1].Length, -2147483647 - 1);
    EXPECT_EQ(playlist.Tracks[2].File, "n");
    EXPECT_EQ(playlist.Tracks[2].Channels, 2147483647);

    EXPECT_TRUE(ParsePlaylist("").Tracks.empty());
    EXPECT_TRUE(ParsePlaylist("\xEF\xBB\xBF").SkippedLines.empty());
}

TEST(Playlist, ReadsItsFileAndReportsAMissingOne)
{
    TempFolder folder;
    const std::string path = folder.Path + "list.txt";
    WriteText(path, u8"file=x.mp3\tentry=Песня\n");
    TPlaylist playlist;
    ASSERT_TRUE(ReadPlaylist(path, playlist));
    ASSERT_EQ(playlist.Tracks.size(), 1u);
    EXPECT_EQ(playlist.Tracks[0].Entry, "Песня");
    EXPECT_FALSE(ReadPlaylist(folder.Path + "none.txt", playlist));
    EXPECT_EQ(playlist.Tracks.size(), 1u);
}

TEST(EventLog, AppendsStampedLinesThatAReaderSeesMeanwhile)
{
    TempFolder folder;
    const std::string path = folder.Path + "events.log";
    OpenEventLog(path);
    const uint64_t before = GetTickCount();
    LogEvent("first");
    LogEvent("two\r\nlines");
    std::vector<TLogLine> lines = ReadEventLog(path);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].Text, "first");
    EXPECT_EQ(lines[1].Text, "two  lines");
    EXPECT_GE(lines[0].Time % 0x100000000ull, before);  // the same clock
    EXPECT_LE(lines[0].Time, lines[1].Time);

    // Opening again appends; no log path, no lines.
    OpenEventLog(path);
    LogEvent("third");
    OpenEventLog("");
    LogEvent("lost");
    EXPECT_EQ(LogTexts(path), (std::vector<std::string>{"first", "two  lines", "third"}));

    // A line still being written, or one not stamped, is not an event.
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const std::string tail = "unstamped\r\n12 last\r\n34 partial";
    DWORD written = 0;
    WriteFile(file, tail.data(), static_cast<DWORD>(tail.size()), &written, nullptr);
    CloseHandle(file);
    EXPECT_EQ(LogTexts(path), (std::vector<std::string>{"first", "two  lines", "third", "last"}));
    EXPECT_TRUE(ReadEventLog(folder.Path + "none.log").empty());
}

std::string Received;
int ReceivedCount = 0;

LRESULT CALLBACK CommandWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_COPYDATA) return DefWindowProcA(window, message, wParam, lParam);
    if (!ReadCommand(wParam, lParam, Received)) return FALSE;
    ++ReceivedCount;
    return TRUE;
}

TEST(Channel, DeliversTheWholeTextOnlyUnderItsTag)
{
    WNDCLASSEXA info{};
    info.cbSize = sizeof(info);
    info.lpfnWndProc = CommandWindowProc;
    info.hInstance = GetModuleHandleA(nullptr);
    info.lpszClassName = "TChannelTest";
    ASSERT_TRUE(RegisterClassExA(&info));
    HWND window = CreateWindowExA(0, "TChannelTest", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                  nullptr, info.hInstance, nullptr);
    ASSERT_NE(window, nullptr);

    const std::string withZero("play\0x", 6);
    EXPECT_TRUE(SendCommand(window, withZero));
    EXPECT_EQ(Received, withZero);
    EXPECT_TRUE(SendCommand(window, ""));
    EXPECT_EQ(Received, "");
    const std::string longest(MaxCommandBytes, 'a');
    EXPECT_TRUE(SendCommand(window, longest));
    EXPECT_EQ(Received, longest);
    EXPECT_EQ(ReceivedCount, 3);
    EXPECT_FALSE(SendCommand(window, longest + "a"));

    // Another program's WM_COPYDATA, or a size past the bound, is no command;
    // the receiver must not read the data of either.
    char data[4] = "cmd";
    COPYDATASTRUCT other{CommandTag + 1, 3, data};
    EXPECT_EQ(SendMessageA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&other)), FALSE);
    COPYDATASTRUCT huge{CommandTag, static_cast<DWORD>(MaxCommandBytes + 1), data};
    EXPECT_EQ(SendMessageA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&huge)), FALSE);
    EXPECT_EQ(ReceivedCount, 3);

    DestroyWindow(window);
    UnregisterClassA("TChannelTest", info.hInstance);
    EXPECT_FALSE(SendCommand(window, "play"));
    EXPECT_FALSE(SendCommand(nullptr, "play"));
}

struct PlayerTest : ::testing::Test, PlayerSession {};

const char ThreeTracks[] =
    u8"file=C:\\Музыка\\Один.mp3\tentry=Группа - Один\tartist=Группа\tlength=245"
    u8"\tbitrate=128\tsamplerate=44100\tchannels=2\n"
    "file=C:\\Music\\two.ogg\tentry=Two\tbitrate=192\tsamplerate=48000\tchannels=1\n"
    "file=C:\\Music\\three.mp3\tlength=x\n"
    "file=C:\\Music\\three.mp3\n";

TEST_F(PlayerTest, PlaysPausesAndStepsAsThePlayerDoes)
{
    Start(ThreeTracks);
    EXPECT_EQ(Count("PLAYLIST 3"), 1u);
    EXPECT_EQ(Count("PLAYLIST skipped 3"), 1u);

    // Stopped at the first track: no track information.
    EXPECT_EQ(Ask(IPC_ISPLAYING), 0);
    EXPECT_EQ(Ask(IPC_GETLISTPOS), 0);
    EXPECT_EQ(Ask(IPC_GETINFO, 0), 0);
    EXPECT_EQ(Title(), "1. Группа - Один - Winamp [Stopped]");

    Press("play", PlayerPlay);
    EXPECT_EQ(Ask(IPC_ISPLAYING), 1);
    EXPECT_EQ(Ask(IPC_GETINFO, 0), 44);  // kHz
    EXPECT_EQ(Ask(IPC_GETINFO, 1), 128);
    EXPECT_EQ(Ask(IPC_GETINFO, 2), 2);
    EXPECT_EQ(Ask(IPC_GETINFO, 3), 0);
    EXPECT_EQ(Ask(IPC_GETINFO, 5), 44100);  // Hz
    EXPECT_EQ(Title(), "1. Группа - Один - Winamp");
    std::vector<std::string> log = Log();
    const int started = WaitForLine("STATE playing 0");
    ASSERT_GE(started, 0);
    EXPECT_EQ(log.at(started + 1), "REQ 3003 0");  // the player tells its window
    EXPECT_EQ(Count("REQ 3003 0"), 1u);

    // Pause toggles; resuming starts nothing new.
    Press("pause", PlayerPause);
    EXPECT_EQ(Ask(IPC_ISPLAYING), 3);
    EXPECT_EQ(Ask(IPC_GETINFO, 1), 128);
    EXPECT_EQ(Title(), "1. Группа - Один - Winamp [Paused]");
    Press("pause", PlayerPause);
    EXPECT_EQ(Ask(IPC_ISPLAYING), 1);
    EXPECT_EQ(Count("REQ 3003 0"), 1u);

    // Next and previous wrap around and keep playing.
    Press("next", PlayerNext);
    EXPECT_EQ(Ask(IPC_GETLISTPOS), 1);
    EXPECT_EQ(Ask(IPC_ISPLAYING), 1);
    EXPECT_EQ(Ask(IPC_GETINFO, 0), 48);
    EXPECT_EQ(Ask(IPC_GETINFO, 5), 48000);
    EXPECT_EQ(Ask(IPC_GETINFO, 2), 1);
    EXPECT_EQ(Title(), "2. Two - Winamp");
    Press("next", PlayerNext);
    EXPECT_EQ(Title(), "3. three - Winamp");
    EXPECT_EQ(Ask(IPC_GETINFO, 1), 0);
    Press("next", PlayerNext);
    EXPECT_EQ(Ask(IPC_GETLISTPOS), 0);
    Press("prev", PlayerPrevious);
    EXPECT_EQ(Ask(IPC_GETLISTPOS), 2);
    EXPECT_EQ(Count("REQ 3003 0"), 5u);
    EXPECT_EQ(Count("STATE playing 2"), 2u);

    // Play while playing starts the track again.
    const size_t states = Count("STATE playing 2");
    Press("play", PlayerPlay);
    EXPECT_EQ(Count("REQ 3003 0"), 6u);
    EXPECT_EQ(Count("STATE playing 2"), states);

    Press("stop", PlayerStop);
    EXPECT_EQ(Ask(IPC_ISPLAYING), 0);
    EXPECT_EQ(Ask(IPC_GETINFO, 0), 0);
    EXPECT_EQ(Ask(IPC_GETINFO, 5), 0);
    EXPECT_EQ(Ask(IPC_GETLISTPOS), 2);
    // Stopped, next only moves and pause does nothing.
    Press("next", PlayerNext);
    EXPECT_EQ(Ask(IPC_GETLISTPOS), 0);
    EXPECT_EQ(Ask(IPC_ISPLAYING), 0);
    const size_t before = Log().size();
    Press("pause", PlayerPause);
    EXPECT_EQ(Ask(IPC_ISPLAYING), 0);
    EXPECT_EQ(Count("REQ 3003 0"), 6u);
    log = Log();
    for (size_t i = before; i < log.size(); ++i) EXPECT_NE(log[i].rfind("STATE", 0), 0u) << log[i];

    // A command posted straight to the window counts; an accelerator-like
    // one (high word 1) is not a player command.
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(PlayerPlay, 1), 0);
    Sync();
    EXPECT_EQ(Ask(IPC_ISPLAYING), 0);
    const size_t posted = Log().size();
    PostMessageA(window, WM_COMMAND, PlayerPlay, 0);
    ASSERT_GE(WaitForLine("STATE playing 0", posted), 0);

    // Every request is logged, known or not.
    EXPECT_EQ(Ask(9999, 7), 0);
    EXPECT_EQ(Count("REQ 9999 7"), 1u);
    EXPECT_GE(Count("REQ 104 0"), 5u);
    EXPECT_GE(Count("REQ 126 1"), 3u);
    Close();
}

TEST_F(PlayerTest, ShowsItsMenuAndRunsCommandsFromInside)
{
    Start(ThreeTracks);
    EXPECT_NE(Ask(IPC_GET_HMENU, 0), 0);
    EXPECT_EQ(Ask(IPC_GET_HMENU, 1), 0);
    Command("menu");
    EXPECT_GE(WaitForLine("MENU 7 40045:Play|40046:Pause|40047:Stop|40044:Previous|40048:Next|"
                          "0:|40001:Exit"),
              0);

    // The request passes the player's own window procedure, as one from
    // inside the player does.
    Command("send 1024 0 104");
    const int sent = WaitForLine("SENT 1024 0 104 0");
    ASSERT_GE(sent, 1);
    EXPECT_EQ(Log().at(sent - 1), "REQ 104 0");
    Press("play", PlayerPlay);
    Command("send 1024 0 104");
    EXPECT_GE(WaitForLine("SENT 1024 0 104 1"), 0);

    for (const char* bad : {"send 1024 x 104", "send 1024 0", "play now", "bogus", ""}) {
        Command(bad);
        EXPECT_GE(WaitForLine(std::string("BAD ") + bad), 0) << bad;
    }
    Command("config");
    EXPECT_GE(WaitForLine("PLUGIN config none"), 0);
    EXPECT_EQ(Count("CMD config"), 1u);

    // The menu's Exit closes the player.
    PostMessageA(window, WM_COMMAND, 40001, 0);
    ASSERT_TRUE(player.WaitForExit(WaitMs));
    EXPECT_EQ(player.ExitCode(), 0u);
    EXPECT_EQ(Log().back(), "EXIT");
}

TEST_F(PlayerTest, LoadsGeneralPluginsByNameAndQuitsThemBeforeItEnds)
{
    const std::string plugins = pluginFolder + "\\";
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "gen_ZEM.dll").c_str(),
                          (plugins + "gen_ZEM.dll").c_str(), FALSE));
    WriteText(plugins + "gen_broken.dll", "not a module");
    WriteText(plugins + "other.dll", "not a general plug-in");
    WriteText(plugins + "gen_notes.txt", "not a module");
    Start("file=a.mp3\n");
    const int broken = WaitForLine("PLUGIN load gen_broken.dll failed");
    const int loaded = WaitForLine("PLUGIN load gen_ZEM.dll ok");
    const int started = WaitForLine("PLUGIN init gen_ZEM.dll 0");
    ASSERT_GE(broken, 0);
    EXPECT_LT(broken, loaded);
    EXPECT_LT(loaded, started);
    for (const std::string& line : Log()) {
        EXPECT_EQ(line.find("other"), std::string::npos) << line;
        EXPECT_EQ(line.find("notes"), std::string::npos) << line;
    }

    // The plug-in got the main window: it found the player's menu there.
    Command("menu");
    EXPECT_GE(WaitForLine("MENU 9 40045:Play|40046:Pause|40047:Stop|40044:Previous|40048:Next|"
                          "0:|40001:Exit|2005:ZER ozavod irozav|+2006:Статус из Winamp"),
              0);

    Close();
    EXPECT_GT(WaitForLine("PLUGIN quit gen_ZEM.dll"), started);
    EXPECT_EQ(Count("PLUGIN quit gen_ZEM.dll"), 1u);
}

TEST_F(PlayerTest, RefusesWhatItCannotRun)
{
    ASSERT_TRUE(player.Start(CommandLine(folder.Path + "missing.txt")));
    ASSERT_TRUE(player.WaitForExit(WaitMs));
    EXPECT_EQ(player.ExitCode(), 2u);
    EXPECT_EQ(Log(), (std::vector<std::string>{"PLAYLIST failed"}));

    ASSERT_TRUE(player.Start("\"" + ProgramFolder() + "player.exe\" --playlist x.txt"));
    ASSERT_TRUE(player.WaitForExit(WaitMs));
    EXPECT_EQ(player.ExitCode(), 1u);
}

}  // namespace
