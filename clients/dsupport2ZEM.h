// The client records, the clients' state and the client kinds in one
// include, for the code that still names this header; new code includes
// the header it needs.
#pragma once

#include "clients/ClientKinds.h"
#include "clients/ClientSlot.h"
#include "clients/ClientStatus.h"
#include "clients/ClientsState.h"
#include "clients/Wanted.h"
