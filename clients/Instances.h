// Finding the running client instances, giving each a slot, one pass of
// work over them, and giving them all back. Runs on the clients' worker
// thread only (clients/Worker.h), on GClients.
#pragma once

#include <windows.h>

#include <cstdint>

// One pass: the slots whose status window is gone are released or take the
// window shown again, the new main windows are registered, and each slot is
// updated with GClients.Wanted, whole, one after another. Stops between two
// slots once the track is withdrawn. GClients.Found then lists every client
// the pass found, with what it did with each.
void ServeClients();
// A window that a slot holds under another title now is another account:
// that slot is given back, and the window registered anew. A new main
// window of a process whose slot lost its own takes that slot.
void RegisterWindow(uint32_t processId, HWND window);
// Every slot is given back and emptied, the prompt clients first. Each
// client is followed first (a main window made anew, a status window shown
// again, or a client that ended). A client that is still the one
// registered and did not take its status back (its dialog on the user's
// screen, or no answer) keeps its slot and its entry, to be tried again;
// true when no slot is left.
bool RestoreAllSlots();
