// The slots' statuses kept in the journal beside the settings file the
// plug-in writes: a player that dies while the clients show the track no
// longer takes the track for the users' own statuses at its next start.
// The clients' worker thread's; the file is Clients.Wanted.JournalPath.
#pragma once

#include <string>

#include "clients/dsupport2ZEM.h"

// "gen_ZEM.dll.ini" has the journal "gen_ZEM.dll.journal" beside it.
std::string JournalPathFor(const std::string& settingsFile);

// Keeps the slot's entry while the plug-in holds statuses to give back to
// it, and drops it once it holds none; the file is written only when an
// entry changed.
void JournalSlot(const TClient& slot);
// Before a status is written into the client: a player killed meanwhile
// leaves no status in a client that the journal does not know.
void JournalAhead(const TClient& slot, const TStatus& toShow);
// The slot's statuses have been given back: its entry goes.
void ForgetJournalEntry(const TClient& slot);
// A slot just registered whose client shows exactly what the plug-in last
// wrote into it takes its saved statuses from the journal; true then.
bool RecallJournalEntry(TClient& slot);
