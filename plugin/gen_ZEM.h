// The plug-in record the player reads, the state record and the module's
// state, which lives from load to unload.
#pragma once

#include <windows.h>
// shellapi.h needs windows.h first
#include <shellapi.h>

#include <array>
#include <cstdint>
#include <string>

#include "clients/dsupport2ZEM.h"
#include "player/PluginRecord.h"
#include "settings/Settings.h"
#include "track/TrackValues.h"

// The whole running state; copying it is a plain copy of values. The
// player's thread owns the three instances; the clients' worker gets what
// it needs as a TWanted (clients/Worker.h).
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

extern WNDPROC OldPlayerWndProc;  // null while the player window is not hooked
extern int32_t UpdateBusy;        // above 0 while an update cycle runs
extern TPS CurrentState;
extern TPS DefaultState;
extern TPS DialogState;
