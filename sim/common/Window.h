// What every stand-in's windows are made of: a class, a procedure that no
// exception leaves, painting in the GUI font, the message loop and main.
#pragma once

#include <windows.h>

#include <string>

using TMessageHandler = LRESULT (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The window procedure for handle: what it throws ends as the answer 0 and
// never reaches the system's code.
template <TMessageHandler Handle>
LRESULT CALLBACK GuardedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        return Handle(window, message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

// With the arrow cursor, painted over in the system colour given.
bool RegisterWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure, UINT style,
                         int backgroundColor);
// The same for a window that takes its messages' texts as Unicode.
bool RegisterWideWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, UINT style,
                             int backgroundColor);

// WM_CLOSE, or the close command of the window's system menu.
bool IsCloseRequest(UINT message, WPARAM wParam);

// Puts a window made hidden on the screen, painted.
void ShowMainWindow(HWND window);

struct TPaint {
    HWND Window;
    PAINTSTRUCT Info;
    HDC Dc;

    explicit TPaint(HWND window);
    ~TPaint();
    TPaint(const TPaint&) = delete;
    TPaint& operator=(const TPaint&) = delete;
};

// The GUI font selected and text drawn without background, while it lives.
struct TGuiFont {
    HDC Dc;
    HGDIOBJ OldFont;

    explicit TGuiFont(HDC dc);
    ~TGuiFont();
    TGuiFont(const TGuiFont&) = delete;
    TGuiFont& operator=(const TGuiFont&) = delete;
};

// The client area less margin on every side.
RECT InnerArea(HWND window, int margin);
// Answers WM_PAINT with text in area, broken at words.
void PaintText(HWND window, const std::string& text, const RECT& area);

// Dispatches until WM_QUIT.
void RunMessageLoop();
// The body of main: what run throws ends the program with 4.
int GuardedMain(int (*run)(int argc, char** argv), int argc, char** argv);
