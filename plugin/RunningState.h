// The running state and every way into it. The player's thread owns it;
// only this file and the configuration dialog touch the record itself,
// every other part goes through the functions below.
#pragma once

#include <windows.h>
// shellapi.h needs windows.h first
#include <shellapi.h>

#include <string>

#include "clients/Wanted.h"
#include "settings/State.h"

// The player's thread's: the running state, the defaults (filled once at
// module start) and the dialog's copy.
extern TPS CurrentState;
extern TPS DefaultState;
extern TPS DialogState;

// The running settings: a setting's text or switch, a value set, a caption.
std::string SettingText(int id);
bool SettingOn(int id);
void SetSettingValue(int id, const std::string& value);
const std::string& SettingCaption(int id);
const TDlgControlsAr& SettingCaptions();
// The running state replaced by the defaults and the settings file, and
// the running settings written into it.
void LoadSettings();
void SaveSettings();

// The tray icon's record, and the tool-tip the last cycle made.
NOTIFYICONDATAA& TrayRecord();
const std::string& CycleTrayTip();
// The update timer on the player window; 0 while none is pending.
UINT_PTR UpdateTimer();
void SetUpdateTimer(UINT_PTR timerId);
bool UpdateTimerPending();

// What the cycle reads of the state, and what it keeps there.
const TPlayStateTexts& PlayStateTexts();
void KeepCycleResult(const TTrackValues& track, const TStatus& status, bool playerActive,
                     bool trackLeftAlone);

// What the clients should show: made from a status, or from the running
// state as the last cycle left it.
TWanted WantedFor(const TStatus& status, bool playerActive, bool trackLeftAlone);
TWanted WantedNow();
