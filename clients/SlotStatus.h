// Handing a status to one client slot, putting saved statuses back, and the
// ZEM custom-status file. The clients' worker thread's, on Clients.
#pragma once

#include "clients/dsupport2ZEM.h"

constexpr const char* CustomStatusFile = "_st_cust.txt";
constexpr const char* CustomStatusBackup = "_st_cust.txt.2ZEM";
constexpr const char* CustomStatusMarker = "#custom_status_descr#";

bool ApplySlotStatus(TClient& slot, const TStatus& status);
// Puts the saved statuses back (newest first) when SaveRestore is on; true
// when the last one reached the client.
bool GiveBackSaved(TClient& slot);
// Gives the saved statuses back, then empties the slot.
void RestoreSlot(TClient& slot);
// Every slot is given back and emptied, the prompt clients first. A client
// that is still the one registered and did not take its status back (its
// dialog on the user's screen, or no answer) keeps its slot and its entry,
// to be tried again; true when no slot is left.
bool RestoreAllSlots();
// Written whole or not at all.
bool WriteCustomStatusFile(TClient& slot);
void ResetCaptionsFromBackup(TClient& slot);
