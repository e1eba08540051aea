#include "plugin/PlayerMenu.h"

#include <string>

#include "player/wa_ipc.h"
#include "plugin/ModuleHold.h"
#include "plugin/RunningState.h"
#include "plugin/UpdateCycle.h"

HMENU PlayerMenu()
{
    return reinterpret_cast<HMENU>(SendToPlayer(IPC_GET_HMENU, 0));
}

void InsertQuickSwitch(HMENU menu, UINT position)
{
    const UINT check = SettingOn(Setting::Active) ? MF_CHECKED : MF_UNCHECKED;
    const std::string& caption = SettingCaption(Setting::Active);
    InsertMenuA(menu, position, MF_BYPOSITION | MF_STRING | check, QuickSwitchMenuItemId,
                caption.c_str());
}

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

HMENU ShowTrayMenu(HWND player)
{
    HMENU menu = PlayerMenu();
    if (!menu) return nullptr;
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
    return menu;
}
