#include "plugin/Plugin.h"

#include "clients/Worker.h"
#include "player/PluginRecord.h"
#include "player/wa_ipc.h"
#include "plugin/ClientsWindow.h"
#include "plugin/ConfigDialog.h"
#include "plugin/RunningState.h"
#include "plugin/Tray.h"
#include "plugin/UpdateCycle.h"
#include "settings/SettingsFile.h"
#include "util/TimeText.h"
#include "util/WinUtil.h"

WNDPROC OldPlayerWndProc = nullptr;

namespace {

// The procedure the hook replaced, kept after removal for a subclasser that
// outlived the hook and still calls it, and whether the window took Unicode
// messages when it was hooked: the hook hands every message on, and puts the
// procedure back, in that form.
WNDPROC ReplacedPlayerWndProc = nullptr;
bool ReplacedUnicode = false;

bool Configuring = false;
// The player holds the module: its init ran, and no quit of the player's
// own came after it (the dialog's own quit is not the player's).
bool PlayerHoldsModule = false;
bool QuitForDialog = false;
// Init ran after the last quit, the dialog's included.
bool Initialised = false;
int OpenWindows = 0;

// A window of the plug-in runs a modal loop on the player's thread, and
// the player may quit and free the module from a message inside it. The
// window's own reference keeps the code mapped until its last frame has
// returned: given up at once while the player still holds the module,
// else by an APC, which the thread runs only in an alertable wait, never
// inside the plug-in's frames.
struct TOwnWindow {
    HMODULE Module = nullptr;
    TOwnWindow()
    {
        ++OpenWindows;
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                           reinterpret_cast<LPCSTR>(&PlayerWndHook), &Module);
    }
    ~TOwnWindow()
    {
        --OpenWindows;
        if (!Module) return;
        if (PlayerHoldsModule) {
            FreeLibrary(Module);
            return;
        }
        // FreeLibrary has the procedure's form: one pointer-sized argument,
        // the same calling convention.
        QueueUserAPC(reinterpret_cast<PAPCFUNC>(reinterpret_cast<void*>(&FreeLibrary)),
                     GetCurrentThread(), reinterpret_cast<ULONG_PTR>(Module));
    }
    TOwnWindow(const TOwnWindow&) = delete;
    TOwnWindow& operator=(const TOwnWindow&) = delete;
};

struct TConfiguring {
    TConfiguring() { Configuring = true; }
    ~TConfiguring() { Configuring = false; }
    TConfiguring(const TConfiguring&) = delete;
    TConfiguring& operator=(const TConfiguring&) = delete;
};

void SetEnableValue(bool on)
{
    SetSettingValue(Setting::Enable, OnOffText(on));
}

HMENU PlayerMenu()
{
    return reinterpret_cast<HMENU>(SendToPlayer(IPC_GET_HMENU, 0));
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
    ReplacedPlayerWndProc = OldPlayerWndProc;
    ReplacedUnicode = unicode;
}

LRESULT PassOn(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!procedure) {
        return ReplacedUnicode ? DefWindowProcW(window, message, wParam, lParam)
                               : DefWindowProcA(window, message, wParam, lParam);
    }
    return ReplacedUnicode ? CallWindowProcW(procedure, window, message, wParam, lParam)
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

constexpr UINT MenuEnd = static_cast<UINT>(-1);

void InsertQuickSwitch(HMENU menu, UINT position)
{
    const UINT check = SettingOn(Setting::Active) ? MF_CHECKED : MF_UNCHECKED;
    const std::string& caption = SettingCaption(Setting::Active);
    InsertMenuA(menu, position, MF_BYPOSITION | MF_STRING | check, QuickSwitchMenuItemId,
                caption.c_str());
}

// Off, the clients get their own statuses back as on stop; on, the track.
// Either way at once, not after the delay.
void ToggleQuickSwitch(HWND player)
{
    const bool on = !SettingOn(Setting::Active);
    SetSettingValue(Setting::Active, OnOffText(on));
    HMENU menu = PlayerMenu();
    if (menu)
        CheckMenuItem(menu, QuickSwitchMenuItemId, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
    StopUpdateTimer(player);
    StartUpdateTimer(player, ImmediateDelayMs);
}

// The tray icon's menu is the player's, with the quick switch and the
// clients window on top for as long as it shows.
void ShowTrayMenu(HWND player)
{
    HMENU menu = PlayerMenu();
    if (!menu) return;
    DeleteMenu(menu, QuickSwitchMenuItemId, MF_BYCOMMAND);
    InsertQuickSwitch(menu, 0);
    const std::string& clients = SettingCaption(Setting::Clients);
    InsertMenuA(menu, 1, MF_BYPOSITION | MF_STRING, ClientsMenuItemId, clients.c_str());
    POINT cursor{};
    GetCursorPos(&cursor);
    SetForegroundWindow(player);
    const TOwnWindow open;
    TrackPopupMenu(menu, 0, cursor.x, cursor.y, 0, player, nullptr);
    DeleteMenu(menu, ClientsMenuItemId, MF_BYCOMMAND);
    DeleteMenu(menu, QuickSwitchMenuItemId, MF_BYCOMMAND);
    if (OldPlayerWndProc) InsertQuickSwitch(menu, MenuEnd);
}

void OnTrayCallback(LPARAM lParam)
{
    HWND player = PluginRecord.hwndParent;
    switch (LOWORD(lParam)) {
        case WM_LBUTTONUP:
            SetForegroundWindow(player);
            break;
        case WM_RBUTTONUP:
            ShowTrayMenu(player);
            break;
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
    SetPlayerWndProc(player, ReplacedUnicode, OldPlayerWndProc);
    OldPlayerWndProc = nullptr;
    EndWorker(SettingOn(Setting::SaveRestore), WantedNow());
}

bool HookIsLastInChain()
{
    if (!ReplacedPlayerWndProc) return true;
    HWND player = PluginRecord.hwndParent;
    if (!OldPlayerWndProc || !IsWindow(player)) return false;
    const LONG_PTR current = ReplacedUnicode ? GetWindowLongPtrW(player, GWLP_WNDPROC)
                                             : GetWindowLongPtrA(player, GWLP_WNDPROC);
    return current == reinterpret_cast<LONG_PTR>(PlayerWndHook);
}

LRESULT CALLBACK PlayerWndHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!OldPlayerWndProc) return PassOn(ReplacedPlayerWndProc, window, message, wParam, lParam);
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
    PlayerHoldsModule = true;
    Initialised = true;
    try {
        LoadSettings();
        ApplyEnabledState();
    } catch (...) {
    }
    return 0;
}

void PluginQuit()
{
    Initialised = false;
    if (!QuitForDialog) PlayerHoldsModule = false;
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
    if (Configuring) {
        if (ConfigDialogWindow) SetForegroundWindow(ConfigDialogWindow);
        return;
    }
    const TOwnWindow open;
    const TConfiguring configuring;
    try {
        BeginDialogState();
        const bool enabled = SettingOn(Setting::Enable);
        QuitForDialog = true;
        PluginRecord.quit();
        QuitForDialog = false;
        SetEnableValue(enabled);
        DialogBoxParamA(PluginRecord.hDllInstance, ConfigDialogTemplate, PluginRecord.hwndParent,
                        ConfigDialogProc, 0);
    } catch (...) {
        QuitForDialog = false;
    }
    // Unless the player quit the plug-in, or loaded it again, meanwhile.
    if (PlayerHoldsModule && !Initialised) PluginRecord.init();
}

bool PluginWindowOpen()
{
    return OpenWindows > 0;
}
