// The stand-in player and clients run as processes of their own, each from
// a folder of its own, driven through their command channels and watched
// through their logs: what the end-to-end tests and the demo share.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "sim/common/EventLog.h"
#include "sim/common/Process.h"

constexpr DWORD StandInWaitMs = 10000;

// The texts of a stand-in's log lines, in order.
std::vector<std::string> LogTexts(const std::string& path);

// The plug-in's configuration dialog shown by a process; null when none is.
// Reads the windows without sending them a message: the dialog's thread may
// be the one waiting for the search.
HWND FindConfigDialog(DWORD processId);
// The same, waited for until it is shown (its controls exist by then).
HWND WaitForConfigDialog(DWORD processId, DWORD ms = StandInWaitMs);

// The player with its plug-ins folder, playlist and log under one folder.
struct TPlayerProcess {
    std::string Folder;  // ends with "\"
    std::string LogPath;
    std::string PluginFolder;  // without a trailing "\": before a closing quote it would escape it
    std::string SettingsFolder;  // the player's own (--inidir), likewise
    TChildProcess Process;
    HWND Window = nullptr;
    int Syncs = 0;

    explicit TPlayerProcess(const std::string& folder);

    std::string SettingsFile() const;  // the plug-in's, beside it
    // Copies the plug-in DLL into the plug-ins folder.
    bool InstallPlugin(const std::string& dllPath) const;
    // A value of the plug-in's settings file, in the default language.
    void SetValue(const std::string& name, const char* value) const;
    std::string Value(const std::string& name) const;

    // Options are added to the command line as given ("--ansi").
    std::string CommandLine(const std::string& playlistPath, const std::string& options = "") const;
    // Writes the playlist and starts the player; false when its window does
    // not come.
    bool Start(const std::string& playlistText, const std::string& options = "");
    std::vector<std::string> Log() const { return LogTexts(LogPath); }
    // The index of the first line from `from` on that reads text; -1 when
    // none appears in time.
    int WaitForLine(const std::string& text, size_t from = 0, DWORD ms = StandInWaitMs) const;
    bool Command(const std::string& command) const;
    // True once every command sent before has been run to its end.
    bool Sync();
    // Closes the player as its user does; true when it exited cleanly.
    bool Close();
};

// One stand-in client (zem.exe or rnq.exe) copied into a folder of its own,
// where its profile folders are.
struct TClientProcess {
    std::string Folder;  // ends with "\"
    std::string LogPath;
    bool Zem;
    TChildProcess Process;
    HWND Main = nullptr;
    int Syncs = 0;

    TClientProcess(const std::string& parent, const std::string& name, bool zem);

    bool Start(const std::string& account, const std::string& options = "");
    bool Command(const std::string& command) const;
    std::vector<std::string> Log() const { return LogTexts(LogPath); }
    // Every status the client took, oldest first, as "picture|caption|long".
    std::vector<std::string> Statuses() const;
    std::string Status() const;  // the last one
    // The last status with the time it was taken; an empty line when none.
    TLogLine LastStatus() const;
    bool WaitForStatus(const std::string& status, DWORD ms = StandInWaitMs) const;
    bool Sync();
    // The user sets a status in the client and confirms it.
    bool UserStatus(const std::string& status);
    // The user closes the client; true once it has exited.
    bool Quit();
};
