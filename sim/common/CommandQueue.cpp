#include "sim/common/CommandQueue.h"

#include <deque>

#include "sim/common/Channel.h"
#include "sim/common/EventLog.h"

namespace {

std::deque<std::string> Kept;

}  // namespace

bool KeepCommand(HWND mainWindow, WPARAM wParam, LPARAM lParam)
{
    std::string command;
    if (!ReadCommand(wParam, lParam, command)) return false;
    LogEvent("CMD " + command);
    Kept.push_back(command);
    PostMessageA(mainWindow, RunCommandMessage, 0, 0);
    return true;
}

bool TakeKeptCommand(std::string& command)
{
    if (Kept.empty()) return false;
    command = Kept.front();
    Kept.pop_front();
    return true;
}

TCommandWords SplitCommand(const std::string& command)
{
    const size_t blank = command.find(' ');
    const bool bare = blank == std::string::npos;
    return TCommandWords{command.substr(0, blank), bare ? "" : command.substr(blank + 1), bare};
}
