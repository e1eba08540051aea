#include "plugin/RunningState.h"

#include "clients/SlotJournal.h"
#include "settings/SettingsFile.h"

TPS CurrentState;
TPS DefaultState;
TPS DialogState;

std::string SettingText(int id)
{
    return TextIn(CurrentState.Values, id);
}

bool SettingOn(int id)
{
    return OnIn(CurrentState.Values, id);
}

void SetSettingValue(int id, const std::string& value)
{
    CurrentState.Values[SettingIndex(id)] = value;
}

const std::string& SettingCaption(int id)
{
    return CurrentState.Captions[SettingIndex(id)];
}

const TDlgControlsAr& SettingCaptions()
{
    return CurrentState.Captions;
}

void LoadSettings()
{
    LoadSettingsInto(CurrentState, DefaultState);
}

void SaveSettings()
{
    SaveSettingsFrom(CurrentState);
}

NOTIFYICONDATAA& TrayRecord()
{
    return CurrentState.TrayData;
}

const std::string& CycleTrayTip()
{
    return CurrentState.CurStatus.TrayTip;
}

UINT_PTR UpdateTimer()
{
    return CurrentState.TimerId;
}

void SetUpdateTimer(UINT_PTR timerId)
{
    CurrentState.TimerId = timerId;
}

bool UpdateTimerPending()
{
    return CurrentState.TimerId != 0;
}

const TPlayStateTexts& PlayStateTexts()
{
    return CurrentState.PlayStateTexts;
}

void KeepCycleResult(const TTrackValues& track, const TStatus& status, bool playerActive,
                     bool trackLeftAlone)
{
    CurrentState.CurStatus = status;
    CurrentState.PlayerActive = playerActive;
    CurrentState.TrackLeftAlone = trackLeftAlone;
    CurrentState.TokenValues = track.TokenValues;
    CurrentState.TrackFile = track.TrackFile;
}

namespace {

// Asked of the player once: the journal lies beside the settings file.
// The player's thread's.
std::string GJournalPath;

}  // namespace

TWanted WantedFor(const TStatus& status, bool playerActive, bool trackLeftAlone)
{
    if (GJournalPath.empty()) GJournalPath = JournalPathFor(SettingsFileToWrite());
    TWanted wanted;
    wanted.Values = CurrentState.Values;
    wanted.Status = status;
    wanted.PlayerActive = playerActive;
    wanted.TrackLeftAlone = trackLeftAlone;
    wanted.JournalPath = GJournalPath;
    return wanted;
}

TWanted WantedNow()
{
    return WantedFor(CurrentState.CurStatus, CurrentState.PlayerActive,
                     CurrentState.TrackLeftAlone);
}
