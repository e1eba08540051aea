// ZEM's main window "TMainForm": toolbar and status bar panels, and the
// current status painted between them.
#pragma once

#include <windows.h>

#include <string>

bool RegisterMainForm(HINSTANCE instance);
// Fills Zem.Main, Zem.Toolbar and Zem.StatusBar.
bool CreateMainForm(HINSTANCE instance, bool show);
// Shows the status taken last.
void RefreshMainForm();
// Another account logged in.
void SetAccount(const std::string& account);
