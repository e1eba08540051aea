// One client kind, or one served client instance (a slot), with the numbers
// of its controls. The clients' worker thread's, as every slot.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "clients/ClientStatus.h"
#include "util/WinUtil.h"

struct TClient;
using TOpenStatusWindow = bool (*)(TClient& instance);
using TApplyStatus = bool (*)(TClient& instance, const TStatus& status);

constexpr int ControlCount = 6;  // Controls are numbered 1 to 6
constexpr int SlotCount = 21;

// One client kind, or one served client instance (a slot; free while
// ProcessId is 0).
struct TClient {
    uint32_t ProcessId = 0;
    // Opened at registration: while it is held, the id is not given to
    // another process, and an ended client is told by it alone.
    std::shared_ptr<void> Process;
    std::string ProfileDir;
    std::string ClientName;
    TWindowEx MainWnd;
    TWindowEx StatusWnd;
    std::array<TWindowEx, ControlCount + 1> Controls;  // [0] unused
    int32_t SavedIndex = 0;
    std::array<TStatus, 2> Saved;
    TStatus Current;
    TOpenStatusWindow OpenStatusWindow = nullptr;
    TApplyStatus ApplyStatus = nullptr;
    // A write was not answered to its end: what the client shows is not
    // known until it is read again, and is then no change by the user.
    bool ShownUnknown = false;
    // Meanwhile, the status that write handed over: the client may have
    // taken it, and its file then holds it.
    TStatus Unconfirmed;
    // A write into the client was cut short (by a player that died, or a
    // control that did not answer): what its dialog shows may never have
    // been confirmed, so the next write is made and confirmed whatever the
    // dialog shows.
    bool Cut = false;
    // The client no longer holds this account: its process has ended, or
    // another account logged in. What is given back then goes into the
    // account's custom-status file; a client still running with the account
    // saves that file itself.
    bool AccountClosed = false;
    // Its last piece of work waited on the client: at a close it is given
    // back after the prompt ones.
    bool Slow = false;
    // What the last pass did with it.
    TClientUse Use = TClientUse::NotAnswering;
};

// Control numbers of a slot's Controls.
constexpr int OkButtonControl = 1;
constexpr int CaptionControl = 3;
constexpr int LongTextControl = 4;
constexpr int PictureControl = 5;
constexpr int OpenPanelControl = 6;

// Resets a record to the empty client.
void ClearSlot(TClient& instance);
// The status one saved last, the one to put back first.
const TStatus& LastSaved(const TClient& instance);
// What the client shows as a write into it begins: a write left unanswered
// may have been taken since.
const TStatus& ShownBefore(const TClient& instance);
// The status the controls show now; false when a control is gone or did not
// answer (a control never found reads as empty, a missing picture box, as
// an RnQ's, as picture 0).
bool ReadShownStatus(const TClient& instance, TStatus& status);
