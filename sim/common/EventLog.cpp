// GetTickCount64 is declared from Vista on; the stand-ins run only in the
// tests, never on the plug-in's older target systems.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#include "sim/common/EventLog.h"

#include <windows.h>

#include "sim/common/TextFile.h"
#include "util/Handles.h"

namespace {

constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD MaxLogBytes = 256 * 1024 * 1024;

TFileHandle Log;

// Parses "<ms> <text>"; false for a line that does not start so.
bool ParseLine(const std::string& line, TLogLine& parsed)
{
    size_t blank = line.find(' ');
    if (blank == 0 || blank == std::string::npos || blank > 19) return false;
    uint64_t time = 0;
    for (size_t i = 0; i < blank; ++i) {
        if (line[i] < '0' || line[i] > '9') return false;
        time = time * 10 + static_cast<uint64_t>(line[i] - '0');
    }
    parsed.Time = time;
    parsed.Text = line.substr(blank + 1);
    return true;
}

}  // namespace

uint64_t LogClock()
{
    return GetTickCount64();
}

void OpenEventLog(const std::string& path)
{
    Log.Close();
    if (path.empty()) return;
    Log.Handle = CreateFileA(path.c_str(), FILE_APPEND_DATA, ShareAll, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
}

void LogEvent(const std::string& text)
{
    if (!Log.Open()) return;
    std::string line = std::to_string(LogClock()) + " " + text;
    for (char& c : line) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    line += "\r\n";
    DWORD written = 0;
    // One write per line, so lines from one process never interleave.
    WriteFile(Log.Handle, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

std::vector<TLogLine> ReadEventLog(const std::string& path)
{
    std::vector<TLogLine> lines;
    std::string text;
    if (!ReadTextFile(path, MaxLogBytes, text)) return lines;
    for (const std::string& entry : CrLfLines(text)) {
        TLogLine line;
        if (ParseLine(entry, line)) lines.push_back(std::move(line));
    }
    return lines;
}
