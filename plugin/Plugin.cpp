#include "plugin/Plugin.h"

#include "plugin/gen_ZEM.h"
#include "settings/SettingsFile.h"
#include "util/TimeText.h"

TPluginRecord PluginRecord{};
WNDPROC OldPlayerWndProc = nullptr;
int32_t UpdateBusy = 0;
TPS CurrentState;
TPS DefaultState;
TPS DialogState;

void ModuleInit()
{
    InitTimeSeparator();
    UpdateBusy = 0;
    InitClientKinds();
    OldPlayerWndProc = nullptr;
    CopyState(TPS{}, DefaultState);
    FillDefaultSettings(DefaultState);
    PluginRecord = TPluginRecord{PluginVersion, PluginName, PluginInit, PluginConfig,
                                 PluginQuit,    nullptr,    nullptr};
}

// The player calls the entry points directly: nothing may escape them.
int PluginInit()
{
    try {
        LoadSettings();
    } catch (...) {
    }
    return 0;
}

void PluginQuit()
{
    try {
        SaveSettings();
        CurrentState.Values[SettingIndex(Setting::Enable)] = OnOffText(false);
    } catch (...) {
    }
}

void PluginConfig()
{
    try {
        CopyState(CurrentState, DialogState);
        const bool enabled = SettingOn(Setting::Enable);
        PluginRecord.quit();
        CurrentState.Values[SettingIndex(Setting::Enable)] = OnOffText(enabled);
    } catch (...) {
    }
    PluginRecord.init();
}
