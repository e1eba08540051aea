// The stand-in player:
//   player.exe --plugins <folder> --playlist <file> [--log <file>]
//              [--inidir <folder>] [--show] [--ansi]
// Its main window is hidden unless --show, so that it gets few messages of
// its own; shown, it paints the track and the play state. The window is a
// Unicode window, as Winamp 5 makes it; --ansi makes it an ANSI window, as
// older players do. Requests are answered in the ANSI code page either way.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "sim/common/EventLog.h"
#include "sim/common/TextFile.h"
#include "sim/common/Window.h"
#include "sim/player/Commands.h"
#include "sim/player/MainMenu.h"
#include "sim/player/Playback.h"
#include "sim/player/Player.h"
#include "sim/player/Plugins.h"
#include "sim/player/Requests.h"

TPlayer Player;

namespace {

constexpr char WindowClass[] = "Winamp v1.x";
constexpr wchar_t WideWindowClass[] = L"Winamp v1.x";

struct TOptions {
    std::string Plugins;
    std::string Playlist;
    std::string Log;
    std::string SettingsFolder;
    bool Show = false;
    bool Ansi = false;
};

bool ParseOptions(int argc, char** argv, TOptions& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--show") {
            options.Show = true;
            continue;
        }
        if (name == "--ansi") {
            options.Ansi = true;
            continue;
        }
        if (i + 1 >= argc) return false;
        const char* value = argv[++i];
        if (name == "--plugins") {
            options.Plugins = value;
        } else if (name == "--playlist") {
            options.Playlist = value;
        } else if (name == "--log") {
            options.Log = value;
        } else if (name == "--inidir") {
            options.SettingsFolder = value;
        } else {
            return false;
        }
    }
    return !options.Plugins.empty() && !options.Playlist.empty();
}

void Paint(HWND window)
{
    TPaint paint(window);
    const TTrack* track = CurrentTrack();
    const std::string lines[] = {
        track ? "Track " + std::to_string(Player.Position + 1) + " of " +
                    std::to_string(Player.Playlist.Tracks.size()) + ": " + track->Entry
              : std::string("Empty playlist"),
        track ? "File: " + track->File : std::string(),
        std::string("State: ") + PlayStateName(Player.State),
    };
    SetBkMode(paint.Dc, TRANSPARENT);
    int y = 8;
    for (const std::string& line : lines) {
        TextOutA(paint.Dc, 8, y, line.data(), static_cast<int>(line.size()));
        y += 20;
    }
}

LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
        case WM_USER:
            return AnswerRequest(wParam, lParam);
        case WM_COMMAND:
            if (HIWORD(wParam) == 0 && RunPlayerCommand(LOWORD(wParam))) return 0;
            break;
        case WM_COPYDATA:
            return KeepCommand(Player.Window, wParam, lParam) ? TRUE : FALSE;
        case RunCommandMessage:
            RunQueuedCommand();
            return 0;
        case WM_PAINT:
            Paint(window);
            return 0;
        case WM_DESTROY:
            QuitPlugins();
            PostQuitMessage(0);
            return 0;
    }
    return Player.Unicode ? DefWindowProcW(window, message, wParam, lParam)
                          : DefWindowProcA(window, message, wParam, lParam);
}

// Made without a title: the title comes from the playlist once the window
// is there.
HWND CreateMainWindow(HINSTANCE instance)
{
    const WNDPROC procedure = GuardedProc<HandleMessage>;
    if (Player.Unicode) {
        if (!RegisterWideWindowClass(instance, WideWindowClass, procedure, 0, COLOR_WINDOW))
            return nullptr;
        return CreateWindowExW(0, WideWindowClass, L"", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                               CW_USEDEFAULT, 480, 140, nullptr, nullptr, instance, nullptr);
    }
    if (!RegisterWindowClass(instance, WindowClass, procedure, 0, COLOR_WINDOW)) return nullptr;
    return CreateWindowExA(0, WindowClass, "", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                           480, 140, nullptr, nullptr, instance, nullptr);
}

// How long the player's thread spent on one message, the plug-in's hook and
// timer procedures included; only those that stalled it noticeably are
// logged. Messages sent to the thread are timed by a pair of hooks (their
// starts on a stack: one may be handled inside another), posted ones around
// their dispatch.
constexpr uint64_t NoticeableMs = 50;
std::vector<uint64_t> SentStarts;

void LogDuration(UINT message, WPARAM wParam, uint64_t start)
{
    const uint64_t took = LogClock() - start;
    if (took < NoticeableMs) return;
    LogEvent("TOOK " + std::to_string(took) + " " + std::to_string(message) + " " +
             std::to_string(wParam));
}

LRESULT CALLBACK BeforeSent(int code, WPARAM wParam, LPARAM lParam)
{
    try {
        if (code == HC_ACTION) SentStarts.push_back(LogClock());
    } catch (...) {
        // Without a start this message goes untimed, and its end times
        // the message it was handled inside.
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK AfterSent(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && !SentStarts.empty()) {
        const CWPRETSTRUCT& sent = *reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        const uint64_t start = SentStarts.back();
        SentStarts.pop_back();
        try {
            LogDuration(sent.message, sent.wParam, start);
        } catch (...) {
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void RunTimedMessageLoop()
{
    const DWORD thread = GetCurrentThreadId();
    const HHOOK before = SetWindowsHookExA(WH_CALLWNDPROC, BeforeSent, nullptr, thread);
    const HHOOK after = SetWindowsHookExA(WH_CALLWNDPROCRET, AfterSent, nullptr, thread);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        const uint64_t start = LogClock();
        TranslateMessage(&message);
        DispatchMessageA(&message);
        LogDuration(message.message, message.wParam, start);
    }
    if (after) UnhookWindowsHookEx(after);
    if (before) UnhookWindowsHookEx(before);
}

int Run(int argc, char** argv)
{
    TOptions options;
    if (!ParseOptions(argc, argv, options)) return 1;
    OpenEventLog(options.Log);
    // Like an installation that keeps its settings beside the program.
    std::string folder = options.SettingsFolder.empty() ? ExeFolder() : options.SettingsFolder;
    while (folder.size() > 1 && folder.back() == '\\') folder.pop_back();
    Player.SettingsFolder = folder;
    Player.Unicode = !options.Ansi;
    if (!ReadPlaylist(options.Playlist, Player.Playlist)) {
        LogEvent("PLAYLIST failed");
        return 2;
    }
    LogEvent("PLAYLIST " + std::to_string(Player.Playlist.Tracks.size()));
    for (size_t line : Player.Playlist.SkippedLines) {
        LogEvent("PLAYLIST skipped " + std::to_string(line));
    }

    TMenu menu(CreateMainMenu());
    Player.Menu = menu.Handle;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    Player.Window = CreateMainWindow(instance);
    if (!Player.Window) return 3;
    ShowTitle();
    LoadPlugins(options.Plugins, Player.Window);
    if (options.Show) ShowMainWindow(Player.Window);

    RunTimedMessageLoop();
    FreePlugins();
    LogEvent("EXIT");
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    return GuardedMain(Run, argc, argv);
}
