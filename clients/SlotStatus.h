// Handing a status to one client slot, putting saved statuses back, and the
// ZEM custom-status file. The clients' worker thread's, on GClients.
#pragma once

#include "clients/ClientSlot.h"

constexpr const char* CustomStatusFile = "_st_cust.txt";
constexpr const char* CustomStatusBackup = "_st_cust.txt.2ZEM";
constexpr const char* CustomStatusMarker = "#custom_status_descr#";

bool ApplySlotStatus(TClient& slot, const TStatus& status);
// Puts the saved statuses back (newest first) when SaveRestore is on; true
// when the last one reached the client.
bool GiveBackSaved(TClient& slot);
// Gives the saved statuses back, then empties the slot.
void RestoreSlot(TClient& slot);
// Written whole or not at all.
bool WriteCustomStatusFile(TClient& slot);
void ResetCaptionsFromBackup(TClient& slot);
