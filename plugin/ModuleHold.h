// What keeps the module loaded while code of it may still run on the
// player's thread: the player's own hold, and each window of the plug-in
// (the configuration dialog, the clients window, the tray menu).
#pragma once

#include <windows.h>

// A window of the plug-in, from its opening to its last frame.
struct TOwnWindow {
    HMODULE Module = nullptr;
    TOwnWindow();
    ~TOwnWindow();
    TOwnWindow(const TOwnWindow&) = delete;
    TOwnWindow& operator=(const TOwnWindow&) = delete;
};

// A window of the plug-in runs its loop on the player's thread.
bool PluginWindowOpen();
// The player holds the module: its init ran, and no quit of the player's
// own came after it (the dialog's own quit is not the player's).
bool PlayerHoldsModule();
void SetPlayerHoldsModule(bool holds);
