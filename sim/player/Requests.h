// The player's answers to the WM_USER requests sent to its main window
// (code in lParam, argument in wParam).
#pragma once

#include <windows.h>

// Logs the request and answers it; unknown requests give 0.
LRESULT AnswerRequest(WPARAM argument, LPARAM code);
