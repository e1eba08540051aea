// The record the player reads to know the plug-in, and writes its main
// window and the module's instance into before it calls init.
#pragma once

#include <windows.h>

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

// Filled at module start; the player writes its two fields on its thread,
// and only that thread reads them.
extern TPluginRecord PluginRecord;
