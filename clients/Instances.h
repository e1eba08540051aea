// Finding the running client instances and giving each a slot.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "clients/dsupport2ZEM.h"

// Drops instances whose status window has gone, then registers every new
// client main window among the top-level windows. Always true.
bool RefreshInstances();
void RegisterWindow(uint32_t processId, HWND window);
void AddInstance(TClient& slot, uint32_t processId, HWND window);
// The executable of a process; empty when it cannot be read.
std::string GetProcessExePath(uint32_t processId);
bool IsZemInstance(const TClient& instance);
