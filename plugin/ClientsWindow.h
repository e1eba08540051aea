// The clients window: every ZEM and RnQ the clients' worker found at its
// last pass, with what the plug-in does with each, and when that was. The
// player's thread's: it copies the worker's report and asks no client.
#pragma once

#include <windows.h>

#include <string>

#include "settings/Settings.h"

// Modal, over owner, in the language of the captions given (and of that
// language's built-in texts where they lack one); while it shows, another
// call brings it to the front.
void ShowClientsWindow(HWND owner, const TDlgControlsAr& captions, const std::string& language);
