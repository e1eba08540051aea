#include "sim/common/Process.h"

#include <cstring>

namespace {

constexpr DWORD PollMs = 20;
constexpr DWORD KillWaitMs = 5000;

struct TWindowSearch {
    DWORD ProcessId;
    const char* ClassName;
    std::vector<HWND> Found;
};

BOOL CALLBACK CollectProcessWindow(HWND window, LPARAM lParam)
{
    try {
        auto& search = *reinterpret_cast<TWindowSearch*>(lParam);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != search.ProcessId) return TRUE;
        char name[256] = {};
        GetClassNameA(window, name, sizeof name);
        if (std::strcmp(name, search.ClassName) == 0) search.Found.push_back(window);
        return TRUE;
    } catch (...) {
        return TRUE;
    }
}

}  // namespace

std::vector<HWND> ProcessWindows(DWORD processId, const char* className)
{
    TWindowSearch search{processId, className, {}};
    // EnumChildWindows(NULL) would miss top-level windows under Wine.
    EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

TChildProcess::~TChildProcess()
{
    Close();
}

void TChildProcess::Close()
{
    if (!Info.hProcess) return;
    Kill();
    CloseHandle(Info.hThread);
    CloseHandle(Info.hProcess);
    Info = PROCESS_INFORMATION{};
}

bool TChildProcess::Start(const std::string& commandLine)
{
    Close();
    std::string mutableLine = commandLine;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    return CreateProcessA(nullptr, &mutableLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &Info) != 0;
}

HWND TChildProcess::WaitForWindow(const char* className, DWORD timeoutMs) const
{
    if (!Info.hProcess) return nullptr;
    const DWORD start = GetTickCount();
    for (;;) {
        const std::vector<HWND> found = ProcessWindows(Info.dwProcessId, className);
        const DWORD waited = GetTickCount() - start;
        if (!found.empty()) {
            // Its start-up is done once it waits for input.
            WaitForInputIdle(Info.hProcess, waited < timeoutMs ? timeoutMs - waited : 0);
            return found.front();
        }
        if (WaitForExit(0) || waited >= timeoutMs) return nullptr;
        Sleep(PollMs);
    }
}

bool TChildProcess::WaitForExit(DWORD timeoutMs) const
{
    return Info.hProcess && WaitForSingleObject(Info.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

DWORD TChildProcess::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    if (Info.hProcess) GetExitCodeProcess(Info.hProcess, &code);
    return code;
}

void TChildProcess::Kill()
{
    if (!Info.hProcess || WaitForExit(0)) return;
    TerminateProcess(Info.hProcess, 1);
    WaitForExit(KillWaitMs);
}
