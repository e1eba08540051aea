// The command channel from the tests and the demo to a stand-in: a text in
// a WM_COPYDATA message to the stand-in's main window. Nothing in the
// plug-in talks this way, so the channel cannot leak into its behaviour.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

constexpr ULONG_PTR CommandTag = 0x5A454D43;  // "ZEMC"
constexpr size_t MaxCommandBytes = 64 * 1024;
constexpr UINT CommandTimeoutMs = 5000;

// True when the window took the command; gives up on a window that does not
// answer within a few seconds.
bool SendCommand(HWND window, const std::string& command);

// For the receiving window procedure's WM_COPYDATA: false for a message
// that is not a command or is longer than MaxCommandBytes.
bool ReadCommand(WPARAM wParam, LPARAM lParam, std::string& command);
