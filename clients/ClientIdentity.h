// Whether a slot still holds the client it registered: the process, its
// main window and the account in that window's title. The clients' worker
// thread's.
#pragma once

#include <windows.h>

#include <cstdint>

#include "clients/ClientSlot.h"

// The process of a window; 0 for a window that is gone.
uint32_t WindowProcess(HWND window);
// The slot's process still runs.
bool IsRunning(const TClient& slot);
// Still the client the slot registered: its main window, in the same
// process, which still runs, under the same title (account).
bool IsSameClient(const TClient& instance);
// The same, or a client that did not answer when its title was asked for.
bool MayBeSameClient(const TClient& instance);
