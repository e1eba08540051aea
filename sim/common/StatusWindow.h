// What both stand-in clients do alike with their status window: a
// top-level window of its own, hidden until opened.
#pragma once

#include <windows.h>

// Unless it is on the screen already: showCurrentStatus fills it afresh,
// it appears, "OPEN" is logged.
void OpenStatusWindow(HWND window, void (*showCurrentStatus)());
// Logs "HIDE" when it was on the screen.
void HideStatusWindow(HWND window);
// Logs "DESTROY"; nothing without a window.
void DestroyStatusWindow(HWND window);
