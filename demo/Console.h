// The demo's output: UTF-8 lines on the console, whatever the system's code
// pages are, with the time since the demo began.
#pragma once

#include <cstdint>
#include <string>

// The system's ANSI text (the plug-in's and the stand-ins' texts) as UTF-8.
std::string AnsiToUtf8(const std::string& ansi);
std::string WideToUtf8(const std::wstring& wide);

// UTF-8 output from now on; the demo's clock starts.
void PrepareConsole();
// Writes a UTF-8 line.
void PrintLine(const std::string& utf8);

// "12.3": seconds from the start of the demo to time, on the logs' clock.
std::string Seconds(uint64_t time);
