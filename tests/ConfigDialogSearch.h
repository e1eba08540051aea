// Finding the plug-in's configuration dialog that a process opened, and
// answering it as a user would.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

constexpr DWORD WaitMs = 10000;

struct TDialogSearch {
    DWORD ProcessId;
    HWND Found;
};

inline BOOL CALLBACK FindConfigDialogProc(HWND window, LPARAM data)
{
    auto& search = *reinterpret_cast<TDialogSearch*>(data);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    // Read without sending a message: the window's thread may be the one
    // waiting for this search to end.
    wchar_t caption[64] = {};
    char type[16] = {};
    InternalGetWindowText(window, caption, 64);
    GetClassNameA(window, type, sizeof type);
    if (processId == search.ProcessId && std::wstring(caption) == L"ZER ozavod irozav" &&
        std::string(type) == "#32770" && IsWindowVisible(window)) {
        search.Found = window;
        return FALSE;
    }
    return TRUE;
}

// The plug-in's configuration dialog open in a process, waited for until it
// is shown (its controls exist by then).
inline HWND WaitForConfigDialog(DWORD processId)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < WaitMs; Sleep(20)) {
        TDialogSearch search{processId, nullptr};
        EnumWindows(FindConfigDialogProc, reinterpret_cast<LPARAM>(&search));
        if (search.Found) return search.Found;
    }
    return nullptr;
}

// Answers every configuration dialog that this process opens with a click
// on button, from a thread of its own, while it lives.
struct ConfigDialogAnswerer {
    std::atomic<bool> Done{false};
    std::thread Worker;

    explicit ConfigDialogAnswerer(int button)
        : Worker([this, button] {
              while (!Done) {
                  TDialogSearch search{GetCurrentProcessId(), nullptr};
                  EnumWindows(FindConfigDialogProc, reinterpret_cast<LPARAM>(&search));
                  if (search.Found)
                      PostMessageA(search.Found, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                                   reinterpret_cast<LPARAM>(GetDlgItem(search.Found, button)));
                  Sleep(20);
              }
          })
    {
    }
    ~ConfigDialogAnswerer()
    {
        Done = true;
        Worker.join();
    }
    ConfigDialogAnswerer(const ConfigDialogAnswerer&) = delete;
    ConfigDialogAnswerer& operator=(const ConfigDialogAnswerer&) = delete;
};
