// The command line and the channel commands that both stand-in clients
// take. Commands are kept when they arrive and run from a message the
// client posts itself, so the sender is answered at once.
//
//   user-status <picture>[|<caption>[|<long text>]]
//                   the user picks the picture in the status window (and
//                   types the texts given) and confirms; the window stays
//                   on or off the screen as it was, unless confirming
//                   closes it
//   open-status     the status window appears on screen
//   hide-status     the status window goes off the screen
//   destroy-status  the status window is destroyed; opening makes it anew
//   title <account> another account logs in: the main window title changes
//   recreate-main   the main window is destroyed and made anew, as the
//                   client's framework does when a window style changes
//                   (ZEM only); RECREATE is logged once the new one stands
//   status          logs the current status as a STATUS line
//   hang <ms>       the user-interface thread sleeps (at most MaxHangMs)
//   quit            the user closes the client: files written, EXIT logged
//   crash           the process ends at once and writes nothing
//   die-on <message>
//                   the process ends as by "crash" when a message of that
//                   number (decimal) next arrives from another thread, to
//                   any of its windows, before it is handled
//   destroy-status-on <message>
//                   the status window is destroyed as by "destroy-status"
//                   right after such a message has been handled and
//                   answered
//   title-on <message> <account>
//                   another account logs in as by "title" right after such
//                   a message has been handled and answered
//   hang-on <message> <ms>
//                   the thread sleeps as by "hang" when such a message
//                   arrives, before it is handled (and answered)
//                   Each of the four waits for one message only; a later
//                   one replaces it. Nothing else the client answers changes.
//   slow <ms>       from now on every message from another thread (but the
//                   channel's own WM_COPYDATA) waits that long (at most
//                   MaxHangMs) before it is handled and answered; 0 ends it.
//                   Independent of the four above.
//   kill-player-at <k> <process id>
//                   a probe of the crash test: from now on the messages
//                   from another thread (but the channel's own WM_COPYDATA)
//                   are counted; when the k-th (k at most MaxKillCount)
//                   arrives, before it is handled, the process of that id
//                   is ended (TerminateProcess) and waited for (at most
//                   KillWaitMs), KILL is logged and the count ends; then
//                   the message is handled as usual: its sender is gone,
//                   what it sent is still the client's. Each such command
//                   first ends the count before it, logging COUNTED; k 0
//                   does only that. Independent of the four traps and of
//                   "slow".
//   log <text>      a marker line
//
// Log lines of this part, after the time stamp:
//   CMD <text>      every command that arrived
//   MARK <text>     the command "log"
//   HANG <ms>       the thread stops answering now...
//   AWAKE           ...and answers again
//   DIE <message>   the message of "die-on" arrived: the process ends now
//   KILL <k> <message> [failed]
//                   the k-th message counted arrived, of that number
//                   (decimal): the process was ended ("failed": it could
//                   not be opened, ended or was still running)
//   COUNTED <n>     the count before a kill-player-at saw n messages (k
//                   where it killed, 0 where there was none)
//   BAD <text>      a command that was not understood
#pragma once

#include <windows.h>

#include <string>

#include "sim/common/ClientStatus.h"
#include "sim/common/CommandQueue.h"

constexpr int MaxHangMs = 60000;
constexpr int MaxMessageNumber = 0xFFFF;
constexpr UINT CrashExitCode = 9;
constexpr int MaxKillCount = 1000000;
constexpr DWORD KillWaitMs = 5000;

struct TClientOptions {
    std::string Account;
    std::string Log;
    bool LazyDialog = false;
    bool Show = false;
};

// --account <text>, --log <file>, --show and, where lazyDialog allows it,
// --lazy-dialog; false for anything else or a missing needed account.
bool ParseClientOptions(int argc, char** argv, bool needAccount, bool lazyDialog,
                        TClientOptions& options);

// What a command does in the client.
struct TClientActions {
    int PictureCount;
    bool (*UserStatus)(const TUserChoice& choice);  // false when it could not be done
    void (*OpenStatus)();
    void (*HideStatus)();
    void (*DestroyStatus)();
    void (*SetAccount)(const std::string& account);
    TClientStatus (*Status)();
    void (*RecreateMain)();  // null where the client cannot
};

// For RunCommandMessage: runs the oldest command kept (KeepCommand of
// sim/common/CommandQueue.h took it from WM_COPYDATA). "quit" sends
// WM_CLOSE to the main window, as the user closing it.
void RunKeptCommand(HWND mainWindow, const TClientActions& actions);

// What both clients' main windows do alike: they take commands and run them
// and end the message loop once destroyed; other messages go to
// DefWindowProcA.
LRESULT HandleMainWindowMessage(HWND mainWindow, UINT message, WPARAM wParam, LPARAM lParam,
                                const TClientActions& actions);
