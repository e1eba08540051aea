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

inline std::vector<std::string> LogTexts(const std::string& path)
{
    std::vector<std::string> texts;
    for (const TLogLine& line : ReadEventLog(path)) texts.push_back(line.Text);
    return texts;
}

struct PlayerSession {
    TempFolder folder;
    std::string logPath;
    std::string pluginFolder;
    TChildProcess player;
    HWND window = nullptr;
    int syncs = 0;

    PlayerSession()
    {
        logPath = folder.Path + "player.log";
        // Without a trailing '\': before a closing quote it would escape it.
        pluginFolder = folder.Path + "plugins";
        CreateDirectoryA(pluginFolder.c_str(), nullptr);
    }

    std::string ini() const { return pluginFolder + "\\gen_ZEM.dll.ini"; }

    // The plug-in in the player's folder with its settings: a short delay
    // and no tray icon (taking one out of the tray takes seconds under
    // Wine), then the values given.
    void Install(const std::vector<std::pair<const char*, const char*>>& values = {})
    {
        ASSERT_TRUE(CopyFileA((ProgramFolder() + "gen_ZEM.dll").c_str(),
                              (pluginFolder + "\\gen_ZEM.dll").c_str(), FALSE));
        SetValue("DelayV", "1");
        SetValue("SetTray", "0");
        for (const auto& value : values) SetValue(value.first, value.second);
    }
    void SetValue(const std::string& name, const char* value) const
    {
        WritePrivateProfileStringA("ZER ozavod irozav_Russian", (name + ".Value").c_str(), value,
                                   ini().c_str());
    }
    std::string Value(const std::string& name) const
    {
        char text[256] = {};
        GetPrivateProfileStringA("ZER ozavod irozav_Russian", (name + ".Value").c_str(), "", text,
                                 sizeof text, ini().c_str());
        return text;
    }

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
        return "\"" + ProgramFolder() + "player.exe\" --plugins \"" + pluginFolder +
               "\" --playlist \"" + playlistPath + "\" --log \"" + logPath + "\"";
    }

    void Start(const std::string& playlistText)
    {
        const std::string playlistPath = folder.Path + "playlist.txt";
        WriteText(playlistPath, playlistText);
        ASSERT_TRUE(player.Start(CommandLine(playlistPath)));
        window = player.WaitForWindow("Winamp v1.x", WaitMs);
        ASSERT_NE(window, nullptr);
    }

    std::vector<std::string> Log() const { return LogTexts(logPath); }

    size_t Count(const std::string& text) const
    {
        size_t count = 0;
        for (const std::string& line : Log()) count += line == text;
        return count;
    }

    // The index of the first line from `from` on that reads text; -1 when
    // none appears in time.
    int WaitForLine(const std::string& text, size_t from = 0) const
    {
        for (DWORD start = GetTickCount(); GetTickCount() - start < WaitMs; Sleep(20)) {
            const std::vector<std::string> lines = Log();
            for (size_t i = from; i < lines.size(); ++i) {
                if (lines[i] == text) return static_cast<int>(i);
            }
        }
        return -1;
    }

    void Command(const std::string& command) { ASSERT_TRUE(SendCommand(window, command)); }

    // Once the marker is written, every command sent before has been run
    // to its end.
    void Sync()
    {
        const std::string marker = "sync " + std::to_string(++syncs);
        Command("log " + marker);
        ASSERT_GE(WaitForLine("MARK " + marker), 0);
    }

    // A playback command from the channel, handled to its end.
    void Press(const std::string& command, int id)
    {
        const size_t from = Log().size();
        Command(command);
        ASSERT_GE(WaitForLine("WM_COMMAND " + std::to_string(id), from), 0) << command;
        Sync();
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
        Command("close");
        ASSERT_TRUE(player.WaitForExit(WaitMs));
        EXPECT_EQ(player.ExitCode(), 0u);
        ASSERT_FALSE(Log().empty());
        EXPECT_EQ(Log().back(), "EXIT");
    }
};
