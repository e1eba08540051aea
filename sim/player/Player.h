// The stand-in player: what it holds while it runs, one player per process.
//
// Its log (--log) has one event per line after the time stamp:
//   PLAYLIST <count>            tracks read at start
//   PLAYLIST skipped <line>     a playlist line that was not understood
//   PLAYLIST failed             the playlist could not be read; the player ends
//   PLUGIN load <file> ok|failed
//   PLUGIN init <file> <result> a plug-in whose init gives not 0 is dropped
//   PLUGIN config <file>        also "PLUGIN config none" without plug-ins
//   PLUGIN quit <file>
//   UNINSTALL <file> <answer>   the command "uninstall": what the first
//                               plug-in's uninstall entry answered (also
//                               "UNINSTALL none", "UNINSTALL <file> unsupported")
//   RESTART                     the answer "at restart" is carried out
//   DELETED <file> ok|failed    the plug-in's file deleted after an uninstall
//   SUBCLASSED                  the command "subclass": another plug-in's
//                               procedure stands after the others
//   REQ <code> <wparam>         every WM_USER request answered, decimal
//   WM_COMMAND <id>             every player command handled
//   STATE playing|paused|stopped <position>
//                               on every change of play state or position
//   CMD <text>                  every command that arrived on the channel
//   MENU <count> <id>:<text>|...  answer to the command "menu"; a checked
//                               item has "+" before its id
//   SENT <msg> <wparam> <lparam> <result>  answer to the command "send"
//   MARK <text>                 the command "log <text>"
//   BAD <text>                  a command that was not understood
//   TOOK <ms> <msg> <wparam>    a message to the main thread that took 50 ms
//                               or more to handle, plug-ins included; one
//                               handled inside another is logged before it
//   EXIT                        the last line, once the plug-ins are freed
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "sim/common/Playlist.h"

enum class TPlayState { Stopped, Playing, Paused };

struct TPlayer {
    HWND Window = nullptr;
    HMENU Menu = nullptr;  // the main pop-up menu
    TPlaylist Playlist;
    size_t Position = 0;  // 0-based; stays 0 in an empty playlist
    TPlayState State = TPlayState::Stopped;
    std::string SettingsFolder;  // answered to IPC_GETINIDIRECTORY, no "\" at the end
    bool Unicode = true;         // a Unicode main window, as Winamp 5 has; ANSI as older players
};

extern TPlayer Player;
