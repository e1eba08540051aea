// Answering the plug-in's configuration dialog as a user would.
#pragma once

#include <windows.h>

#include <atomic>
#include <thread>

#include "sim/common/StandIns.h"

constexpr DWORD WaitMs = 10000;

// Answers every configuration dialog that this process opens with a click
// on button, from a thread of its own, while it lives.
struct ConfigDialogAnswerer {
    std::atomic<bool> Done{false};
    std::thread Worker;

    explicit ConfigDialogAnswerer(int button)
        : Worker([this, button] {
              while (!Done) {
                  if (HWND dialog = FindConfigDialog(GetCurrentProcessId()))
                      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
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
