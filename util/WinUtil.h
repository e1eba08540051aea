// Window helpers: finding windows by class and text, reading their texts,
// comparing texts as the user's locale does, and the one way messages are
// sent to other processes' windows.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "clients/dsupport2ZEM.h"

constexpr int MaxCollected = 21;

// The filter and the result of one enumeration.
struct TWindowsAr {
    std::array<HWND, MaxCollected> Handles{};
    int32_t Count = 0;
    std::string Classes;     // class names, each followed by one blank
    std::string WindowText;  // filter on GetWindowTextA
    std::string Text;        // filter on WM_GETTEXT
};

struct TWindowTexts {
    std::string WindowText;
    std::string ClassName;
    std::string Text;
};

// Every message to another process's window goes through here, so that how
// such a send waits is decided in one place.
LRESULT SendToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

bool IsValidWindow(HWND window);
bool ReadWindowTexts(HWND window, TWindowTexts& texts);
void FillWindowEx(TWindowEx& record);
std::string GetClassText(HWND window);
std::string GetControlText(HWND window);                    // WM_GETTEXT
std::string GetCaptionText(HWND window);                    // GetWindowTextA
void SetControlText(HWND window, const std::string& text);  // WM_SETTEXT
// Appends the matching windows (top-level ones when parent is 0); returns Count.
int32_t CollectWindows(HWND parent, TWindowsAr& record);
// The descendants of a window (at most MaxCollected), each with its texts.
std::vector<TWindowEx> CollectDescendants(HWND parent);
// -1, 0 or +1, ignoring case; -2 when the comparison fails.
int CompareTexts(const std::string& a, const std::string& b);
