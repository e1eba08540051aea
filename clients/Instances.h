// Finding the running client instances and giving each a slot.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "clients/dsupport2ZEM.h"
#include "util/WinUtil.h"

// Drops the instances whose process has ended with their status window
// gone (a running one takes a status window it shows again), then collects
// the client main windows among the top-level windows.
void RefreshInstances(TWindowsAr& found);
// Registers the windows found that no slot holds: only those whose threads
// answer promptly, or all.
void RegisterNewWindows(const TWindowsAr& found, bool promptOnly);
// A window that a slot holds under another title now is another account:
// that slot is given back, and the window registered anew.
void RegisterWindow(uint32_t processId, HWND window);
void AddInstance(TClient& slot, uint32_t processId, HWND window);
// The executable of a process; empty when it cannot be read.
std::string GetProcessExePath(uint32_t processId);
bool IsZemInstance(const TClient& instance);
