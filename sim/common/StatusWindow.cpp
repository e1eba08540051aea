#include "sim/common/StatusWindow.h"

#include "sim/common/EventLog.h"

void OpenStatusWindow(HWND window, void (*showCurrentStatus)())
{
    if (IsWindowVisible(window)) return;
    showCurrentStatus();
    ShowWindow(window, SW_SHOWNORMAL);
    LogEvent("OPEN");
}

void HideStatusWindow(HWND window)
{
    if (!window || !IsWindowVisible(window)) return;
    ShowWindow(window, SW_HIDE);
    LogEvent("HIDE");
}

void DestroyStatusWindow(HWND window)
{
    if (!window) return;
    DestroyWindow(window);
    LogEvent("DESTROY");
}
