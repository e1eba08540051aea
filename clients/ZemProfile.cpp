#include "clients/ZemProfile.h"

#include <windows.h>

#include <tlhelp32.h>

#include <cstring>

#include "util/Files.h"
#include "util/Handles.h"
#include "util/Text.h"

#if !defined(_WIN64)
static_assert(sizeof(MODULEENTRY32) == 548, "the ANSI module record");
#endif

namespace {

const char* const ZemTitlePrefix = "[zem] - ";

// The account comes from another program's window title and becomes a
// folder name; one that would lead out of the client's "Users" folder gives
// no profile folder, so that no file elsewhere is rewritten as the client's.
bool IsPlainFolderName(const std::string& name)
{
    return name != "." && name != ".." && name.find_first_of("\\/:") == std::string::npos;
}

}  // namespace

// An account may itself hold the prefix, so only the leading one is removed.
std::string AccountOf(const std::string& title)
{
    const TRLSResult split = SplitFirst(title, ZemTitlePrefix);
    return split.Position == 1 ? split.Right : title;
}

std::string GetProcessExePath(uint32_t processId)
{
    TFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId));
    if (!snapshot.Open()) return std::string();
    MODULEENTRY32 module{};
    module.dwSize = sizeof module;
    if (!Module32First(snapshot.Handle, &module)) return std::string();
    return std::string(module.szExePath, strnlen(module.szExePath, sizeof module.szExePath));
}

std::string ProfileFolderOf(uint32_t processId, const std::string& title)
{
    const std::string account = AccountOf(title);
    if (!IsPlainFolderName(account)) return std::string();
    return FolderOf(GetProcessExePath(processId)) + "Users\\" + account + "\\";
}
