// The demo: the real plug-in in the stand-in player beside two ZEM accounts
// and one RnQ, each with a status of its own. It plays, skips, pauses and
// stops through a playlist and prints what every client and the tray icon
// show, then closes the player and checks that every client has its own
// status back.
//
//   demo.exe <folder>
//
// The stand-ins run and log in <folder>\run\; the screenshots are saved
// there as BMP files. Exit code 0 when every client ended with its own
// status, 1 when one did not, 2 when the demo could not run.
#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "demo/Console.h"
#include "demo/Screenshot.h"
#include "demo/TrayTip.h"
#include "sim/common/EventLog.h"
#include "sim/common/Playlist.h"
#include "sim/common/StandIns.h"
#include "sim/common/TextFile.h"
#include "util/Text.h"

namespace {

// The users' own statuses: picture|caption|long status. A ZEM user who
// shows no picture is left alone by the default "with any status"; RnQ's
// picture cannot be read back by the plug-in, so its user has none.
struct TClientSetup {
    const char* Folder;
    bool Zem;
    const char* Account;
    const char* OwnStatus;
};
const std::array<TClientSetup, 3> ClientSetups{{
    {"zem1", true, "111111", "12|На работе|отвечу после шести"},
    {"zem2", true, "222222", "10|Перерыв|кофе и музыка"},
    {"rnq", false, "333333", "0|Пишу диплом|не беспокоить до вечера"},
}};

// Tags with Latin and Cyrillic texts; the third title is too long for a ZEM
// caption, the fourth track lasts over an hour.
const char* const PlaylistText =
    "file=C:\\Music\\The Midnight Trains - Northern Lights.mp3\tartist=The Midnight Trains\t"
    "title=Northern Lights\talbum=Night Shift\tyear=2019\tlength=245\tbitrate=320\t"
    "samplerate=44100\tchannels=2\n"
    "file=C:\\Музыка\\Белые ночи - Город над рекой.mp3\tartist=Белые ночи\t"
    "title=Город над рекой\talbum=Песни о Неве\tyear=2004\tlength=212\tbitrate=256\t"
    "samplerate=44100\tchannels=2\n"
    "file=C:\\Music\\Sofia Lind - Everything I Never Said.mp3\tartist=Sofia Lind\t"
    "title=Everything I Never Said\tlength=301\tbitrate=192\tsamplerate=48000\tchannels=2\n"
    "file=C:\\Музыка\\Трамвай №9 - Осень (концерт).mp3\tartist=Трамвай №9\ttitle=Осень\t"
    "album=Живьём в ДК\tlength=3725\tbitrate=128\tsamplerate=44100\tchannels=2\n";

// What a user would set in the dialog; everything else keeps its default.
const std::array<std::pair<const char*, const char*>, 6> Settings{{
    {"DelayV", "1"},
    {"SetPicture", "1"},
    {"SetStatus", "1"},
    {"SetLongStatus", "1"},
    {"SetTray", "1"},
    {"Status", "%Artist - %Title"},
}};

constexpr DWORD CycleWaitMs = 10000;
constexpr DWORD PaintWaitMs = 300;
constexpr int WindowsTop = 60;
const char* const Indent = "        ";

struct TClient {
    const TClientSetup& Setup;
    TClientProcess Process;
    TClient(const std::string& folder, const TClientSetup& setup)
        : Setup(setup), Process(folder, setup.Folder, setup.Zem)
    {
    }
    std::string Name() const { return std::string(Setup.Zem ? "ZEM " : "RnQ ") + Setup.Account; }
};

struct TStage {
    std::string OutFolder;  // the screenshots; ends with "\"
    std::string Folder;     // the stand-ins' folders and logs; ends with "\"
    TPlayerProcess Player;
    std::vector<std::unique_ptr<TClient>> Clients;
    TStage(const std::string& outFolder, const std::string& folder)
        : OutFolder(outFolder), Folder(folder), Player(folder)
    {
    }
};

// "picture 11 | caption | long status", line breaks shown as a mark.
std::string StatusForPrint(const std::string& ansiStatus)
{
    const std::string text = ReplaceText(AnsiToUtf8(ansiStatus), "\r\n", u8" ⏎ ", ReplaceAll);
    return "picture " + ReplaceText(text, "|", " | ", ReplaceAll);
}

std::string TrayForPrint()
{
    const TTrayTips tray = ReadTrayTips();
    if (!tray.ShellFound) return "(no notification area found)";
    if (tray.Tips.empty()) return "(no icon)";
    std::string text;
    for (const std::wstring& tip : tray.Tips) {
        if (!text.empty()) text += "   |   ";
        text += tip.empty() ? "(empty)" : ReplaceText(WideToUtf8(tip), "\r\n", u8" ⏎ ", ReplaceAll);
    }
    return text;
}

std::string PlayerTitle(HWND player)
{
    wchar_t title[512] = {};
    InternalGetWindowText(player, title, 512);
    return WideToUtf8(title);
}

void PrintStatuses(const TStage& stage)
{
    for (const auto& client : stage.Clients) {
        const TLogLine shown = client->Process.LastStatus();
        PrintLine(Indent + client->Name() + "   " + StatusForPrint(shown.Text) + "   (since " +
                  Seconds(shown.Time) + ")");
    }
    PrintLine(std::string(Indent) + "tray tip     " + TrayForPrint());
}

void PrintStep(uint64_t at, const std::string& what, const TStage& stage)
{
    PrintLine("");
    PrintLine(Seconds(at) + "  " + what + "      player: " + PlayerTitle(stage.Player.Window));
    PrintStatuses(stage);
}

int CountLines(const TPlayerProcess& player, size_t from, const std::string& text)
{
    const std::vector<std::string> lines = player.Log();
    int count = 0;
    for (size_t i = from; i < lines.size(); ++i) count += lines[i] == text;
    return count;
}

// The plug-in asks for the play state once per update cycle: once it has
// asked twice since from, a whole cycle has run.
bool WaitForCycle(const TPlayerProcess& player, size_t from)
{
    for (const uint64_t start = LogClock(); LogClock() - start < CycleWaitMs; Sleep(50)) {
        if (CountLines(player, from, "REQ 104 0") >= 2) return true;
    }
    return false;
}

void PlayerStep(TStage& stage, const std::string& command, const std::string& what)
{
    const size_t from = stage.Player.Log().size();
    const uint64_t at = LogClock();
    if (!stage.Player.Command(command)) PrintLine("demo: the player did not take " + command);
    if (!WaitForCycle(stage.Player, from)) PrintLine("demo: no update cycle came");
    PrintStep(at, what, stage);
}

bool SavePicture(const std::vector<HWND>& windows, const std::string& path)
{
    Sleep(PaintWaitMs);
    const bool saved = SaveScreenPicture(WindowsArea(windows), path);
    if (!saved) PrintLine("demo: no screenshot " + AnsiToUtf8(path));
    return saved;
}

// Opened from the player, the dialog takes the plug-in out while it is open:
// the clients get their own statuses back. Cancel brings the plug-in back.
void ConfigureStep(TStage& stage)
{
    const uint64_t at = LogClock();
    if (!stage.Player.Command("config")) return;
    HWND dialog = WaitForConfigDialog(stage.Player.Process.Id());
    if (!dialog) {
        PrintLine("demo: the configuration dialog did not open");
        return;
    }
    SavePicture({dialog}, stage.OutFolder + "config-dialog.bmp");
    PrintStep(at, u8"⚙ config: the dialog is open, the plug-in is out", stage);

    const size_t from = stage.Player.Log().size();
    const uint64_t closed = LogClock();
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
    if (!WaitForCycle(stage.Player, from)) PrintLine("demo: no update cycle came");
    PrintStep(closed, u8"✕ Cancel: the plug-in is back", stage);
}

// Closing puts every status back; each client is asked what it shows.
bool CloseStep(TStage& stage)
{
    const uint64_t at = LogClock();
    const bool closed = stage.Player.Close();
    PrintLine("");
    PrintLine(Seconds(at) + u8"  ■ close the player      " +
              (closed ? "it has exited" : "it did not exit cleanly"));
    bool allOwn = true;
    for (const auto& client : stage.Clients) {
        TClientProcess& process = client->Process;
        const bool asked = process.Command("status") && process.Sync();
        const std::string shown = asked ? process.LastStatus().Text : std::string();
        const bool own = shown == client->Setup.OwnStatus;
        allOwn = allOwn && own;
        PrintLine(Indent + client->Name() + "   " + StatusForPrint(shown) +
                  (own ? u8"   ✓ its own status" : u8"   ✗ NOT its own status"));
    }
    PrintLine(std::string(Indent) + "tray tip     " + TrayForPrint());
    return allOwn;
}

void PrintIntroduction()
{
    PrintLine(sizeof(void*) == 4
                  ? "gen_ZEM demo: the shipped plug-in (32-bit) in the stand-in player, beside"
                  : "gen_ZEM demo: the plug-in (its x86_64 build) in the stand-in player, beside");
    PrintLine("two stand-in ZEM accounts and one stand-in RnQ, under Wine.");
    std::string settings = "Settings:";
    for (const auto& setting : Settings)
        settings += std::string(" ") + setting.first + "=" + setting.second;
    PrintLine(AnsiToUtf8(settings) + u8"; the rest as shipped (picture \"Музыка\" = 11,");
    PrintLine(
        u8"long status \"%ListPos. %Copy [%Lenght]\", tray tip \"Файл: %File\\nИсполнитель: "
        u8"%Artist\\nНазвание: %Title\").");
    PrintLine("Each step: seconds since the start, what happened, then what each client shows");
    PrintLine("(the status it took last, and when) and the tool-tip of the plug-in's tray icon.");
}

// Side by side below the notification area, as a user would arrange them:
// with no window manager, every window would open in the same corner.
void PlaceWindow(HWND window, int& left)
{
    RECT place{};
    GetWindowRect(window, &place);
    SetWindowPos(window, nullptr, left, WindowsTop, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    left += place.right - place.left;
}

bool StartClients(TStage& stage)
{
    int left = 0;
    for (const TClientSetup& setup : ClientSetups) {
        stage.Clients.push_back(std::make_unique<TClient>(stage.Folder, setup));
        TClientProcess& process = stage.Clients.back()->Process;
        if (!process.Start(setup.Account, "--show") || !process.UserStatus(setup.OwnStatus)) {
            PrintLine("demo: " + stage.Clients.back()->Name() + " did not start");
            return false;
        }
        PlaceWindow(process.Main, left);
    }
    return true;
}

bool StartPlayer(TStage& stage)
{
    TPlayerProcess& player = stage.Player;
    if (!player.InstallPlugin(ExeFolder() + "gen_ZEM.dll")) {
        PrintLine("demo: the plug-in could not be put into " + AnsiToUtf8(player.PluginFolder));
        return false;
    }
    for (const auto& setting : Settings) player.SetValue(setting.first, setting.second);
    if (!player.Start(AnsiToUtf8(PlaylistText))) {
        PrintLine("demo: the player did not start");
        return false;
    }
    return true;
}

int Run(const std::string& outFolder)
{
    PrepareConsole();
    CreateDirectoryA(outFolder.c_str(), nullptr);
    CreateDirectoryA((outFolder + "run").c_str(), nullptr);
    TStage stage(outFolder, outFolder + "run\\");
    PrintIntroduction();

    const uint64_t begun = LogClock();
    if (!StartClients(stage)) return 2;
    PrintLine("");
    PrintLine(Seconds(begun) + "  the users start their clients and set their own statuses");
    PrintStatuses(stage);

    const uint64_t started = LogClock();
    if (!StartPlayer(stage)) return 2;
    PrintStep(started, "the player starts with the plug-in, stopped; no cycle has run yet", stage);

    PlayerStep(stage, "play", u8"▶ play");
    PlayerStep(stage, "next", u8"⏭ next");
    std::vector<HWND> clientWindows;
    for (const auto& client : stage.Clients) clientWindows.push_back(client->Process.Main);
    SavePicture(clientWindows, stage.OutFolder + "clients.bmp");
    PlayerStep(stage, "pause", u8"⏸ pause");
    PlayerStep(stage, "pause", u8"⏸ pause again: playing on");
    PlayerStep(stage, "next", u8"⏭ next");
    ConfigureStep(stage);
    PlayerStep(stage, "next", u8"⏭ next");
    PlayerStep(stage, "stop", u8"⏹ stop");
    PlayerStep(stage, "play", u8"▶ play");
    const bool allOwn = CloseStep(stage);

    for (const auto& client : stage.Clients) client->Process.Quit();
    PrintLine("");
    PrintLine(allOwn ? "Every client has its own status back."
                     : "FAILED: a client did not get its own status back.");
    return allOwn ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        if (argc != 2) {
            PrintLine("usage: demo.exe <folder for logs and screenshots>");
            return 2;
        }
        std::string folder = argv[1];
        if (folder.back() != '\\') folder += '\\';
        return Run(folder);
    } catch (...) {
        PrintLine("demo: stopped by an unexpected error");
        return 2;
    }
}
