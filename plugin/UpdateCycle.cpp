#include "plugin/UpdateCycle.h"

#include <cstdlib>
#include <vector>

#include "clients/SlotJournal.h"
#include "clients/Worker.h"
#include "plugin/Tray.h"
#include "plugin/gen_ZEM.h"
#include "settings/SettingsPath.h"
#include "track/Templates.h"
#include "track/TrackFilter.h"
#include "track/TrackInfo.h"
#include "util/Numbers.h"
#include "util/Text.h"

namespace {

// Set once the plug-in is being uninstalled: no cycle runs again.
bool UpdatesEnded = false;
// Asked of the player once: the journal lies beside the settings file.
std::string JournalPath;

}  // namespace

TWanted WantedNow()
{
    if (JournalPath.empty()) JournalPath = JournalPathFor(SettingsFileToWrite());
    TWanted wanted;
    wanted.Values = CurrentState.Values;
    wanted.Status = CurrentState.CurStatus;
    wanted.PlayerActive = CurrentState.PlayerActive;
    wanted.TrackLeftAlone = CurrentState.TrackLeftAlone;
    wanted.JournalPath = JournalPath;
    return wanted;
}

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

void RunCycle()
{
    TPS& state = CurrentState;
    if (TakePictureChoice()) state.Values[SettingIndex(Setting::SetPicture)] = OnOffText(false);
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
    state.TrackLeftAlone = leftAlone && !paused;
    if (paused || leftAlone) {
        state.PlayerActive = false;
        state.CurStatus.TrayTip = TrayNote(paused ? 0 : 1);
    }
    if (!SettingOn(Setting::Enable)) return;
    HandOver(WantedNow());
    if (SettingOn(Setting::SetTray)) {
        SetTrayTip(state.CurStatus.TrayTip);
        Shell_NotifyIconA(NIM_MODIFY, &state.TrayData);
    }
    if (UpdateBusy > 0) --UpdateBusy;
    StartUpdateTimer(PluginRecord.hwndParent);
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
