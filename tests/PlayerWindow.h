// A hidden top-level window of the test's own that stands for the player's
// main window in tests that run the plug-in's code in-process.
#pragma once

#include <windows.h>

inline HWND CreatePlayerWindow(const char* className, WNDPROC proc)
{
    WNDCLASSA type{};
    type.lpfnWndProc = proc;
    type.hInstance = GetModuleHandleA(nullptr);
    type.lpszClassName = className;
    RegisterClassA(&type);
    return CreateWindowA(className, "player", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                         type.hInstance, nullptr);
}
