#include "plugin/UpdateCycle.h"

#include <cstdlib>
#include <vector>

#include "clients/Worker.h"
#include "player/PluginRecord.h"
#include "plugin/RunningState.h"
#include "plugin/Tray.h"
#include "track/Templates.h"
#include "track/TrackFilter.h"
#include "track/TrackInfo.h"
#include "util/Numbers.h"
#include "util/Text.h"

int32_t UpdateBusy = 0;

namespace {

// Set once the plug-in is being uninstalled: no cycle runs again. The
// player's thread's, as UpdateBusy.
bool GUpdatesEnded = false;

}  // namespace

void StopUpdateTimer(HWND window)
{
    if (UpdateTimerPending()) KillTimer(window, UpdateTimer());
    SetUpdateTimer(0);
    UpdateBusy = 0;
}

UINT UpdateDelayMs(const std::string& delay)
{
    const int64_t ms = std::llabs(int64_t{TextToIntDef(delay, 5)}) * 1000;
    return static_cast<UINT>(ms < USER_TIMER_MAXIMUM ? ms : USER_TIMER_MAXIMUM);
}

void EndUpdates(HWND window)
{
    GUpdatesEnded = true;
    StopUpdateTimer(window);
}

void StartUpdateTimer(HWND window, UINT delayMs)
{
    if (UpdateBusy > 0 || GUpdatesEnded) return;
    const UINT delay = delayMs > 0 ? delayMs : UpdateDelayMs(SettingText(Setting::DelayV));
    if (UpdateTimerPending()) StopUpdateTimer(window);
    SetUpdateTimer(SetTimer(window, UpdateTimerId, delay, UpdateStatus));
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
    const std::vector<std::string> notes = ListItems(SettingCaption(Setting::TrayNotes));
    return index < notes.size() ? notes[index] : std::string();
}

// The status the templates make of the track; the picture by its number or
// its name in the picture list.
TStatus StatusOf(const TTrackValues& track)
{
    TStatus status;
    status.Caption = ExpandTemplate(SettingText(Setting::Status), track);
    status.LongText = ExpandTemplate(SettingText(Setting::LongStatus), track);
    status.PictureIndex =
        PictureIndex(SettingText(Setting::Picture), SettingCaption(Setting::Picture));
    status.TrayTip = ExpandTemplate(SettingText(Setting::Tray), track);
    return status;
}

void RunCycle()
{
    if (TakePictureChoice()) SetSettingValue(Setting::SetPicture, OnOffText(false));
    TTrackValues track;
    bool active = GatherTrackInfo(PlayStateTexts(), track);
    TStatus status = StatusOf(track);
    // Switched off, or on a track left alone, the clients get their own
    // statuses as while the player is stopped, and the tool-tip says why.
    const bool paused = !SettingOn(Setting::Active);
    const bool leftAlone = active && IsLeftAlone(track.TrackFile, SettingText(Setting::Skip));
    const bool trackLeftAlone = leftAlone && !paused;
    if (paused || leftAlone) {
        active = false;
        status.TrayTip = TrayNote(paused ? 0 : 1);
    }
    KeepCycleResult(track, status, active, trackLeftAlone);
    if (!SettingOn(Setting::Enable)) return;
    HandOver(WantedFor(status, active, trackLeftAlone));
    if (SettingOn(Setting::SetTray)) {
        SetTrayTip(status.TrayTip);
        Shell_NotifyIconA(NIM_MODIFY, &TrayRecord());
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
