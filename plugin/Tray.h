// The plug-in's icon in the notification area and its tool-tip; the
// player's thread's.
#pragma once

#include <windows.h>

#include <string>

constexpr UINT TrayIconId = 1000;
constexpr UINT TrayCallbackMessage = 3732;

// The shell library's version as major * 100 + minor; the last answer is
// kept, 400 until one is had.
int ShellVersion();
// The notification record size the shell of that version understands.
DWORD TrayRecordSize(int shellVersion);
// Deletes the icon, and adds it again when Enable and SetTray are on.
void RefreshTrayIcon();
// Puts text into the tool-tip field, cut to what the record's size shows.
void SetTrayTip(const std::string& text);
