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

// How long a send waits for the answer of another thread: a client that
// hangs must not freeze the player.
constexpr UINT SendTimeoutMs = 200;

struct TAnswer {
    bool Answered = false;  // false: no window, or its thread did not answer in time
    LRESULT Value = 0;
};

// Every message to another process's window goes through here, so that how
// such a send waits is decided in one place. Nothing that was not answered
// may be taken as read or written; in an abandoned pass nothing is sent and
// nothing is answered.
TAnswer SendToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// One pass over the clients (an update cycle, a restore): a thread that did
// not answer once in the pass is not waited for again until it ends. Passes
// nest, and a nested pass shares the silent threads of the one it runs in,
// unless that one was abandoned.
//
// While a send waits, the player's thread answers what other threads send
// to it: a close, the plug-in's quit or its configuration may run inside
// the wait and give the clients their own statuses back. The pass that
// waited is then abandoned: from the moment that send returns, nothing it
// sends reaches a client, and nothing it would record is recorded.
struct TSendPass {
    TSendPass();
    ~TSendPass();
    TSendPass(const TSendPass&) = delete;
    TSendPass& operator=(const TSendPass&) = delete;

    const TSendPass* Outer;
    uint32_t Generation;
};

// Abandons every pass that runs now; passes begun later are not affected.
void AbandonSendPasses();
// True while the innermost pass running now has been abandoned.
bool SendPassAbandoned();

// Sees every send that is made, before it is made (a benchmark counts them).
using TSendObserver = void (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
extern TSendObserver SendObserver;

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
