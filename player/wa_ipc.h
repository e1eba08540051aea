// What the plug-in asks the player: requests are WM_USER messages to the
// player's main window with the request code in lParam.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

constexpr int IPC_ISPLAYING = 104;  // 1 playing, 3 paused, else stopped
constexpr int IPC_GETLISTPOS = 125;
// wParam 0 sample rate in kHz (44 for 44.1 kHz), 1 bit rate, 2 channels, 5 sample rate in Hz
constexpr int IPC_GETINFO = 126;
constexpr int IPC_GETPLAYLISTFILE = 211;
constexpr int IPC_GETPLAYLISTTITLE = 212;
constexpr int IPC_GET_HMENU = 281;
constexpr int IPC_GET_EXTENDED_FILE_INFO = 290;
constexpr int IPC_GET_BASIC_FILE_INFO = 291;
constexpr int IPC_GETINIDIRECTORY = 335;  // the folder of the player's own settings
constexpr int IPC_GET_NEXT_PLITEM = 636;
constexpr int IPC_PLAYING_FILE = 3003;  // the player starts a file

// The player's playback commands (WM_COMMAND).
constexpr int PlayerPrevious = 40044;
constexpr int PlayerPlay = 40045;
constexpr int PlayerPause = 40046;
constexpr int PlayerStop = 40047;
constexpr int PlayerNext = 40048;

// IPC_GET_EXTENDED_FILE_INFO: the tag named by metadata, written into ret.
struct extendedFileInfoStruct {
    const char* filename;
    const char* metadata;
    char* ret;
    size_t retlen;
};

// IPC_GET_BASIC_FILE_INFO: the player fills length (seconds, negative when
// unknown) and, when asked, the title.
struct basicFileInfoStruct {
    const char* filename;
    int quickCheck;
    int length;
    char* title;
    int titlelen;
};

// A request to the player's main window; the plug-in runs in the player's
// process, so the answer comes before this returns.
LRESULT SendToPlayer(int code, WPARAM wParam = 0);
// A text the player answered with, copied at once; no more than limit bytes
// are read, for a player that hands out a text without its terminator.
std::string PlayerText(LRESULT answer, size_t limit);
