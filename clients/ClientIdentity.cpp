#include "clients/ClientIdentity.h"

#include <string>

namespace {

enum class TSameness { Same, Other, Unknown };

TSameness Sameness(const TClient& instance)
{
    HWND main = instance.MainWnd.Handle;
    if (!IsRunning(instance) || !IsValidWindow(main) || WindowProcess(main) != instance.ProcessId)
        return TSameness::Other;
    std::string title;
    if (!GetControlText(main, title)) return TSameness::Unknown;
    return title == instance.MainWnd.Text ? TSameness::Same : TSameness::Other;
}

}  // namespace

uint32_t WindowProcess(HWND window)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

bool IsRunning(const TClient& slot)
{
    return slot.Process && WaitForSingleObject(slot.Process.get(), 0) == WAIT_TIMEOUT;
}

bool IsSameClient(const TClient& instance)
{
    return Sameness(instance) == TSameness::Same;
}

bool MayBeSameClient(const TClient& instance)
{
    return Sameness(instance) != TSameness::Other;
}
