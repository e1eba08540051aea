// The client kinds the plug-in serves, ZEM first: what tells a main window
// of each kind, and its driver. Filled at module start (InitClientKinds)
// and only read after that, by discovery on the worker.
#pragma once

#include <array>

#include "clients/ClientSlot.h"

// Set once at module start.
extern TClient ZemClient;
extern TClient RnqClient;
extern std::array<TClient, 2> ClientKinds;

// Fills the kind records and their table; part of the module start.
void InitClientKinds();
// The slot holds a ZEM: only a ZEM keeps a custom-status file and takes a
// picture at registration.
bool IsZemInstance(const TClient& instance);
