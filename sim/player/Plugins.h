// The general-purpose plug-ins: every "gen_*.dll" of the plug-in folder,
// loaded and started as the player does it.
#pragma once

#include <windows.h>

#include <string>

// In name order: load, ask for the record, write the main window and the
// module into it, call init. A plug-in whose init fails is dropped, and the
// file named removed is left out.
void LoadPlugins(const std::string& folder, HWND window, const std::string& removed = "");
// The config entry of the first plug-in; it may run a modal dialog.
void ConfigFirstPlugin();
// Quit of every plug-in in load order, while the main window still exists.
void QuitPlugins();
// Unloads them, once the message loop has ended.
void FreePlugins();
// The "Uninstall" button of the first plug-in: its uninstall entry is
// called; answered "now", the plug-in is quit, unloaded and its file
// deleted; answered "at restart", every plug-in is quit and unloaded as at a
// close, the file deleted and the other plug-ins loaded again, as the
// restarted player would.
void UninstallFirstPlugin(HWND window);
// As another plug-in that subclasses the main window after the first ones.
void SubclassAsAnotherPlugin(HWND window);
