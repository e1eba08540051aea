// RnQ's status window "TxStatusForm": a top-level window of its own, made
// at start and hidden until opened.
#pragma once

#include <windows.h>

#include "sim/common/ClientStatus.h"

bool RegisterStatusForm(HINSTANCE instance);
bool CreateStatusForm();

// Makes the window if it is missing; on the screen it shows the current
// status afresh.
void OpenStatusForm();
void HideStatusForm();
void DestroyStatusForm();
// The user clicks the picture's cell, types the texts given and presses
// Enter. The window is not put on the screen for it: under Wine without a
// window manager every hiding of a shown window costs seconds.
bool ChooseStatus(const TUserChoice& choice);
