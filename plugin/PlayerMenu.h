// The plug-in's items in the player's main menu and the tray icon's menu,
// on the player's thread.
#pragma once

#include <windows.h>

constexpr UINT ConfigMenuItemId = 2005;
// The quick switch in the player's menu, checked while tracks are announced.
constexpr UINT QuickSwitchMenuItemId = 2006;
// The clients window, in the tray icon's menu only.
constexpr UINT ClientsMenuItemId = 2007;
constexpr UINT MenuEnd = static_cast<UINT>(-1);

// The player's main menu; null when it names none.
HMENU PlayerMenu();
void InsertQuickSwitch(HMENU menu, UINT position);
// Off, the clients get their own statuses back as on stop; on, the track.
// Either way at once, not after the delay.
void ToggleQuickSwitch(HWND player);
// The tray icon's menu is the player's, with the quick switch and the
// clients window on top for as long as it shows. Both are taken out again:
// the player may quit the plug-in inside the menu's loop, so the quick
// switch goes back to the player's menu (returned; null when the player
// names none) only from a caller that knows the hook still stands.
HMENU ShowTrayMenu(HWND player);
