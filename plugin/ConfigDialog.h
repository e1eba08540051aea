// The configuration dialog (resource template 101): every setting is one of
// its controls. It edits DialogState only; "OK" makes that the running
// state and writes the settings file.
#pragma once

#include <windows.h>

#include <string>

#include "settings/resource.h"

constexpr const char* ConfigDialogTemplate = "#101";
// The help page the build puts beside the module; "?" opens it.
constexpr const char* HelpPageName = "gen_ZEM.html";
constexpr DWORD ResetCaptionsPauseMs = 1000;

// The dialog while it is open, else null; the player's thread's.
extern HWND GConfigDialogWindow;

// The dialog starts from a copy of the running state.
void BeginDialogState();
INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

void ShowAllControls(HWND dialog);
void ShowCaption(HWND dialog, int id, const std::string& caption);
void ShowValue(HWND dialog, int id, const std::string& value);
void ReadAllControls(HWND dialog);
void ReadControlValue(HWND dialog, int id);
void ReadControlCaption(HWND dialog, int id);
// Everything follows Enable; CustomZEM follows AllZEMNo alone.
void UpdateEnabled(HWND dialog);

std::string HelpPagePath();
