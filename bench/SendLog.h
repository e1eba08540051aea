// The messages that one update cycle sends to other processes, kept as
// SendToWindow sees them, and sent again bare: the floor of a cycle's cost.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct TSentMessage {
    HWND Window;
    UINT Message;
    WPARAM WParam;
    LPARAM LParam;
    std::string Text;  // what WM_SETTEXT carried
};

// Keeps every send into log from now on; null stops keeping.
void KeepSends(std::vector<TSentMessage>* log);
// The messages once more, in order, each as SendToWindow sends it but
// without anything around it; a text to read goes into a buffer of the
// size asked for.
void SendBare(const std::vector<TSentMessage>& messages);
