#include "sim/common/StandIns.h"

#include <algorithm>

#include "sim/common/Channel.h"
#include "sim/common/EventLog.h"
#include "sim/common/TextFile.h"

namespace {

const char* const LanguageSection = "ZER ozavod irozav_Russian";
constexpr DWORD PollMs = 20;

template <typename Done>
bool WaitFor(DWORD ms, Done done)
{
    for (DWORD start = GetTickCount();; Sleep(PollMs)) {
        if (done()) return true;
        if (GetTickCount() - start >= ms) return false;
    }
}

bool HasLine(const std::vector<std::string>& lines, const std::string& text)
{
    for (const std::string& line : lines)
        if (line == text) return true;
    return false;
}

// Once the marker is logged, every command sent before has run to its end.
bool SyncWith(HWND window, int& syncs, const std::string& logPath)
{
    const std::string marker = "sync " + std::to_string(++syncs);
    if (!SendCommand(window, "log " + marker)) return false;
    return WaitFor(StandInWaitMs, [&] { return HasLine(LogTexts(logPath), "MARK " + marker); });
}

}  // namespace

std::vector<std::string> LogTexts(const std::string& path)
{
    std::vector<std::string> texts;
    for (const TLogLine& line : ReadEventLog(path)) texts.push_back(line.Text);
    return texts;
}

HWND FindConfigDialog(DWORD processId)
{
    for (HWND window : ProcessWindows(processId, "#32770")) {
        wchar_t caption[64] = {};
        InternalGetWindowText(window, caption, 64);
        if (std::wstring(caption) == L"ZER ozavod irozav" && IsWindowVisible(window)) return window;
    }
    return nullptr;
}

HWND WaitForConfigDialog(DWORD processId, DWORD ms)
{
    HWND found = nullptr;
    WaitFor(ms, [&] { return (found = FindConfigDialog(processId)) != nullptr; });
    return found;
}

TPlayerProcess::TPlayerProcess(const std::string& folder)
    : Folder(folder),
      LogPath(folder + "player.log"),
      PluginFolder(folder + "plugins"),
      SettingsFolder(folder + "settings")
{
    CreateDirectoryA(PluginFolder.c_str(), nullptr);
    CreateDirectoryA(SettingsFolder.c_str(), nullptr);
}

std::string TPlayerProcess::SettingsFile() const
{
    return PluginFolder + "\\gen_ZEM.dll.ini";
}

bool TPlayerProcess::InstallPlugin(const std::string& dllPath) const
{
    return CopyFileA(dllPath.c_str(), (PluginFolder + "\\gen_ZEM.dll").c_str(), FALSE) != 0;
}

void TPlayerProcess::SetValue(const std::string& name, const char* value) const
{
    WritePrivateProfileStringA(LanguageSection, (name + ".Value").c_str(), value,
                               SettingsFile().c_str());
}

std::string TPlayerProcess::Value(const std::string& name) const
{
    char text[256] = {};
    GetPrivateProfileStringA(LanguageSection, (name + ".Value").c_str(), "", text, sizeof text,
                             SettingsFile().c_str());
    return text;
}

std::string TPlayerProcess::CommandLine(const std::string& playlistPath,
                                        const std::string& options) const
{
    return "\"" + ExeFolder() + "player.exe\" --plugins \"" + PluginFolder + "\" --playlist \"" +
           playlistPath + "\" --log \"" + LogPath + "\" --inidir \"" + SettingsFolder + "\" " +
           options;
}

bool TPlayerProcess::Start(const std::string& playlistText, const std::string& options)
{
    const std::string playlistPath = Folder + "playlist.txt";
    if (!WriteTextFile(playlistPath, playlistText)) return false;
    if (!Process.Start(CommandLine(playlistPath, options))) return false;
    Window = Process.WaitForWindow("Winamp v1.x", StandInWaitMs);
    return Window != nullptr;
}

int TPlayerProcess::WaitForLine(const std::string& text, size_t from, DWORD ms) const
{
    int found = -1;
    WaitFor(ms, [&] {
        const std::vector<std::string> lines = Log();
        for (size_t i = from; i < lines.size() && found < 0; ++i)
            if (lines[i] == text) found = static_cast<int>(i);
        return found >= 0;
    });
    return found;
}

bool TPlayerProcess::Command(const std::string& command) const
{
    return SendCommand(Window, command);
}

bool TPlayerProcess::Sync()
{
    return SyncWith(Window, Syncs, LogPath);
}

bool TPlayerProcess::Close()
{
    if (!Command("close") || !Process.WaitForExit(StandInWaitMs)) return false;
    const std::vector<std::string> lines = Log();
    return Process.ExitCode() == 0 && !lines.empty() && lines.back() == "EXIT";
}

TClientProcess::TClientProcess(const std::string& parent, const std::string& name, bool zem)
    : Folder(parent + name + "\\"), LogPath(parent + name + ".log"), Zem(zem)
{
    CreateDirectoryA(Folder.c_str(), nullptr);
}

bool TClientProcess::Start(const std::string& account, const std::string& options)
{
    const char* program = Zem ? "zem.exe" : "rnq.exe";
    const std::string exe = Folder + program;
    if (!CopyFileA((ExeFolder() + program).c_str(), exe.c_str(), FALSE)) return false;
    if (!Process.Start("\"" + exe + "\" --account " + account + " --log \"" + LogPath + "\" " +
                       options))
        return false;
    Main = Process.WaitForWindow(Zem ? "TMainForm" : "TRnQmain", StandInWaitMs);
    return Main != nullptr;
}

bool TClientProcess::Command(const std::string& command) const
{
    return SendCommand(Main, command);
}

std::vector<std::string> TClientProcess::Statuses() const
{
    std::vector<std::string> statuses;
    for (const std::string& line : Log())
        if (line.rfind("STATUS ", 0) == 0) statuses.push_back(line.substr(7));
    return statuses;
}

std::string TClientProcess::Status() const
{
    return LastStatus().Text;
}

TLogLine TClientProcess::LastStatus() const
{
    TLogLine last{0, std::string()};
    for (const TLogLine& line : ReadEventLog(LogPath))
        if (line.Text.rfind("STATUS ", 0) == 0) last = TLogLine{line.Time, line.Text.substr(7)};
    return last;
}

bool TClientProcess::WaitForStatus(const std::string& status, DWORD ms) const
{
    return WaitFor(ms, [&] { return Status() == status; });
}

bool TClientProcess::Sync()
{
    return SyncWith(Main, Syncs, LogPath);
}

// The status taken since the command, though the plug-in may have written
// over it at once.
bool TClientProcess::UserStatus(const std::string& status)
{
    const size_t from = Statuses().size();
    return Command("user-status " + status) && WaitFor(StandInWaitMs, [&] {
               const std::vector<std::string> taken = Statuses();
               return std::find(taken.begin() + std::min(from, taken.size()), taken.end(),
                                status) != taken.end();
           });
}

bool TClientProcess::Quit()
{
    return Command("quit") && Process.WaitForExit(StandInWaitMs);
}
