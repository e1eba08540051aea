// The plug-in's state record: the settings' values and captions with what
// the running plug-in keeps beside them.
#pragma once

#include <windows.h>
// shellapi.h needs windows.h first
#include <shellapi.h>

#include <string>

#include "settings/Settings.h"
#include "track/Status.h"
#include "track/TrackValues.h"

// The whole running state; copying it is a plain copy of values. The
// player's thread owns its instances (plugin/UpdateCycle.h); the clients'
// worker gets what it needs as a TWanted (clients/Worker.h).
struct TPS {
    TDlgControlsAr Captions;
    TDlgControlsAr Values;
    TPlayStateTexts PlayStateTexts;
    UINT_PTR TimerId = 0;
    NOTIFYICONDATAA TrayData{};
    TStatus CurStatus;
    bool PlayerActive = false;
    bool TrackLeftAlone = false;  // and so PlayerActive is false
    // The last cycle's track, kept as it was handed on.
    TTokenValues TokenValues;
    std::string TrackFile;  // the full name the player reports for its entry
};

void CopyState(const TPS& source, TPS& target);
// The default values and captions, written into a state record.
void FillDefaultSettings(TPS& state);
