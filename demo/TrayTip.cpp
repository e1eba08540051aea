#include "demo/TrayTip.h"

#include <windows.h>

#include <commctrl.h>

#include <cwchar>

#include "sim/common/Process.h"
#include "util/Handles.h"

namespace {

constexpr size_t TipChars = 1024;  // the shell keeps 128 characters at most

// A block of memory in another process, released when it goes.
struct TRemoteBlock {
    HANDLE Process;
    char* Address;
    TRemoteBlock(HANDLE process, size_t size)
        : Process(process),
          Address(static_cast<char*>(
              VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)))
    {
    }
    ~TRemoteBlock()
    {
        if (Address) VirtualFreeEx(Process, Address, 0, MEM_RELEASE);
    }
    TRemoteBlock(const TRemoteBlock&) = delete;
    TRemoteBlock& operator=(const TRemoteBlock&) = delete;
};

// The tool-tip record as a 64-bit shell reads it. Its messages carry their
// pointers untranslated, so a 32-bit demo beside a 64-bit shell (as on 64-bit
// Windows) writes the record in the shell's layout.
struct TToolInfo64 {
    UINT cbSize;
    UINT uFlags;
    UINT64 hwnd;
    UINT64 uId;
    RECT rect;
    UINT64 hinst;
    UINT64 lpszText;
    UINT64 lParam;
    UINT64 lpReserved;
};
#ifdef _WIN64
static_assert(sizeof(TToolInfo64) == sizeof(TTTOOLINFOW), "the 64-bit layout is the native one");
#endif

bool IsWow64(HANDLE process)
{
    BOOL wow64 = FALSE;
    return IsWow64Process(process, &wow64) && wow64;
}

// Asks the shell's tool-tips to write into the text buffer at remoteText.
bool WriteToolInfo(HANDLE process, char* address, wchar_t* remoteText, bool shell64)
{
    if (shell64) {
        TToolInfo64 info{};
        info.cbSize = sizeof info;
        info.lpszText = reinterpret_cast<UINT_PTR>(remoteText);
        return WriteProcessMemory(process, address, &info, sizeof info, nullptr);
    }
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.lpszText = remoteText;
    return WriteProcessMemory(process, address, &info, sizeof info, nullptr);
}

// OpenProcess gives null, not INVALID_HANDLE_VALUE, when it fails.
HANDLE OpenForMemory(DWORD processId)
{
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                                     PROCESS_QUERY_INFORMATION,
                                 FALSE, processId);
    return process ? process : INVALID_HANDLE_VALUE;
}

// A tool-tip control's messages carry pointers into its own process: the
// record and the text buffer are placed there and read back.
void ReadTools(HWND toolTip, HANDLE process, bool shell64, std::vector<std::wstring>& tips)
{
    TRemoteBlock block(process, sizeof(TToolInfo64) + TipChars * sizeof(wchar_t));
    if (!block.Address) return;
    wchar_t* remoteText = reinterpret_cast<wchar_t*>(block.Address + sizeof(TToolInfo64));
    const LRESULT count = SendMessageW(toolTip, TTM_GETTOOLCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const wchar_t empty = L'\0';
        if (!WriteToolInfo(process, block.Address, remoteText, shell64) ||
            !WriteProcessMemory(process, remoteText, &empty, sizeof empty, nullptr))
            return;
        if (!SendMessageW(toolTip, TTM_ENUMTOOLSW, static_cast<WPARAM>(i),
                          reinterpret_cast<LPARAM>(block.Address)))
            continue;
        std::wstring text(TipChars, L'\0');
        if (!ReadProcessMemory(process, remoteText, &text[0], (TipChars - 1) * sizeof(wchar_t),
                               nullptr))
            continue;
        text.resize(wcsnlen(text.c_str(), TipChars));
        tips.push_back(text);
    }
}

}  // namespace

TTrayTips ReadTrayTips()
{
    TTrayTips result;
    HWND tray = FindWindowA("Shell_TrayWnd", nullptr);
    if (!tray) return result;
    DWORD shellProcess = 0;
    GetWindowThreadProcessId(tray, &shellProcess);
    TFileHandle shell(OpenForMemory(shellProcess));
    if (!shell.Open()) return result;
    result.ShellFound = true;
    const bool shell64 = IsWow64(GetCurrentProcess()) && !IsWow64(shell.Handle);
    for (HWND toolTip : ProcessWindows(shellProcess, TOOLTIPS_CLASSA))
        ReadTools(toolTip, shell.Handle, shell64, result.Tips);
    return result;
}
