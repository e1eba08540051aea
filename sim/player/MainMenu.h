// The player's main pop-up menu, which plug-ins may add items to.
#pragma once

#include <windows.h>

#include <string>

struct TMenu {
    HMENU Handle = nullptr;

    explicit TMenu(HMENU handle) : Handle(handle) {}
    ~TMenu()
    {
        if (Handle) DestroyMenu(Handle);
    }
    TMenu(const TMenu&) = delete;
    TMenu& operator=(const TMenu&) = delete;
};

// Play, Pause, Stop, Previous, Next, a separator and Exit, with the
// player's command identifiers.
HMENU CreateMainMenu();

// "<count> <id>:<text>|<id>:<text>|...", a separator as "0:".
std::string DescribeMenu(HMENU menu);
