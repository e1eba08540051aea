// The slots' statuses kept in the journal beside the settings file the
// plug-in writes: a player that dies while the clients show the track no
// longer takes the track for the users' own statuses at its next start.
// The clients' worker thread's; the file is GClients.Wanted.JournalPath.
#pragma once

#include <string>

#include "clients/ClientSlot.h"
#include "clients/JournalFile.h"

// "gen_ZEM.dll.ini" has the journal "gen_ZEM.dll.journal" beside it.
std::string JournalPathFor(const std::string& settingsFile);

// Keeps the slot's entry while the plug-in holds statuses to give back to
// it, and drops it once it holds none; the file is written only when an
// entry changed. After a write that was cut or not read back, the entry
// stays as it was written ahead.
void JournalSlot(const TClient& slot);
// Before the first message of any write into the client: a player killed
// meanwhile leaves the client's way back known, with what it showed before
// and what the write is to leave.
void JournalAhead(const TClient& slot, const TStatus& shown, const TStatus& toLeave);
// The slot's statuses have been given back: its entry goes.
void ForgetJournalEntry(const TClient& slot);
// A dialog that a cut write left: each of its fields is the same field of
// one of the entry's statuses or of the empty status, in any mix.
bool LeftByCutWrite(const TJournalEntry& entry, const TStatus& shown);
// A slot just registered whose client shows exactly what the plug-in last
// wrote into it, or what a cut write left, takes its saved statuses from
// the journal; true then, and the slot is marked Cut for a cut write.
bool RecallJournalEntry(TClient& slot);
