// Module start, the plug-in's entry points and its presence in the player;
// all on the player's thread (the module start in the loader's).
#pragma once

#include <windows.h>

extern WNDPROC OldPlayerWndProc;  // null while the player window is not hooked

// Fills the module's tables; runs when the module is loaded, before the
// player asks for the record.
void ModuleInit();

int PluginInit();
void PluginConfig();
void PluginQuit();

// Installs or removes the hook, the menu item and the tray icon by Enable.
void ApplyEnabledState();
LRESULT CALLBACK PlayerWndHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// True when nothing but the player itself can call into the hook: it was
// never installed, or no other procedure subclassed the player's window
// after it. Once removed while another one stood after it, never again.
bool HookIsLastInChain();
