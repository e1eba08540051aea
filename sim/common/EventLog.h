// The stand-ins' record of what they saw: one line per event,
// "<ms> <text>\r\n", where ms is GetTickCount64() and so comparable across
// processes. The file is shared for reading, so a test can read it while
// the stand-in runs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Milliseconds since the system started: the time stamps of every log.
uint64_t LogClock();

// Appends to path from now on; an empty path (the default) logs nothing.
// A log opened before is closed.
void OpenEventLog(const std::string& path);

// Line breaks inside text become blanks: one event stays one line.
void LogEvent(const std::string& text);

struct TLogLine {
    uint64_t Time;
    std::string Text;
};

// Every complete line of the log; an unreadable log gives none, a last line
// still being written is left out.
std::vector<TLogLine> ReadEventLog(const std::string& path);
