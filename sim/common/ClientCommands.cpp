#include "sim/common/ClientCommands.h"

#include <climits>

#include "sim/common/EventLog.h"

namespace {

// The message a client waits for to end, to hang or to lose its status
// window; the thread's hooks see what other threads send before and after
// the window procedure does.
struct TTrap {
    UINT Message = 0;
    HHOOK Hook = nullptr;
    int HangMs = 0;  // 0: the process ends
    void (*DestroyStatus)() = nullptr;
    // Set: the account logs in instead of the status window being destroyed.
    void (*SetAccount)(const std::string& account) = nullptr;
    std::string Account;
};
TTrap Trap;

void Hang(int ms)
{
    LogEvent("HANG " + std::to_string(ms));
    Sleep(static_cast<DWORD>(ms));
    LogEvent("AWAKE");
}

void Disarm()
{
    if (Trap.Hook) UnhookWindowsHookEx(Trap.Hook);
    Trap = TTrap{};
}

// wParam of both hooks is 0 for a message from another thread.
bool Springs(int code, WPARAM fromThisThread, UINT message)
{
    return code == HC_ACTION && fromThisThread == 0 && Trap.Hook && message == Trap.Message;
}

LRESULT CALLBACK BeforeMessage(int code, WPARAM wParam, LPARAM lParam)
{
    const UINT message = reinterpret_cast<const CWPSTRUCT*>(lParam)->message;
    if (Springs(code, wParam, message)) {
        const int hangMs = Trap.HangMs;
        Disarm();
        try {
            if (hangMs > 0) {
                Hang(hangMs);
            } else {
                LogEvent("DIE " + std::to_string(message));
            }
        } catch (...) {
        }
        if (hangMs == 0) ExitProcess(CrashExitCode);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK AfterMessage(int code, WPARAM wParam, LPARAM lParam)
{
    if (Springs(code, wParam, reinterpret_cast<const CWPRETSTRUCT*>(lParam)->message)) {
        const TTrap sprung = Trap;
        Disarm();
        try {
            if (sprung.SetAccount)
                sprung.SetAccount(sprung.Account);
            else
                sprung.DestroyStatus();
        } catch (...) {
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool Arm(const std::string& argument, int hookType, HOOKPROC procedure,
         const TClientActions& actions, int hangMs = 0)
{
    int message = 0;
    if (!ParseCount(argument, MaxMessageNumber, message)) return false;
    Disarm();
    Trap.Hook = SetWindowsHookExA(hookType, procedure, nullptr, GetCurrentThreadId());
    Trap.Message = static_cast<UINT>(message);
    Trap.HangMs = hangMs;
    Trap.DestroyStatus = actions.DestroyStatus;
    return Trap.Hook != nullptr;
}

// The delay of "slow", with the hook that waits it out.
struct TSlowness {
    HHOOK Hook = nullptr;
    DWORD Ms = 0;
};
TSlowness Slowness;

// The channel's commands are the test's, not the plug-in's: they go on at
// their own pace.
LRESULT CALLBACK DelayMessage(int code, WPARAM fromThisThread, LPARAM lParam)
{
    const UINT message = reinterpret_cast<const CWPSTRUCT*>(lParam)->message;
    if (code == HC_ACTION && fromThisThread == 0 && message != WM_COPYDATA) Sleep(Slowness.Ms);
    return CallNextHookEx(nullptr, code, fromThisThread, lParam);
}

bool SetSlowness(const std::string& argument)
{
    int ms = 0;
    if (!ParseCount(argument, MaxHangMs, ms)) return false;
    if (Slowness.Hook) UnhookWindowsHookEx(Slowness.Hook);
    Slowness = TSlowness{};
    if (ms == 0) return true;
    Slowness.Ms = static_cast<DWORD>(ms);
    Slowness.Hook = SetWindowsHookExA(WH_CALLWNDPROC, DelayMessage, nullptr, GetCurrentThreadId());
    return Slowness.Hook != nullptr;
}

// The count of "kill-player-at", with the hook that counts.
struct TKillCount {
    HHOOK Hook = nullptr;
    int At = 0;
    int Counted = 0;
    DWORD ProcessId = 0;
};
TKillCount KillCount;

void StopCounting()
{
    if (KillCount.Hook) UnhookWindowsHookEx(KillCount.Hook);
    KillCount.Hook = nullptr;
}

// True once the process of that id has ended by this call.
bool EndProcess(DWORD processId)
{
    const HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
    if (!process) return false;
    const bool ended = TerminateProcess(process, CrashExitCode) &&
                       WaitForSingleObject(process, KillWaitMs) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

// The sender is ended while it waits for the answer; the message itself goes
// on to the window, as a real client would handle it. The channel's commands
// are the test's, not the sender's: they are not counted.
LRESULT CALLBACK CountMessage(int code, WPARAM fromThisThread, LPARAM lParam)
{
    const UINT message = reinterpret_cast<const CWPSTRUCT*>(lParam)->message;
    if (code == HC_ACTION && fromThisThread == 0 && message != WM_COPYDATA && KillCount.Hook &&
        ++KillCount.Counted == KillCount.At) {
        StopCounting();
        const bool ended = EndProcess(KillCount.ProcessId);
        try {
            LogEvent("KILL " + std::to_string(KillCount.At) + " " + std::to_string(message) +
                     (ended ? "" : " failed"));
        } catch (...) {
        }
    }
    return CallNextHookEx(nullptr, code, fromThisThread, lParam);
}

// "<k> <process id>"
bool CountToKill(const std::string& argument)
{
    const TCommandWords words = SplitCommand(argument);
    int at = 0;
    int processId = 0;
    if (words.Bare || !ParseCount(words.Name, MaxKillCount, at) ||
        !ParseCount(words.Argument, INT_MAX, processId))
        return false;
    StopCounting();
    LogEvent("COUNTED " + std::to_string(KillCount.Counted));
    KillCount = TKillCount{};
    if (at == 0) return true;
    KillCount.At = at;
    KillCount.ProcessId = static_cast<DWORD>(processId);
    KillCount.Hook = SetWindowsHookExA(WH_CALLWNDPROC, CountMessage, nullptr, GetCurrentThreadId());
    return KillCount.Hook != nullptr;
}

// "<message> <account>"
bool ArmAccount(const std::string& argument, const TClientActions& actions)
{
    const TCommandWords words = SplitCommand(argument);
    if (words.Bare || words.Argument.empty() ||
        !Arm(words.Name, WH_CALLWNDPROCRET, AfterMessage, actions))
        return false;
    Trap.SetAccount = actions.SetAccount;
    Trap.Account = words.Argument;
    return true;
}

// "<message> <ms>"
bool ArmHang(const std::string& argument, const TClientActions& actions)
{
    const TCommandWords words = SplitCommand(argument);
    int ms = 0;
    return !words.Bare && ParseCount(words.Argument, MaxHangMs, ms) && ms > 0 &&
           Arm(words.Name, WH_CALLWNDPROC, BeforeMessage, actions, ms);
}

// True when the command was understood and done.
bool RunCommand(HWND mainWindow, const TClientActions& actions, const std::string& command)
{
    const TCommandWords words = SplitCommand(command);
    const std::string& name = words.Name;
    const std::string& argument = words.Argument;
    if (name == "log") {
        LogEvent("MARK " + argument);
        return true;
    }
    if (name == "title" && !words.Bare) {
        actions.SetAccount(argument);
        return true;
    }
    if (name == "user-status") {
        TUserChoice choice;
        return ParseUserChoice(argument, actions.PictureCount, choice) &&
               actions.UserStatus(choice);
    }
    if (name == "die-on") return Arm(argument, WH_CALLWNDPROC, BeforeMessage, actions);
    if (name == "hang-on") return ArmHang(argument, actions);
    if (name == "destroy-status-on") return Arm(argument, WH_CALLWNDPROCRET, AfterMessage, actions);
    if (name == "title-on") return ArmAccount(argument, actions);
    if (name == "slow") return SetSlowness(argument);
    if (name == "kill-player-at") return CountToKill(argument);
    if (name == "hang") {
        int ms = 0;
        if (!ParseCount(argument, MaxHangMs, ms)) return false;
        Hang(ms);
        return true;
    }
    if (!words.Bare) return false;
    if (name == "open-status") {
        actions.OpenStatus();
    } else if (name == "hide-status") {
        actions.HideStatus();
    } else if (name == "destroy-status") {
        actions.DestroyStatus();
    } else if (name == "recreate-main" && actions.RecreateMain) {
        actions.RecreateMain();
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

void RunKeptCommand(HWND mainWindow, const TClientActions& actions)
{
    std::string command;
    if (TakeKeptCommand(command) && !RunCommand(mainWindow, actions, command)) {
        LogEvent("BAD " + command);
    }
}

LRESULT HandleMainWindowMessage(HWND mainWindow, UINT message, WPARAM wParam, LPARAM lParam,
                                const TClientActions& actions)
{
    switch (message) {
        case WM_COPYDATA:
            return KeepCommand(mainWindow, wParam, lParam) ? TRUE : FALSE;
        case RunCommandMessage:
            RunKeptCommand(mainWindow, actions);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcA(mainWindow, message, wParam, lParam);
}
