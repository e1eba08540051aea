// Window helpers: finding windows by class and text, reading their texts
// (through the one way of sending, util/Sends.h), comparing texts as the
// user's locale does.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "util/Sends.h"

constexpr int MaxCollected = 21;

// One window and what was read from it.
struct TWindowEx {
    HWND Handle = nullptr;
    std::string Text;        // as WM_GETTEXT answers (an edit box's contents)
    std::string WindowText;  // as GetWindowTextA answers (the stored title)
    std::string ClassName;
};

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

bool IsValidWindow(HWND window);
// False, with empty texts, for a window that is gone or did not answer.
bool ReadWindowTexts(HWND window, TWindowTexts& texts);
bool FillWindowEx(TWindowEx& record);
std::string GetClassText(HWND window);
bool GetControlText(HWND window, std::string& text);  // WM_GETTEXT
// As GetControlText, but no control (a null handle) reads as empty: false
// when the control is gone or does not answer.
bool ReadControlOrNone(HWND window, std::string& text);
std::string GetCaptionText(HWND window);                    // GetWindowTextA
bool SetControlText(HWND window, const std::string& text);  // WM_SETTEXT
// Appends the matching windows (top-level ones when parent is 0); returns Count.
int32_t CollectWindows(HWND parent, TWindowsAr& record);
// The descendants of a window (at most MaxCollected), each with its texts;
// false when one of them did not answer.
bool CollectDescendants(HWND parent, std::vector<TWindowEx>& windows);
// -1, 0 or +1, ignoring case; -2 when the comparison fails.
int CompareTexts(const std::string& a, const std::string& b);
