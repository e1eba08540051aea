#include "clients/Instances.h"

#include <array>
#include <string>

#include "clients/ClientIdentity.h"
#include "clients/ClientKinds.h"
#include "clients/ClientsState.h"
#include "clients/HandOver.h"
#include "clients/SlotJournal.h"
#include "clients/SlotStatus.h"
#include "clients/ZemDriver.h"
#include "clients/ZemProfile.h"
#include "util/Text.h"
#include "util/WinUtil.h"

namespace {

// A piece of work that took this long waited on its client.
constexpr DWORD SlowWorkMs = 500;

// Two main windows of one process may share one status dialog: two slots
// driving it would take each other's writes for the user's.
bool ServedStatusWindow(HWND window)
{
    for (const TClient& slot : GClients.Slots)
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

    slot.ProfileDir = ProfileFolderOf(processId, slot.MainWnd.Text);

    slot.StatusWnd.Handle = FindStatusWindow(slot);
    slot.Use = TClientUse::StatusWindowClosed;
    if (!IsValidWindow(slot.StatusWnd.Handle) || !FillWindowEx(slot.StatusWnd)) return false;
    if (!slot.OpenStatusWindow || !slot.OpenStatusWindow(slot)) return false;
    slot.Use = TClientUse::NotAnswering;

    // A status that could not be read must never become the one to give back.
    if (!ReadShownStatus(slot, slot.Saved[0])) return false;
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
        if (!added.ClientName.empty()) GClients.Found.push_back(LineOf(added));
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
    for (TClient& kept : GClients.Predecessors)
        if (kept.ProcessId == processId && kept.MainWnd.Handle == window) return &kept;
    return nullptr;
}

// The window's new account could not be registered yet: the one before
// stays known for the next try.
void KeepPredecessor(const TClient& before)
{
    TClient* place = PredecessorOf(before.ProcessId, before.MainWnd.Handle);
    for (TClient& kept : GClients.Predecessors)
        if (!place && kept.ProcessId == 0) place = &kept;
    if (place) *place = before;
}

bool IsHeldBySlot(HWND window)
{
    for (const TClient& slot : GClients.Slots)
        if (slot.ProcessId != 0 && slot.MainWnd.Handle == window) return true;
    return false;
}

// A slot of the process whose main window is gone: the client made its main
// window anew, and the slot, with its statuses, goes over to the new one.
TClient* OrphanOf(uint32_t processId)
{
    for (TClient& slot : GClients.Slots)
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
            ApplySlotStatus(slot, GClients.Wanted.Status);
        else
            slot.Use = TClientUse::NothingToChange;
    }
    slot.Slow = GetTickCount() - start >= SlowWorkMs;
    JournalSlot(slot);
}

// Before a restore asks for the client: a slot whose client made its main
// window anew takes up the new one, of its own process and showing its own
// title; one whose status window is gone takes the one shown again, or,
// its client ended, has its statuses put into its file and is released.
void FollowClient(TClient& slot)
{
    if (!IsValidWindow(slot.MainWnd.Handle) && IsRunning(slot)) {
        const HWND anew = MainWindowMadeAnew(slot);
        if (anew) slot.MainWnd.Handle = anew;
    }
    if (!IsValidWindow(slot.StatusWnd.Handle)) ReleaseOrReattach(slot);
}

// The slots in the order a pass works on them: the clients that answered
// promptly last time first, then the slow ones, so that the slow ones keep
// no prompt one waiting. The Slow flags are taken as they are now: the
// work on a slot sets its own anew.
std::array<size_t, SlotCount> PromptFirst()
{
    std::array<size_t, SlotCount> order{};
    size_t next = 0;
    for (const bool slow : {false, true})
        for (size_t i = 0; i < GClients.Slots.size(); ++i)
            if (GClients.Slots[i].Slow == slow) order[next++] = i;
    return order;
}

}  // namespace

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
    for (TClient& slot : GClients.Slots) {
        if (slot.ProcessId != processId || slot.MainWnd.Handle != window) continue;
        if (slot.MainWnd.Text == title) return;
        // Another account logged in: the window is that account's now, and
        // the old account's statuses go into its own file.
        before = slot;
        slot.AccountClosed = true;
        RestoreSlot(slot);
    }
    for (TClient& slot : GClients.Slots) {
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
    GClients.Found.clear();
    for (TClient& slot : GClients.Slots)
        if (slot.ProcessId != 0 && !IsValidWindow(slot.StatusWnd.Handle)) ReleaseOrReattach(slot);
    for (TClient& kept : GClients.Predecessors)
        if (kept.ProcessId != 0 && !IsValidWindow(kept.MainWnd.Handle)) ClearSlot(kept);
    TWindowsAr found;
    for (const TClient& kind : ClientKinds) found.Classes += kind.MainWnd.ClassName + " ";
    CollectWindows(nullptr, found);
    // A window that a slot holds is looked at with that slot's update.
    for (int i = 0; i < found.Count && !TrackWithdrawn(); ++i)
        if (!IsHeldBySlot(found.Handles[i]))
            RegisterWindow(WindowProcess(found.Handles[i]), found.Handles[i]);
    for (const size_t i : PromptFirst())
        if (GClients.Slots[i].ProcessId != 0 && !TrackWithdrawn())
            UpdateSlot(GClients.Slots[i], applying);
    for (const TClient& slot : GClients.Slots)
        if (slot.ProcessId != 0) GClients.Found.push_back(LineOf(slot));
}

// A close waits for the worker only so long: the prompt clients get their
// own status back first.
bool RestoreAllSlots()
{
    bool all = true;
    for (const size_t i : PromptFirst()) {
        TClient& slot = GClients.Slots[i];
        if (slot.ProcessId == 0) continue;
        FollowClient(slot);
        if (slot.ProcessId == 0) continue;
        if (GiveBackSaved(slot)) {
            ForgetJournalEntry(slot);
        } else if (WantedOn(Setting::SaveRestore) && MayBeSameClient(slot)) {
            all = false;
            continue;
        }
        ClearSlot(slot);
    }
    return all;
}
