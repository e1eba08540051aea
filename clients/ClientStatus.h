// A client's status, and what the plug-in did with each client it found:
// plain values that the drivers, the worker and the clients window share.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "track/Status.h"

// The same picture and texts, case included; the tool-tip is not compared.
bool SameStatus(const TStatus& a, const TStatus& b);

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

// What the worker's last pass found. The worker puts it into the hand-over
// at the end of each pass; the player's thread takes a copy, and no client
// is asked for it. While a restore that gives statuses back is asked for or
// under way, the clients that showed the track are listed as being given
// their own back.
struct TClientsReport {
    bool Made = false;  // false until a pass has run
    SYSTEMTIME Time{};  // local time at the end of that pass
    std::vector<TClientLine> Lines;
};
