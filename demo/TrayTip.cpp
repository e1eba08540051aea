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

// OpenProcess gives null, not INVALID_HANDLE_VALUE, when it fails.
HANDLE OpenForMemory(DWORD processId)
{
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    return process ? process : INVALID_HANDLE_VALUE;
}

// A tool-tip control's messages carry pointers into its own process: the
// record and the text buffer are placed there and read back.
void ReadTools(HWND toolTip, HANDLE process, std::vector<std::wstring>& tips)
{
    TRemoteBlock block(process, sizeof(TTTOOLINFOW) + TipChars * sizeof(wchar_t));
    if (!block.Address) return;
    wchar_t* remoteText = reinterpret_cast<wchar_t*>(block.Address + sizeof(TTTOOLINFOW));
    const LRESULT count = SendMessageW(toolTip, TTM_GETTOOLCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        TTTOOLINFOW info{};
        info.cbSize = sizeof info;
        info.lpszText = remoteText;
        const wchar_t empty = L'\0';
        if (!WriteProcessMemory(process, block.Address, &info, sizeof info, nullptr) ||
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
    for (HWND toolTip : ProcessWindows(shellProcess, TOOLTIPS_CLASSA))
        ReadTools(toolTip, shell.Handle, result.Tips);
    return result;
}
