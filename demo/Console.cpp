#include "demo/Console.h"

#include <windows.h>

#include <cstdio>

#include "sim/common/EventLog.h"

namespace {

uint64_t Start = 0;

std::wstring Widen(const std::string& text, UINT codePage)
{
    if (text.empty()) return std::wstring();
    const int size = static_cast<int>(text.size());
    std::wstring wide(MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, &wide[0], static_cast<int>(wide.size()));
    return wide;
}

}  // namespace

std::string WideToUtf8(const std::wstring& wide)
{
    if (wide.empty()) return std::string();
    const int size = static_cast<int>(wide.size());
    std::string utf8(
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, &utf8[0], static_cast<int>(utf8.size()),
                        nullptr, nullptr);
    return utf8;
}

std::string AnsiToUtf8(const std::string& ansi)
{
    return WideToUtf8(Widen(ansi, CP_ACP));
}

void PrepareConsole()
{
    // A console takes the bytes in its output code page; a pipe or a file
    // takes them as they are.
    SetConsoleOutputCP(CP_UTF8);
    Start = LogClock();
}

void PrintLine(const std::string& utf8)
{
    const std::string line = utf8 + "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line.data(), static_cast<DWORD>(line.size()),
              &written, nullptr);
}

std::string Seconds(uint64_t time)
{
    const uint64_t ms = time > Start ? time - Start : 0;
    char text[32] = {};
    std::snprintf(text, sizeof text, "%02u.%u", static_cast<unsigned>(ms / 1000),
                  static_cast<unsigned>(ms % 1000 / 100));
    return text;
}
