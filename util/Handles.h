// A kernel handle (file, snapshot) closed when its holder goes away.
#pragma once

#include <windows.h>

struct TFileHandle {
    HANDLE Handle = INVALID_HANDLE_VALUE;

    explicit TFileHandle(HANDLE handle = INVALID_HANDLE_VALUE) : Handle(handle) {}
    ~TFileHandle() { Close(); }
    TFileHandle(const TFileHandle&) = delete;
    TFileHandle& operator=(const TFileHandle&) = delete;

    bool Open() const { return Handle != INVALID_HANDLE_VALUE; }
    void Close()
    {
        if (Open()) CloseHandle(Handle);
        Handle = INVALID_HANDLE_VALUE;
    }
};
