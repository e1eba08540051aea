#include "plugin/UpdateCycle.h"

#include <array>
#include <cstdlib>
#include <vector>

#include "clients/Instances.h"
#include "plugin/Tray.h"
#include "plugin/gen_ZEM.h"
#include "track/SlotJournal.h"
#include "track/SlotStatus.h"
#include "track/Templates.h"
#include "track/TrackFilter.h"
#include "track/TrackInfo.h"
#include "util/Numbers.h"
#include "util/SendReplay.h"
#include "util/Text.h"
#include "util/WinUtil.h"

namespace {

// Set once the plug-in is being uninstalled: no cycle runs again.
bool UpdatesEnded = false;

}  // namespace

void StopUpdateTimer(HWND window)
{
    if (CurrentState.TimerId != 0) KillTimer(window, CurrentState.TimerId);
    CurrentState.TimerId = 0;
    UpdateBusy = 0;
}

UINT UpdateDelayMs(const std::string& delay)
{
    const int64_t ms = std::llabs(int64_t{TextToIntDef(delay, 5)}) * 1000;
    return static_cast<UINT>(ms < USER_TIMER_MAXIMUM ? ms : USER_TIMER_MAXIMUM);
}

void EndUpdates(HWND window)
{
    UpdatesEnded = true;
    StopUpdateTimer(window);
}

void StartUpdateTimer(HWND window, UINT delayMs)
{
    if (UpdateBusy > 0 || UpdatesEnded) return;
    const UINT delay = delayMs > 0 ? delayMs : UpdateDelayMs(SettingText(Setting::DelayV));
    if (CurrentState.TimerId != 0) StopUpdateTimer(window);
    CurrentState.TimerId = SetTimer(window, UpdateTimerId, delay, UpdateStatus);
}

int32_t PictureIndex(const std::string& picture, const std::string& pictureList)
{
    const int32_t number = TextToIntDef(picture, -1);
    if (number >= 0) return number;
    const std::string mark = "||";
    const size_t found = UpperText(pictureList).find(UpperText(mark + picture + mark));
    if (found == std::string::npos) return -1;
    // Each item is preceded by one mark; the list's leading mark is item 0's.
    int32_t index = 0;
    for (size_t at = pictureList.find(mark); at < found; at = pictureList.find(mark, at + 2))
        ++index;
    return index;
}

namespace {

// The tool-tip's texts while switched off (0) and on a track left alone (1).
std::string TrayNote(size_t index)
{
    const std::vector<std::string> notes =
        ListItems(CurrentState.Captions[SettingIndex(Setting::TrayNotes)]);
    return index < notes.size() ? notes[index] : std::string();
}

// Everything a cycle does for one registered client is one piece of work:
// the look at its account, then the status. Cut short for lack of time, it
// leaves the slot as it was and goes on in the next pass.
void UpdateSlot(TClient& slot, bool applying)
{
    const HWND main = slot.MainWnd.Handle;
    TResumable work(main, TWork::Update);
    const TClient before = slot;
    RegisterWindow(slot.ProcessId, main);
    // Another account took the slot back; its registration is enough.
    if (applying && slot.ProcessId != 0 && slot.MainWnd.Handle == main)
        ApplySlotStatus(slot, CurrentState.CurStatus);
    if (SendPassAbandoned()) return;
    if (work.Cut())
        slot = before;
    else
        JournalSlot(slot);
}

// The clients whose threads answer promptly are served first and in full;
// the slow ones get what is left of the cycle's time.
void ServeClients()
{
    const bool applying = SettingOn(Setting::SetPicture) || SettingOn(Setting::SetStatus) ||
                          SettingOn(Setting::SetLongStatus);
    // A client may turn slow or prompt within the cycle: the second round
    // serves every one that the first did not.
    std::array<bool, SlotCount> served{};
    TWindowsAr found;
    RefreshInstances(found);
    for (const bool promptOnly : {true, false}) {
        RegisterNewWindows(found, promptOnly);
        for (size_t i = 0; i < served.size(); ++i) {
            TClient& slot = CurrentState.Slots[i];
            if (SendPassAbandoned()) return;
            if (slot.ProcessId == 0 || served[i]) continue;
            if (promptOnly && IsSlowWindow(slot.MainWnd.Handle)) continue;
            served[i] = true;
            UpdateSlot(slot, applying);
        }
    }
}

void RunCycle()
{
    TSendPass pass(CycleBudgetMs);
    TPS& state = CurrentState;
    state.PlayerActive = GatherTrackInfo();
    state.CurStatus.Caption = ExpandTemplate(SettingText(Setting::Status));
    state.CurStatus.LongText = ExpandTemplate(SettingText(Setting::LongStatus));
    state.CurStatus.PictureIndex =
        PictureIndex(SettingText(Setting::Picture), state.Captions[SettingIndex(Setting::Picture)]);
    state.CurStatus.TrayTip = ExpandTemplate(SettingText(Setting::Tray));
    // Switched off, or on a track left alone, the clients get their own
    // statuses as while the player is stopped, and the tool-tip says why.
    const bool paused = !SettingOn(Setting::Active);
    const bool leftAlone =
        state.PlayerActive && IsLeftAlone(state.TrackFile, SettingText(Setting::Skip));
    if (paused || leftAlone) {
        state.PlayerActive = false;
        state.CurStatus.TrayTip = TrayNote(paused ? 0 : 1);
    }
    if (!SettingOn(Setting::Enable)) return;
    ServeClients();
    // A quit inside the wait has given the slots back: the cycle ends here
    // and leaves the journal, tray and timer as quit did.
    if (SendPassAbandoned()) return;
    if (SettingOn(Setting::SetTray)) {
        SetTrayTip(state.CurStatus.TrayTip);
        Shell_NotifyIconA(NIM_MODIFY, &state.TrayData);
    }
    // A playback change during the cycle may have cleared the count already.
    if (UpdateBusy > 0) --UpdateBusy;
    // Work put off for lack of time goes on soon, after the player's own
    // messages have had their turn.
    StartUpdateTimer(PluginRecord.hwndParent, SendsPutOff() ? ContinueDelayMs : 0);
}

}  // namespace

// One-shot: the cycle arms the timer again at its end. A cycle that finds
// the plug-in disabled leaves the count raised, so that only a playback
// change brings the timer back.
void CALLBACK UpdateStatus(HWND, UINT, UINT_PTR timerId, DWORD)
{
    if (timerId != UpdateTimerId) return;
    try {
        StopUpdateTimer(PluginRecord.hwndParent);
        ++UpdateBusy;
        if (!SettingOn(Setting::Enable)) return;
        RunCycle();
    } catch (...) {
        // The next cycle tries again.
        UpdateBusy = 0;
        StartUpdateTimer(PluginRecord.hwndParent);
    }
}
