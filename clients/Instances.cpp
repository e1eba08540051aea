#include "clients/Instances.h"

#include <tlhelp32.h>

#include "clients/SlotJournal.h"
#include "clients/SlotStatus.h"
#include "clients/Worker.h"
#include "clients/ZemDriver.h"
#include "util/Files.h"
#include "util/Handles.h"
#include "util/Numbers.h"
#include "util/Text.h"
#include "util/WinUtil.h"

#if !defined(_WIN64)
static_assert(sizeof(MODULEENTRY32) == 548, "the ANSI module record");
#endif

namespace {

const char* const ZemTitlePrefix = "[zem] - ";
// A piece of work that took this long waited on its client.
constexpr DWORD SlowWorkMs = 500;

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

// Two main windows of one process may share one status dialog: two slots
// driving it would take each other's writes for the user's.
bool ServedStatusWindow(HWND window)
{
    for (const TClient& slot : Clients.Slots)
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

// A status window gone while the client runs is no exited client: the slot
// keeps its statuses and takes the status window that the process shows
// again (a new account in its title is RegisterWindow's). An ended client's
// statuses go into its file: until it ends, it saves them itself.
void ReleaseOrReattach(TClient& slot)
{
    if (!IsRunning(slot)) {
        slot.AccountClosed = true;
        return RestoreSlot(slot);
    }
    TWindowEx found = slot.StatusWnd;
    found.Handle = FindStatusWindow(slot);
    if (!IsValidWindow(found.Handle) || !FillWindowEx(found) ||
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
    const int32_t picture = TextToIntDef(WantedText(Setting::Picture), slot.Current.PictureIndex);
    if (picture == slot.Current.PictureIndex) return true;
    // The choice leaves the texts as they are.
    TStatus chosen = slot.Saved[0];
    chosen.PictureIndex = picture;
    slot.SavedIndex = 1;
    slot.Saved[1] = chosen;
    JournalAhead(slot, slot.Saved[0], chosen);
    SendToWindow(slot.Controls[PictureControl].Handle, CB_SETCURSEL, static_cast<WPARAM>(picture),
                 0);
    if (!ZemReadStatus(slot, slot.Saved[1])) return false;
    slot.Current = slot.Saved[1];
    JournalAhead(slot, slot.Saved[0], slot.Current);
    return ZemPressOk(slot);
}

std::shared_ptr<void> OpenClientProcess(uint32_t processId)
{
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (!process) return nullptr;
    return std::shared_ptr<void>(process, CloseHandle);
}

// Builds the slot apart and hands it over only once it is complete: a
// half-registered slot must never be given back.
bool ReadNewInstance(TClient& slot, uint32_t processId, HWND window)
{
    slot.ProcessId = processId;
    slot.Process = OpenClientProcess(processId);
    slot.MainWnd.Handle = window;
    // Nothing that a client did not answer is recorded: the next cycle
    // tries again.
    if (!slot.Process || !FillWindowEx(slot.MainWnd) || !FindClientKind(slot)) return false;
    const bool served =
        WantedOn(Setting::AllZEM) ||
        (!WantedText(Setting::CustomZEM).empty() &&
         slot.MainWnd.Text.find(WantedText(Setting::CustomZEM)) != std::string::npos);
    if (!served) {
        slot.Use = TClientUse::NotInTitleFilter;
        return false;
    }

    const std::string account = AccountOf(slot.MainWnd.Text);
    if (IsPlainFolderName(account))
        slot.ProfileDir = FolderOf(GetProcessExePath(processId)) + "Users\\" + account + "\\";

    slot.StatusWnd.Handle = FindStatusWindow(slot);
    slot.Use = TClientUse::StatusWindowClosed;
    if (!IsValidWindow(slot.StatusWnd.Handle) || !FillWindowEx(slot.StatusWnd)) return false;
    if (!slot.OpenStatusWindow || !slot.OpenStatusWindow(slot)) return false;
    slot.Use = TClientUse::NotAnswering;

    // A status that could not be read must never become the one to give back.
    if (!ZemReadStatus(slot, slot.Saved[0])) return false;
    slot.SavedIndex = 0;
    slot.Current = slot.Saved[0];
    // What the plug-in wrote before the player died is not the user's own.
    if (RecallJournalEntry(slot)) return true;
    // Current stays what the client shows, the own picture if one was chosen:
    // the next apply must not take that choice for the user's.
    return !IsZemInstance(slot) || !WantedOn(Setting::SetPicture) || RecordSetPicture(slot);
}

// An account, as a title brings it, is kept only as long as a line shows.
constexpr size_t MaxListedAccount = 64;

TClientLine LineOf(const TClient& slot)
{
    return {slot.ClientName, LeftBytes(AccountOf(slot.MainWnd.Text), MaxListedAccount), slot.Use};
}

// True once the window is registered into the slot.
bool AddInstance(TClient& slot, uint32_t processId, HWND window, const TClient& before)
{
    TClient added;
    if (!ReadNewInstance(added, processId, window)) {
        // Listed only once its kind is known: the title answered.
        if (!added.ClientName.empty()) Clients.Found.push_back(LineOf(added));
        return false;
    }
    // Another account logged in while the client still shows what the
    // plug-in wrote for the one before: that is no status of the new
    // account's, the old account's own stands in for it.
    if (before.ProcessId != 0 && SameStatus(added.Saved[0], before.Current) &&
        !SameStatus(before.Current, LastSaved(before))) {
        added.Saved = before.Saved;
        added.SavedIndex = before.SavedIndex;
    }
    slot = added;
    // A write cut by a player that died: the client gets its own status back
    // before anything else is written into it.
    if (slot.Cut) GiveBackSaved(slot);
    return true;
}

TClient* PredecessorOf(uint32_t processId, HWND window)
{
    for (TClient& kept : Clients.Predecessors)
        if (kept.ProcessId == processId && kept.MainWnd.Handle == window) return &kept;
    return nullptr;
}

// The window's new account could not be registered yet: the one before
// stays known for the next try.
void KeepPredecessor(const TClient& before)
{
    TClient* place = PredecessorOf(before.ProcessId, before.MainWnd.Handle);
    for (TClient& kept : Clients.Predecessors)
        if (!place && kept.ProcessId == 0) place = &kept;
    if (place) *place = before;
}

bool IsHeldBySlot(HWND window)
{
    for (const TClient& slot : Clients.Slots)
        if (slot.ProcessId != 0 && slot.MainWnd.Handle == window) return true;
    return false;
}

// A slot of the process whose main window is gone: the client made its main
// window anew, and the slot, with its statuses, goes over to the new one.
TClient* OrphanOf(uint32_t processId)
{
    for (TClient& slot : Clients.Slots)
        if (slot.ProcessId == processId && !IsValidWindow(slot.MainWnd.Handle) && IsRunning(slot))
            return &slot;
    return nullptr;
}

// The main window of the slot's process, held by no slot, that shows the
// slot's own title; null when there is none.
HWND MainWindowMadeAnew(const TClient& slot)
{
    const char* mainClass = slot.MainWnd.ClassName.c_str();
    for (HWND window = FindWindowExA(nullptr, nullptr, mainClass, nullptr); IsValidWindow(window);
         window = FindWindowExA(nullptr, window, mainClass, nullptr)) {
        std::string title;
        if (WindowProcess(window) == slot.ProcessId && !IsHeldBySlot(window) &&
            GetControlText(window, title) && title == slot.MainWnd.Text)
            return window;
    }
    return nullptr;
}

// Everything a pass does for one registered client, whole: the look at its
// account, then the status, then its journal entry.
void UpdateSlot(TClient& slot, bool applying)
{
    const HWND main = slot.MainWnd.Handle;
    const DWORD start = GetTickCount();
    RegisterWindow(slot.ProcessId, main);
    // Another account took the slot back; its registration is enough.
    if (slot.ProcessId != 0 && slot.MainWnd.Handle == main && !TrackWithdrawn()) {
        if (applying)
            ApplySlotStatus(slot, Clients.Wanted.Status);
        else
            slot.Use = TClientUse::NothingToChange;
    }
    slot.Slow = GetTickCount() - start >= SlowWorkMs;
    JournalSlot(slot);
}

}  // namespace

bool IsZemInstance(const TClient& instance)
{
    return instance.MainWnd.ClassName == ZemClient.MainWnd.ClassName;
}

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

bool IsSameClient(const TClient& instance)
{
    return Sameness(instance) == TSameness::Same;
}

bool MayBeSameClient(const TClient& instance)
{
    return Sameness(instance) != TSameness::Other;
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

void FollowClient(TClient& slot)
{
    if (!IsValidWindow(slot.MainWnd.Handle) && IsRunning(slot)) {
        const HWND anew = MainWindowMadeAnew(slot);
        if (anew) slot.MainWnd.Handle = anew;
    }
    if (!IsValidWindow(slot.StatusWnd.Handle)) ReleaseOrReattach(slot);
}

void RegisterWindow(uint32_t processId, HWND window)
{
    // Only the text that WM_GETTEXT gives is compared. A title that could
    // not be read is no new title: the window waits for the next cycle,
    // served or not.
    std::string title;
    if (processId == 0 || !GetControlText(window, title)) return;
    // An orphan goes to another account's window only when its own title
    // shows nowhere in the process: that one is its client made anew.
    TClient* orphan = IsHeldBySlot(window) ? nullptr : OrphanOf(processId);
    if (orphan && (title == orphan->MainWnd.Text || !MainWindowMadeAnew(*orphan)))
        orphan->MainWnd.Handle = window;
    TClient* kept = PredecessorOf(processId, window);
    TClient before = kept ? *kept : TClient{};
    for (TClient& slot : Clients.Slots) {
        if (slot.ProcessId != processId || slot.MainWnd.Handle != window) continue;
        if (slot.MainWnd.Text == title) return;
        // Another account logged in: the window is that account's now, and
        // the old account's statuses go into its own file.
        before = slot;
        slot.AccountClosed = true;
        RestoreSlot(slot);
    }
    for (TClient& slot : Clients.Slots) {
        if (slot.ProcessId != 0) continue;
        const bool added = AddInstance(slot, processId, window, before);
        if (!added && before.ProcessId != 0) KeepPredecessor(before);
        if (added && kept) ClearSlot(*kept);
        return;
    }
}

void ServeClients()
{
    const bool applying = WantedOn(Setting::SetPicture) || WantedOn(Setting::SetStatus) ||
                          WantedOn(Setting::SetLongStatus);
    Clients.Found.clear();
    for (TClient& slot : Clients.Slots)
        if (slot.ProcessId != 0 && !IsValidWindow(slot.StatusWnd.Handle)) ReleaseOrReattach(slot);
    for (TClient& kept : Clients.Predecessors)
        if (kept.ProcessId != 0 && !IsValidWindow(kept.MainWnd.Handle)) ClearSlot(kept);
    TWindowsAr found;
    for (const TClient& kind : ClientKinds) found.Classes += kind.MainWnd.ClassName + " ";
    CollectWindows(nullptr, found);
    // A window that a slot holds is looked at with that slot's update.
    for (int i = 0; i < found.Count && !TrackWithdrawn(); ++i)
        if (!IsHeldBySlot(found.Handles[i]))
            RegisterWindow(WindowProcess(found.Handles[i]), found.Handles[i]);
    // The clients that answered promptly last time are not kept waiting by
    // the slow ones.
    std::array<bool, SlotCount> slow{};
    for (size_t i = 0; i < slow.size(); ++i) slow[i] = Clients.Slots[i].Slow;
    for (const bool late : {false, true})
        for (size_t i = 0; i < slow.size(); ++i)
            if (Clients.Slots[i].ProcessId != 0 && slow[i] == late && !TrackWithdrawn())
                UpdateSlot(Clients.Slots[i], applying);
    for (const TClient& slot : Clients.Slots)
        if (slot.ProcessId != 0) Clients.Found.push_back(LineOf(slot));
}
