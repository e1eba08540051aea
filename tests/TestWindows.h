// Windows of the test's own process, of the classes other programs use.
#pragma once

#include <windows.h>

#include <string>

// Registers a window class for the test's lifetime; without a procedure it
// is a clone of the system edit control, so that WM_GETTEXT answers with
// the contents.
struct WindowClass {
    std::string Name;
    bool Registered = false;
    bool Owned = false;  // left registered by someone else otherwise

    explicit WindowClass(const char* name, WNDPROC procedure = nullptr) : Name(name)
    {
        WNDCLASSEXA info{};
        info.cbSize = sizeof(info);
        if (procedure) {
            info.lpfnWndProc = procedure;
        } else if (!GetClassInfoExA(nullptr, "EDIT", &info)) {
            return;
        }
        info.hInstance = GetModuleHandleA(nullptr);
        info.lpszClassName = Name.c_str();
        Owned = RegisterClassExA(&info) != 0;
        Registered = Owned || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }
    ~WindowClass()
    {
        if (Owned) UnregisterClassA(Name.c_str(), GetModuleHandleA(nullptr));
    }
    WindowClass(const WindowClass&) = delete;
    WindowClass& operator=(const WindowClass&) = delete;
};

struct Window {
    HWND Handle = nullptr;

    Window(const WindowClass& windowClass, const std::string& text, HWND parent = nullptr)
    {
        DWORD style = parent ? WS_CHILD : WS_OVERLAPPED;
        Handle = CreateWindowExA(0, windowClass.Name.c_str(), text.c_str(), style, 0, 0, 200, 30,
                                 parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~Window()
    {
        if (IsWindow(Handle)) DestroyWindow(Handle);
    }
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
};
