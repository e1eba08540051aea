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
#include "settings/Settings.h"

// The description the player lists; also the menu item's text and the
// settings file's section name.
constexpr const char* PluginName = "ZER ozavod irozav";
constexpr int PluginVersion = 0x10;

// The player's general-purpose plug-in header. The player writes the last two
// fields before it calls init.
struct TPluginRecord {
    int version;
    const char* description;
    int (*init)();
    void (*config)();
    void (*quit)();
    HWND hwndParent;
    HINSTANCE hDllInstance;
};
#if !defined(_WIN64)
static_assert(sizeof(TPluginRecord) == 7 * 4, "the player reads seven 32-bit fields");
#endif

constexpr int PlayStateCount = 3;  // playing, paused, stopped
constexpr int TokenCount = 18;     // one value per template token

// The whole running state; copying it is a plain copy of values. The
// player's thread owns the three instances; the clients' worker gets what
// it needs as a TWanted (clients/Worker.h).
struct TPS {
    TDlgControlsAr Captions;
    TDlgControlsAr Values;
    std::array<std::string, PlayStateCount> PlayStateTexts;
    UINT_PTR TimerId = 0;
    NOTIFYICONDATAA TrayData{};
    TStatus CurStatus;
    bool PlayerActive = false;
    bool TrackLeftAlone = false;  // and so PlayerActive is false
    std::array<std::string, TokenCount> TokenValues;
    std::string TrackFile;  // the full name the player reports for its entry
};

extern TPluginRecord PluginRecord;
extern WNDPROC OldPlayerWndProc;  // null while the player window is not hooked
extern int32_t UpdateBusy;        // above 0 while an update cycle runs
extern TPS CurrentState;
extern TPS DefaultState;
extern TPS DialogState;
