// ZEM's status dialog "TCusForm": a top-level window of its own, hidden
// until opened, made at start (its controls too, unless Zem.LazyDialog).
#pragma once

#include <windows.h>

#include "sim/common/ClientStatus.h"

bool RegisterStatusDialog(HINSTANCE instance);
bool CreateStatusDialog();

// Makes the dialog (and its controls) if they are missing; on the screen it
// shows the current status afresh.
void OpenStatusDialog();
void HideStatusDialog();
void DestroyStatusDialog();
// The user picks the picture (its texts appear), types the texts given
// and presses OK. The dialog is not put on the screen for it: under Wine
// without a window manager every hiding of a shown window costs seconds.
bool ChooseStatus(const TUserChoice& choice);
