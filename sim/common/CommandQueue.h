// The commands a stand-in's main window takes from the channel. They are
// kept when they arrive and run from a message the stand-in posts itself,
// never inside WM_COPYDATA, so that the sender is answered at once and a
// command that blocks cannot hold it.
#pragma once

#include <windows.h>

#include <string>

constexpr UINT RunCommandMessage = WM_APP + 1;

// For WM_COPYDATA: logs "CMD <text>", keeps the command and posts
// RunCommandMessage to mainWindow; false when the message is no command.
bool KeepCommand(HWND mainWindow, WPARAM wParam, LPARAM lParam);
// For RunCommandMessage: takes the oldest command kept; false when none is.
bool TakeKeptCommand(std::string& command);

// A command's first word and what follows the blank after it.
struct TCommandWords {
    std::string Name;
    std::string Argument;
    bool Bare;  // no blank: no argument, not even an empty one
};

TCommandWords SplitCommand(const std::string& command);
