// A program that a test or the demo starts and watches; one still running
// when its record goes away is ended, so a failed test leaves nothing behind.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The top-level windows of a process with that class, in the system's
// order; read without sending them a message.
std::vector<HWND> ProcessWindows(DWORD processId, const char* className);

struct TChildProcess {
    PROCESS_INFORMATION Info{};

    TChildProcess() = default;
    ~TChildProcess();
    TChildProcess(const TChildProcess&) = delete;
    TChildProcess& operator=(const TChildProcess&) = delete;

    // Ends a process started before with this record.
    bool Start(const std::string& commandLine);
    // A top-level window of className owned by the process, once the
    // process waits for input (or timeoutMs is over); null when no such
    // window appears within timeoutMs or the process ends first.
    HWND WaitForWindow(const char* className, DWORD timeoutMs) const;
    bool WaitForExit(DWORD timeoutMs) const;
    // STILL_ACTIVE while it runs.
    DWORD ExitCode() const;
    // Ends the process and waits for it; its exit code stays readable.
    void Kill();
    DWORD Id() const { return Info.dwProcessId; }

private:
    void Close();
};
