// The commands that tests and the demo send through the channel. They are
// run from a message the player posts itself, never inside WM_COPYDATA, so
// that one that blocks (config runs a modal dialog) cannot hold the sender.
#pragma once

#include <windows.h>

constexpr UINT RunCommandMessage = WM_APP + 1;

// For WM_COPYDATA: keeps the command for later; false when it is none.
bool QueueCommand(WPARAM wParam, LPARAM lParam);
// For RunCommandMessage: runs the oldest command kept.
void RunQueuedCommand();
