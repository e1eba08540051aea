// The stand-in RnQ client, one per process:
//   rnq.exe [--account <text>] [--log <file>] [--show]
//
// Main window "TRnQmain", titled "R&Q <account>", painting the current
// status. The status window "TxStatusForm" is a hidden top-level window:
// a grid of 35 pictures (7 columns of cells 30 x 25 from x 5, y 37 of its
// client area), then the caption "TEdit" and the long-status "TMemo". A
// click on a cell selects that picture; the Enter key sent to the window
// takes the selected picture and both texts as the status and closes the
// window; the close command only closes it.
//
// The status is kept in "rnq.ini" in the folder named for the account
// ("default" without one) beside rnq.exe, read at start and written at a
// normal exit into the folder of the account shown then.
//
// Log (--log), after the time stamp; commands in sim/common/ClientCommands.h:
//   PROFILE <folder>    at start, the folder the status was read from
//   STATUS <picture>|<caption>|<long text>
//                       the status taken: at start, by Enter, by
//                       user-status; also the answer to the command "status"
//   PICK <picture>      a cell was clicked
//   OPEN, HIDE          the status window appeared on the screen, left it
//   DESTROY             the status window was destroyed
//   TITLE <account>     another account logged in
//   SAVE <folder> [failed]  the file written at exit
//   EXIT                the last line of a normal exit
#pragma once

#include <windows.h>

#include <string>

#include "sim/common/ClientStatus.h"

constexpr int PictureCount = 35;

struct TRnq {
    HWND Main = nullptr;
    HWND StatusForm = nullptr;
    HWND CaptionEdit = nullptr;
    HWND Memo = nullptr;
    std::string Account;
    TClientStatus Status;
    int Selected = 0;  // the picture selected in the status window
};

extern TRnq Rnq;

TClientStatus RnqStatus();
// Shows the status taken last on the main window.
void RefreshMainWindow();
