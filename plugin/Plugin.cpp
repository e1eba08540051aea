#include "plugin/Plugin.h"

#include "clients/ClientKinds.h"
#include "clients/Worker.h"
#include "player/PluginRecord.h"
#include "player/wa_ipc.h"
#include "plugin/ClientsWindow.h"
#include "plugin/ConfigDialog.h"
#include "plugin/ModuleHold.h"
#include "plugin/PlayerMenu.h"
#include "plugin/RunningState.h"
#include "plugin/Tray.h"
#include "plugin/UpdateCycle.h"
#include "settings/SettingsFile.h"
#include "util/TimeText.h"
#include "util/WinUtil.h"

// The globals of this file are the player's thread's.
WNDPROC OldPlayerWndProc = nullptr;

namespace {

// The procedure the hook replaced, kept after removal for a subclasser that
// outlived the hook and still calls it, and whether the window took Unicode
// messages when it was hooked: the hook hands every message on, and puts the
// procedure back, in that form.
WNDPROC GReplacedPlayerWndProc = nullptr;
bool GReplacedUnicode = false;

bool GConfiguring = false;
bool GQuitForDialog = false;
// Init ran after the last quit, the dialog's included.
bool GInitialised = false;

struct TConfiguring {
    TConfiguring() { GConfiguring = true; }
    ~TConfiguring() { GConfiguring = false; }
    TConfiguring(const TConfiguring&) = delete;
    TConfiguring& operator=(const TConfiguring&) = delete;
};

void SetEnableValue(bool on)
{
    SetSettingValue(Setting::Enable, OnOffText(on));
}

LONG_PTR SetPlayerWndProc(HWND player, bool unicode, WNDPROC procedure)
{
    const LONG_PTR value = reinterpret_cast<LONG_PTR>(procedure);
    return unicode ? SetWindowLongPtrW(player, GWLP_WNDPROC, value)
                   : SetWindowLongPtrA(player, GWLP_WNDPROC, value);
}

// Subclassing with the ANSI function would make a Unicode window ANSI, and
// garble every text outside the code page, for as long as the hook stands.
void InstallHook(HWND player)
{
    if (OldPlayerWndProc) return;
    const bool unicode = IsWindowUnicode(player) != FALSE;
    OldPlayerWndProc = reinterpret_cast<WNDPROC>(SetPlayerWndProc(player, unicode, PlayerWndHook));
    if (!OldPlayerWndProc) return;
    GReplacedPlayerWndProc = OldPlayerWndProc;
    GReplacedUnicode = unicode;
}

LRESULT PassOn(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!procedure) {
        return GReplacedUnicode ? DefWindowProcW(window, message, wParam, lParam)
                                : DefWindowProcA(window, message, wParam, lParam);
    }
    return GReplacedUnicode ? CallWindowProcW(procedure, window, message, wParam, lParam)
                            : CallWindowProcA(procedure, window, message, wParam, lParam);
}

bool IsClosing(UINT message, WPARAM wParam)
{
    return message == WM_CLOSE || message == WM_QUERYENDSESSION || message == WM_QUIT ||
           (message == WM_SYSCOMMAND && wParam == SC_CLOSE);
}

// The update cycle's own queries pass through the hook and must not touch
// the timer.
bool IsCycleQuery(UINT message, LPARAM lParam)
{
    if (message != WM_USER) return false;
    return lParam == IPC_ISPLAYING || lParam == IPC_GETLISTPOS || lParam == IPC_GETPLAYLISTFILE ||
           lParam == IPC_GETPLAYLISTTITLE || lParam == IPC_GET_EXTENDED_FILE_INFO;
}

bool IsPlaybackChange(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) return wParam >= PlayerPrevious && wParam <= PlayerNext;
    if (message == WM_USER) return lParam == IPC_PLAYING_FILE || lParam == IPC_GET_NEXT_PLITEM;
    return message == WM_USER + 3 && wParam >= 10 && wParam <= 14;
}

void OnTrayCallback(LPARAM lParam)
{
    HWND player = PluginRecord.hwndParent;
    switch (LOWORD(lParam)) {
        case WM_LBUTTONUP:
            SetForegroundWindow(player);
            break;
        case WM_RBUTTONUP: {
            HMENU menu = ShowTrayMenu(player);
            if (menu && OldPlayerWndProc) InsertQuickSwitch(menu, MenuEnd);
            break;
        }
        default:
            break;
    }
}

// What the hook does once the player has handled the message.
void AfterPlayerMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The session ends: the restore of WM_QUERYENDSESSION was the last word.
    // A cancelled shutdown (FALSE) goes on as before.
    if (message == WM_ENDSESSION && wParam) return EndUpdates(window);
    if (IsClosing(message, wParam)) {
        StopUpdateTimer(PluginRecord.hwndParent);
        if (SettingOn(Setting::SaveRestore)) RestoreAllClients(WantedNow());
        return;
    }
    // The player may quit the plug-in inside a window's or the tray menu's
    // loop: nothing follows them.
    if (message == WM_COMMAND && HIWORD(wParam) == 0 && LOWORD(wParam) == ConfigMenuItemId)
        return PluginConfig();
    if (message == WM_COMMAND && HIWORD(wParam) == 0 && LOWORD(wParam) == ClientsMenuItemId) {
        const TOwnWindow open;
        return ShowClientsWindow(window, SettingCaptions(), SettingText(Setting::Lang));
    }
    if (message == WM_COMMAND && HIWORD(wParam) == 0 && LOWORD(wParam) == QuickSwitchMenuItemId)
        ToggleQuickSwitch(window);
    if (message == TrayCallbackMessage && SettingOn(Setting::SetTray))
        return OnTrayCallback(lParam);
    if (IsCycleQuery(message, lParam)) return;
    if (IsPlaybackChange(message, wParam, lParam)) StopUpdateTimer(window);
    if (!UpdateTimerPending()) StartUpdateTimer(window);
}

}  // namespace

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

void ApplyEnabledState()
{
    HWND player = PluginRecord.hwndParent;
    RefreshTrayIcon();
    HMENU menu = PlayerMenu();
    if (SettingOn(Setting::Enable)) {
        StartWorker();
        InstallHook(player);
        if (menu) {
            AppendMenuA(menu, MF_STRING, ConfigMenuItemId, PluginName);
            InsertQuickSwitch(menu, MenuEnd);
        }
        return;
    }
    StopUpdateTimer(player);
    if (!OldPlayerWndProc) {
        EndWorker(false, TWanted{});
        return;
    }
    if (menu) {
        DeleteMenu(menu, ConfigMenuItemId, MF_BYCOMMAND);
        DeleteMenu(menu, QuickSwitchMenuItemId, MF_BYCOMMAND);
    }
    SetPlayerWndProc(player, GReplacedUnicode, OldPlayerWndProc);
    OldPlayerWndProc = nullptr;
    EndWorker(SettingOn(Setting::SaveRestore), WantedNow());
}

bool HookIsLastInChain()
{
    if (!GReplacedPlayerWndProc) return true;
    HWND player = PluginRecord.hwndParent;
    if (!OldPlayerWndProc || !IsWindow(player)) return false;
    const LONG_PTR current = GReplacedUnicode ? GetWindowLongPtrW(player, GWLP_WNDPROC)
                                              : GetWindowLongPtrA(player, GWLP_WNDPROC);
    return current == reinterpret_cast<LONG_PTR>(PlayerWndHook);
}

LRESULT CALLBACK PlayerWndHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!OldPlayerWndProc) return PassOn(GReplacedPlayerWndProc, window, message, wParam, lParam);
    const LRESULT result = PassOn(OldPlayerWndProc, window, message, wParam, lParam);
    // The player may have removed the plug-in while it handled the message.
    if (!OldPlayerWndProc) return result;
    try {
        AfterPlayerMessage(window, message, wParam, lParam);
    } catch (...) {
    }
    return result;
}

// The player calls the entry points directly: nothing may escape them.
int PluginInit()
{
    SetPlayerHoldsModule(true);
    GInitialised = true;
    try {
        LoadSettings();
        ApplyEnabledState();
    } catch (...) {
    }
    return 0;
}

void PluginQuit()
{
    GInitialised = false;
    if (!GQuitForDialog) SetPlayerHoldsModule(false);
    try {
        SaveSettings();
        SetEnableValue(false);
        ApplyEnabledState();
    } catch (...) {
    }
}

// The plug-in is absent from the player while the dialog runs; whatever the
// dialog saved takes effect when init loads the file again. A request while
// it runs (the player's preferences allow one) only brings the dialog to the
// front: a nested quit and init would add the menu item a second time.
void PluginConfig()
{
    if (GConfiguring) {
        if (GConfigDialogWindow) SetForegroundWindow(GConfigDialogWindow);
        return;
    }
    const TOwnWindow open;
    const TConfiguring configuring;
    try {
        BeginDialogState();
        const bool enabled = SettingOn(Setting::Enable);
        GQuitForDialog = true;
        PluginRecord.quit();
        GQuitForDialog = false;
        SetEnableValue(enabled);
        DialogBoxParamA(PluginRecord.hDllInstance, ConfigDialogTemplate, PluginRecord.hwndParent,
                        ConfigDialogProc, 0);
    } catch (...) {
        GQuitForDialog = false;
    }
    // Unless the player quit the plug-in, or loaded it again, meanwhile.
    if (PlayerHoldsModule() && !GInitialised) PluginRecord.init();
}
