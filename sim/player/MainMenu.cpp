#include "sim/player/MainMenu.h"

#include "player/wa_ipc.h"
#include "sim/player/Playback.h"

HMENU CreateMainMenu()
{
    HMENU menu = CreatePopupMenu();
    if (!menu) return nullptr;
    AppendMenuA(menu, MF_STRING, PlayerPlay, "Play");
    AppendMenuA(menu, MF_STRING, PlayerPause, "Pause");
    AppendMenuA(menu, MF_STRING, PlayerStop, "Stop");
    AppendMenuA(menu, MF_STRING, PlayerPrevious, "Previous");
    AppendMenuA(menu, MF_STRING, PlayerNext, "Next");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, PlayerExit, "Exit");
    return menu;
}

std::string DescribeMenu(HMENU menu)
{
    const int count = menu ? GetMenuItemCount(menu) : 0;
    std::string description = std::to_string(count > 0 ? count : 0);
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        description += i == 0 ? " " : "|";
        // A submenu's identifier reads -1; a checked item is marked "+".
        if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED) description += "+";
        description += std::to_string(static_cast<int>(GetMenuItemID(menu, i))) + ":" + text;
    }
    return description;
}
