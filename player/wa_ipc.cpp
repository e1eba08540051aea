#include "player/wa_ipc.h"

#include <cstring>

#include "player/PluginRecord.h"

LRESULT SendToPlayer(int code, WPARAM wParam)
{
    return SendMessageA(PluginRecord.hwndParent, WM_USER, wParam, code);
}

std::string PlayerText(LRESULT answer, size_t limit)
{
    const char* text = reinterpret_cast<const char*>(answer);
    if (!text) return std::string();
    return std::string(text, strnlen(text, limit));
}
