#include "clients/Instances.h"

#include <tlhelp32.h>

#include "clients/ZemDriver.h"
#include "plugin/gen_ZEM.h"
#include "track/SlotJournal.h"
#include "track/SlotStatus.h"
#include "util/Files.h"
#include "util/Handles.h"
#include "util/Numbers.h"
#include "util/SendReplay.h"
#include "util/Text.h"
#include "util/WinUtil.h"

#if !defined(_WIN64)
static_assert(sizeof(MODULEENTRY32) == 548, "the ANSI module record");
#endif

namespace {

const char* const ZemTitlePrefix = "[zem] - ";

uint32_t WindowProcess(HWND window)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

// Two main windows of one process may share one status dialog: two slots
// driving it would take each other's writes for the user's.
bool ServedStatusWindow(HWND window)
{
    for (const TClient& slot : CurrentState.Slots)
        if (slot.ProcessId != 0 && slot.StatusWnd.Handle == window) return true;
    return false;
}

// The status window of the instance's own process that no slot serves yet,
// among the siblings of its main window (the top-level windows when it has
// no parent).
HWND FindStatusWindow(const TClient& slot)
{
    HWND parent = GetParent(slot.MainWnd.Handle);
    const char* statusClass = slot.StatusWnd.ClassName.c_str();
    HWND window = FindWindowExA(parent, nullptr, statusClass, nullptr);
    while (IsValidWindow(window) &&
           (WindowProcess(window) != slot.ProcessId || ServedStatusWindow(window)))
        window = FindWindowExA(parent, window, statusClass, nullptr);
    return window;
}

// A client's files may be rewritten only once it has ended: until then it
// saves them itself. A process that cannot be opened is not ours to wait for.
bool ProcessEnded(uint32_t processId)
{
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (!process) return true;
    const TFileHandle held(process);
    return WaitForSingleObject(process, 0) != WAIT_TIMEOUT;
}

// A status window gone while the client runs is no exited client: the slot
// keeps its statuses and takes the status window that the process shows
// again (a new account in its title is RegisterWindow's). An ended client's
// statuses go into its file.
void ReleaseOrReattach(TClient& slot)
{
    if (ProcessEnded(slot.ProcessId)) {
        slot.AccountClosed = true;
        return RestoreSlot(slot);
    }
    TWindowEx found = slot.StatusWnd;
    found.Handle = FindStatusWindow(slot);
    // A quit inside the reading has released every slot.
    if (!IsValidWindow(found.Handle) || !FillWindowEx(found) || SendPassAbandoned() ||
        found.ClassName != slot.StatusWnd.ClassName)
        return;
    // The controls are those of the new window, found afresh.
    slot.StatusWnd = found;
    slot.Controls = {};
    if (!slot.OpenStatusWindow || !slot.OpenStatusWindow(slot)) slot.StatusWnd.Handle = nullptr;
}

// The title is the prefix and the account; an account may itself hold the
// prefix, so only the leading one is removed.
std::string AccountOf(const std::string& title)
{
    const TRLSResult split = SplitFirst(title, ZemTitlePrefix);
    return split.Position == 1 ? split.Right : title;
}

// The account comes from another program's window title and becomes a
// folder name; one that would lead out of the client's "Users" folder gives
// no profile folder, so that no file elsewhere is rewritten as the client's.
bool IsPlainFolderName(const std::string& name)
{
    return name != "." && name != ".." && name.find_first_of("\\/:") == std::string::npos;
}

bool FindClientKind(TClient& slot)
{
    bool found = false;
    for (const TClient& kind : ClientKinds) {
        if (kind.MainWnd.ClassName != slot.MainWnd.ClassName) continue;
        slot.ClientName = kind.ClientName;
        slot.OpenStatusWindow = kind.OpenStatusWindow;
        slot.ApplyStatus = kind.ApplyStatus;
        slot.StatusWnd = kind.StatusWnd;
        found = true;
    }
    return found;
}

// With SetPicture on and a picture number set, the client's texts for that
// picture are the second status to put back; false when the client did not
// answer.
bool RecordSetPicture(TClient& slot)
{
    const int32_t picture = TextToIntDef(SettingText(Setting::Picture), slot.Current.PictureIndex);
    if (picture == slot.Current.PictureIndex) return true;
    SendToWindow(slot.Controls[PictureControl].Handle, CB_SETCURSEL, static_cast<WPARAM>(picture),
                 0);
    slot.SavedIndex = 1;
    if (!ZemReadStatus(slot, slot.Saved[1])) return false;
    slot.Current = slot.Saved[1];
    ZemPressOk(slot);
    return true;
}

}  // namespace

bool IsZemInstance(const TClient& instance)
{
    return instance.MainWnd.ClassName == ZemClient.MainWnd.ClassName;
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

void AddInstance(TClient& slot, uint32_t processId, HWND window)
{
    ClearSlot(slot);
    slot.ProcessId = processId;
    slot.MainWnd.Handle = window;
    // Nothing that a client did not answer is recorded: the next cycle
    // tries again.
    if (!FillWindowEx(slot.MainWnd)) return ClearSlot(slot);
    const bool served =
        SettingOn(Setting::AllZEM) ||
        (!SettingText(Setting::CustomZEM).empty() &&
         slot.MainWnd.Text.find(SettingText(Setting::CustomZEM)) != std::string::npos);
    if (!served || !FindClientKind(slot)) return ClearSlot(slot);

    const std::string account = AccountOf(slot.MainWnd.Text);
    if (IsPlainFolderName(account))
        slot.ProfileDir = FolderOf(GetProcessExePath(processId)) + "Users\\" + account + "\\";

    slot.StatusWnd.Handle = FindStatusWindow(slot);
    if (!IsValidWindow(slot.StatusWnd.Handle)) return ClearSlot(slot);
    if (!FillWindowEx(slot.StatusWnd)) return ClearSlot(slot);
    if (!slot.OpenStatusWindow || !slot.OpenStatusWindow(slot)) return ClearSlot(slot);

    // A status that could not be read must never become the one to give back.
    if (!ZemReadStatus(slot, slot.Saved[0])) return ClearSlot(slot);
    slot.SavedIndex = 0;
    slot.Current = slot.Saved[0];
    // What the plug-in wrote before the player died is not the user's own.
    if (RecallJournalEntry(slot)) return;
    // Current stays what the client shows, the own picture if one was chosen:
    // the next apply must not take that choice for the user's.
    if (IsZemInstance(slot) && SettingOn(Setting::SetPicture) && !RecordSetPicture(slot))
        return ClearSlot(slot);
    // A quit inside one of the last sends has released every slot.
    if (SendPassAbandoned()) ClearSlot(slot);
}

void RegisterWindow(uint32_t processId, HWND window)
{
    // Only the text that WM_GETTEXT gives is compared. A title that could
    // not be read is no new title: the window waits for the next cycle,
    // served or not.
    std::string title;
    if (!GetControlText(window, title)) return;
    for (TClient& slot : CurrentState.Slots) {
        if (slot.ProcessId != processId || processId == 0 || slot.MainWnd.Handle != window)
            continue;
        // Another account logged in: the window is that account's now, and
        // the old account's statuses go into its own file.
        if (slot.MainWnd.Text != title) {
            slot.AccountClosed = true;
            RestoreSlot(slot);
        } else {
            processId = 0;
        }
    }
    if (processId == 0) return;
    for (TClient& slot : CurrentState.Slots) {
        if (slot.ProcessId != 0) continue;
        AddInstance(slot, processId, window);
        return;
    }
}

namespace {

bool IsHeldBySlot(HWND window)
{
    for (const TClient& slot : CurrentState.Slots)
        if (slot.ProcessId != 0 && slot.MainWnd.Handle == window) return true;
    return false;
}

}  // namespace

void RefreshInstances(TWindowsAr& found)
{
    for (TClient& slot : CurrentState.Slots)
        if (slot.ProcessId != 0 && !IsValidWindow(slot.StatusWnd.Handle)) ReleaseOrReattach(slot);
    found = TWindowsAr{};
    for (const TClient& kind : ClientKinds) found.Classes += kind.MainWnd.ClassName + " ";
    CollectWindows(nullptr, found);
}

void RegisterNewWindows(const TWindowsAr& found, bool promptOnly)
{
    // A window that a slot holds is looked at with that slot's update.
    for (int i = 0; i < found.Count; ++i) {
        HWND window = found.Handles[i];
        if (IsHeldBySlot(window) || (promptOnly && IsSlowWindow(window))) continue;
        TResumable work(window, TWork::Registration);
        RegisterWindow(WindowProcess(window), window);
        if (SendPassAbandoned()) return;
    }
}
