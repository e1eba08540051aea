// The stand-in ZEM client, one per process:
//   zem.exe --account <text> [--log <file>] [--lazy-dialog] [--show]
//
// Main window "TMainForm", titled "[zem] - <account>", with two panels: a
// toolbar and a status bar. A click near the right end of the status bar
// opens the status dialog, a double click on it switches the compact mode
// (toolbar hidden). The dialog "TCusForm" is a hidden top-level window
// holding, in creation order: the picture combo box (30 pictures, 0 none,
// 11 "Music"), the long-status edit, the caption edit, the panels "OK" and
// "Cancel". With --lazy-dialog its controls are made at the first opening.
// OK takes what the dialog shows as the status and closes the dialog;
// Cancel and the close command only close it.
//
// Every picture keeps its own caption and long text. The profile folder,
// folder of zem.exe + "Users\<account>\", holds them in "_st_cust.txt"
// and the chosen picture in "zem.ini"; both are read at start and written
// at a normal exit, into the folder of the account shown then.
//
// Log (--log), after the time stamp; commands in sim/common/ClientCommands.h:
//   PROFILE <folder>    at start, the folder the statuses were read from
//   STATUS <picture>|<caption>|<long text>
//                       the status taken: at start, by OK, by user-status;
//                       also the answer to the command "status"
//   CONTROLS            the dialog's controls were made
//   OPEN, HIDE          the dialog appeared on the screen, left it
//   DESTROY             the dialog was destroyed
//   COMPACT on|off      the compact mode changed
//   TITLE <account>     another account logged in
//   SAVE <folder> [failed]  the files written at exit
//   EXIT                the last line of a normal exit
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "sim/common/ClientStatus.h"

constexpr int PictureCount = 30;

struct TPictureTexts {
    std::string Caption;
    std::string LongText;
};

struct TZem {
    HWND Main = nullptr;
    HWND Toolbar = nullptr;
    HWND StatusBar = nullptr;
    HWND Dialog = nullptr;
    HWND Pictures = nullptr;
    HWND LongEdit = nullptr;
    HWND CaptionEdit = nullptr;
    HWND OkPanel = nullptr;
    HWND CancelPanel = nullptr;
    std::string Account;
    std::array<TPictureTexts, PictureCount> Records;
    int Picture = 0;
    bool LazyDialog = false;
    bool Compact = false;
};

extern TZem Zem;

const char* PictureName(int picture);
TClientStatus ZemStatus();
// The user confirmed picture with these texts: they become its record and
// the client's status.
void TakeStatus(int picture, const std::string& caption, const std::string& longText);
