#include "sim/common/ClientCommands.h"

#include <deque>

#include "sim/common/Channel.h"
#include "sim/common/EventLog.h"

namespace {

std::deque<std::string> Kept;

void Hang(int ms)
{
    LogEvent("HANG " + std::to_string(ms));
    Sleep(static_cast<DWORD>(ms));
    LogEvent("AWAKE");
}

// True when the command was understood and done.
bool RunCommand(HWND mainWindow, const TClientActions& actions, const std::string& command)
{
    const size_t blank = command.find(' ');
    const std::string name = command.substr(0, blank);
    const bool bare = blank == std::string::npos;
    const std::string argument = bare ? "" : command.substr(blank + 1);
    if (name == "log") {
        LogEvent("MARK " + argument);
        return true;
    }
    if (name == "title" && !bare) {
        actions.SetAccount(argument);
        return true;
    }
    if (name == "user-status") {
        TUserChoice choice;
        return ParseUserChoice(argument, actions.PictureCount, choice) &&
               actions.UserStatus(choice);
    }
    if (name == "hang") {
        int ms = 0;
        if (!ParseCount(argument, MaxHangMs, ms)) return false;
        Hang(ms);
        return true;
    }
    if (!bare) return false;
    if (name == "open-status") {
        actions.OpenStatus();
    } else if (name == "hide-status") {
        actions.HideStatus();
    } else if (name == "destroy-status") {
        actions.DestroyStatus();
    } else if (name == "status") {
        LogStatus(actions.Status());
    } else if (name == "quit") {
        SendMessageA(mainWindow, WM_CLOSE, 0, 0);
    } else if (name == "crash") {
        ExitProcess(CrashExitCode);
    } else {
        return false;
    }
    return true;
}

}  // namespace

bool ParseClientOptions(int argc, char** argv, bool needAccount, bool lazyDialog,
                        TClientOptions& options)
{
    bool account = false;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--show") {
            options.Show = true;
            continue;
        }
        if (name == "--lazy-dialog" && lazyDialog) {
            options.LazyDialog = true;
            continue;
        }
        if (i + 1 >= argc) return false;
        const char* value = argv[++i];
        if (name == "--account") {
            options.Account = value;
            account = true;
        } else if (name == "--log") {
            options.Log = value;
        } else {
            return false;
        }
    }
    return account || !needAccount;
}

bool KeepCommand(HWND mainWindow, WPARAM wParam, LPARAM lParam)
{
    std::string command;
    if (!ReadCommand(wParam, lParam, command)) return false;
    LogEvent("CMD " + command);
    Kept.push_back(command);
    PostMessageA(mainWindow, RunCommandMessage, 0, 0);
    return true;
}

void RunKeptCommand(HWND mainWindow, const TClientActions& actions)
{
    if (Kept.empty()) return;
    const std::string command = Kept.front();
    Kept.pop_front();
    if (!RunCommand(mainWindow, actions, command)) LogEvent("BAD " + command);
}
