// Finding the running client instances, giving each a slot, and one pass
// of work over them. Runs on the clients' worker thread only
// (clients/Worker.h), on Clients.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "clients/dsupport2ZEM.h"

// One pass: the slots whose status window is gone are released or take the
// window shown again, the new main windows are registered, and each slot is
// updated with Clients.Wanted, whole, one after another. Stops between two
// slots once the track is withdrawn. Clients.Found then lists every client
// the pass found, with what it did with each.
void ServeClients();
// A window that a slot holds under another title now is another account:
// that slot is given back, and the window registered anew. A new main
// window of a process whose slot lost its own takes that slot.
void RegisterWindow(uint32_t processId, HWND window);
// The executable of a process; empty when it cannot be read.
std::string GetProcessExePath(uint32_t processId);
bool IsZemInstance(const TClient& instance);
// Still the client the slot registered: its main window, in the same
// process, which still runs, under the same title (account).
bool IsSameClient(const TClient& instance);
// The same, or a client that did not answer when its title was asked for.
bool MayBeSameClient(const TClient& instance);
// Before a restore asks for the client: a slot whose client made its main
// window anew takes up the new one, of its own process and showing its own
// title; one whose status window is gone takes the one shown again, or,
// its client ended, has its statuses put into its file and is released.
void FollowClient(TClient& slot);
