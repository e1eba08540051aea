// The player's "Uninstall" button for the plug-in: the clients get their own
// statuses back and the installed files beside the DLL go, before the
// player deletes the DLL itself.
#pragma once

#include <windows.h>

// What the entry answers: the player then calls quit, unloads the module
// and deletes its file at once, or restarts and deletes it on its way up.
constexpr int UninstallAtRestart = 0;
constexpr int UninstallNow = 1;

// The installer's files beside the DLL; the settings files stay.
constexpr const char* UninstallerName = "gen_ZEM-uninstall.exe";
constexpr const char* UninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\gen_ZEM";

int PluginUninstall(HINSTANCE module);
