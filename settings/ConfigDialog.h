// The configuration dialog (resource template 101).
#pragma once

#include <windows.h>

constexpr const char* ConfigDialogTemplate = "#101";

INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
