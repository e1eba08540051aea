// Records shared by the client drivers: one window, one status, one client
// kind or served instance.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "settings/Settings.h"
#include "util/WinUtil.h"

// A client status; -1 as picture means none chosen.
struct TStatus {
    int32_t PictureIndex = 0;
    std::string Caption;
    std::string LongText;
    std::string TrayTip;  // only the plug-in's own status uses it
};

// What the plug-in does with a client, and why, as its last pass found (or,
// for the last, as a restore asked for since).
enum class TClientUse : uint8_t {
    ShowsTrack,
    OwnStopped,         // its own status: the player is stopped
    OwnSwitchedOff,     // its own status: the quick switch is off
    OwnTrackLeftAlone,  // its own status: the track is one left alone
    NoPicture,          // left alone: the condition wants a status picture
    NotMusicPicture,    // left alone: "Music only", and another picture
    NotPluginCaption,   // left alone: the condition wants the plug-in's caption
    NotInTitleFilter,   // left alone: the title filter does not take it
    NotAnswering,
    StatusWindowClosed,
    StatusWindowOpen,  // left alone: the user has it open on screen
    NothingToChange,   // served, with picture, caption and long status all off
    OwnBeingGivenBack,
};

// One client found by the last pass, as the clients window lists it.
struct TClientLine {
    std::string Kind;     // "ZEM" or "RnQ"
    std::string Account;  // from the title, bounded
    TClientUse Use = TClientUse::NotAnswering;
};

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

// What the clients should show, as values: the player's thread makes it,
// the worker takes it over whole.
struct TWanted {
    TDlgControlsAr Values;  // the settings
    TStatus Status;         // made from the templates; the picture's number
    bool PlayerActive = false;
    // Inactive because the track is one left alone: the clients window
    // says so.
    bool TrackLeftAlone = false;
    std::string JournalPath;
};

// Everything that talks to clients works on this. Owned by the clients'
// worker thread while one runs (clients/Worker.h), else by the thread that
// calls in (the module's start, tests).
struct TClientsState {
    TWanted Wanted;
    std::array<TClient, SlotCount> Slots;
    // The slots as the last pass left them: the captions' reset is for the
    // clients served until the plug-in went away for its dialog.
    std::array<TClient, SlotCount> Served;
    // The account a main window showed before another logged in, kept until
    // the new account is registered.
    std::array<TClient, SlotCount> Predecessors;
    int32_t RestoreDepth = 0;  // above 0 while statuses are put back
    // The user chose another picture in a client: SetPicture goes off.
    bool PictureChosen = false;
    // Every client the pass found: the slots and the windows it did not
    // take up.
    std::vector<TClientLine> Found;
};
extern TClientsState Clients;

// The settings as the worker was handed them.
bool WantedOn(int id);
std::string WantedText(int id);
// The user chose another picture in a client: SetPicture goes off here, and
// in the running settings once the player's thread learns of it.
void SwitchSetPictureOff();

// The client kinds, ZEM first; discovery reads ClientKinds.
extern TClient ZemClient;
extern TClient RnqClient;
extern std::array<TClient, 2> ClientKinds;

// Resets a record to the empty client.
void ClearSlot(TClient& instance);
// The same picture and texts, case included; the tool-tip is not compared.
bool SameStatus(const TStatus& a, const TStatus& b);
// The status one saved last, the one to put back first.
const TStatus& LastSaved(const TClient& instance);
// What the client shows as a write into it begins: a write left unanswered
// may have been taken since.
const TStatus& ShownBefore(const TClient& instance);

// Control numbers of a slot's Controls.
constexpr int OkButtonControl = 1;
constexpr int CaptionControl = 3;
constexpr int LongTextControl = 4;
constexpr int PictureControl = 5;
constexpr int OpenPanelControl = 6;

// What a client's caption must equal for the IfStatus condition: the
// caption the cycle made from the Status template, so that a client is
// changed while it shows the plug-in's own caption (also when it is put
// back). A driver that expands or cuts captions does the same to it.
std::string IfStatusReference();

// Fills the kind records and their table; part of the module start.
void InitClientKinds();
