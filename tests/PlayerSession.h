// The stand-in player run as its own process, with a folder of its own for
// its plug-ins, playlist and log; the log tells what it answered and when.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "sim/common/Channel.h"
#include "sim/common/EventLog.h"
#include "sim/common/Process.h"
#include "sim/common/StandIns.h"
#include "tests/ConfigDialogSearch.h"
#include "tests/TempFolder.h"

inline void WriteText(const std::string& path, const std::string& text)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, text.size());
}

// The player's log holds this line once for every update cycle: a cycle
// asks the playlist position first.
constexpr char CycleRequest[] = "REQ 125 0";

struct PlayerSession {
    TempFolder folder;
    TPlayerProcess process{folder.Path};
    TChildProcess& player = process.Process;
    HWND& window = process.Window;
    std::string& logPath = process.LogPath;
    std::string& pluginFolder = process.PluginFolder;

    std::string ini() const { return process.SettingsFile(); }

    // The plug-in in the player's folder with its settings: a short delay
    // and no tray icon (taking one out of the tray takes seconds under
    // Wine), then the values given.
    void Install(const std::vector<std::pair<const char*, const char*>>& values = {})
    {
        ASSERT_TRUE(process.InstallPlugin(ProgramFolder() + "gen_ZEM.dll"));
        SetValue("DelayV", "1");
        SetValue("SetTray", "0");
        for (const auto& value : values) SetValue(value.first, value.second);
    }
    void SetValue(const std::string& name, const char* value) const
    {
        process.SetValue(name, value);
    }
    std::string Value(const std::string& name) const { return process.Value(name); }

    // A user's click on a button of the configuration dialog that the
    // plug-in opened in the player.
    void AnswerConfigDialog(int button) const
    {
        HWND dialog = WaitForConfigDialog(player.Id());
        ASSERT_NE(dialog, nullptr);
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
        for (DWORD start = GetTickCount(); IsWindow(dialog); Sleep(10))
            ASSERT_LT(GetTickCount() - start, WaitMs) << "the dialog stays open";
    }

    std::string CommandLine(const std::string& playlistPath) const
    {
        return process.CommandLine(playlistPath);
    }

    void Start(const std::string& playlistText, const std::string& options = "")
    {
        ASSERT_TRUE(process.Start(playlistText, options));
    }

    std::vector<std::string> Log() const { return process.Log(); }

    size_t Count(const std::string& text) const
    {
        size_t count = 0;
        for (const std::string& line : Log()) count += line == text;
        return count;
    }

    int WaitForLine(const std::string& text, size_t from = 0) const
    {
        return process.WaitForLine(text, from);
    }

    void Command(const std::string& command) { ASSERT_TRUE(process.Command(command)); }

    // Waits, on the player's log rather than on the clock, until an update
    // cycle has begun after now and the next one has begun too: the first
    // has run whole, and the clients' worker has had a delay for what it
    // handed over.
    void Cycle() const
    {
        const int begun = WaitForLine(CycleRequest, Log().size());
        ASSERT_GE(begun, 0) << "no update cycle began";
        ASSERT_GE(WaitForLine(CycleRequest, static_cast<size_t>(begun) + 1), 0)
            << "no update cycle followed";
    }

    void Sync() { ASSERT_TRUE(process.Sync()); }

    // A playback command from the channel, handled to its end.
    void Press(const std::string& command, int id)
    {
        const size_t from = Log().size();
        Command(command);
        ASSERT_GE(WaitForLine("WM_COMMAND " + std::to_string(id), from), 0) << command;
        Sync();
    }

    // The player's main menu as the player lists it now.
    std::string Menu()
    {
        Command("menu");
        Sync();
        const std::vector<std::string> lines = Log();
        for (auto line = lines.rbegin(); line != lines.rend(); ++line)
            if (line->rfind("MENU ", 0) == 0) return *line;
        return std::string();
    }
    LRESULT Ask(int code, WPARAM argument = 0) const
    {
        DWORD_PTR answer = 0;
        EXPECT_NE(
            SendMessageTimeoutA(window, WM_USER, argument, code, SMTO_ABORTIFHUNG, WaitMs, &answer),
            0);
        return static_cast<LRESULT>(answer);
    }

    std::string Title() const
    {
        char text[512] = {};
        GetWindowTextA(window, text, sizeof text);
        return text;
    }

    void Close()
    {
        const bool closed = process.Close();
        ASSERT_FALSE(Log().empty());
        EXPECT_EQ(Log().back(), "EXIT");
        EXPECT_TRUE(closed);
    }
};
