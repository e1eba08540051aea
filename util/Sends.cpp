#include "util/Sends.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <limits>

namespace {

// Bytes that an ANSI text of so many characters may need.
LRESULT AnsiLength(LRESULT characters)
{
    static const UINT perCharacter = [] {
        CPINFO info{};
        return GetCPInfo(CP_ACP, &info) && info.MaxCharSize > 1 ? info.MaxCharSize : 1u;
    }();
    if (characters <= 0) return characters;
    const LRESULT most = std::numeric_limits<LRESULT>::max();
    return characters > most / static_cast<LRESULT>(perCharacter)
               ? most
               : characters * static_cast<LRESULT>(perCharacter);
}

// The text of WM_SETTEXT is the plug-in's own, bounded and terminated; the
// size of WM_GETTEXT's buffer is what it asks for.
UINT TimeoutFor(UINT message, WPARAM wParam, LPARAM lParam)
{
    size_t bytes = 0;
    if (message == WM_GETTEXT) bytes = wParam;
    if (message == WM_SETTEXT && lParam) bytes = std::strlen(reinterpret_cast<const char*>(lParam));
    return SendTimeoutMs + static_cast<UINT>(std::min<size_t>(bytes / TextBytesPerMs, TextExtraMs));
}

// Set by the player's thread while it waits for the worker; read by every
// thread that sends.
std::atomic<DWORD> GSendsEnd{0};

UINT Limited(UINT timeout)
{
    const DWORD end = GSendsEnd.load();
    const LONG left = end == 0 ? 0 : static_cast<LONG>(end - GetTickCount());
    if (left <= 0) return timeout;
    return std::min(timeout, std::max(SendTimeoutMs, static_cast<UINT>(left)));
}

}  // namespace

TSendObserver GSendObserver = nullptr;
TSendGate GSendGate = nullptr;

void LimitSendsUntil(DWORD end)
{
    GSendsEnd = end;
}

TAnswer SendToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    TAnswer answer;
    if (!window || (GSendGate && !GSendGate())) return answer;
    if (GSendObserver) GSendObserver(window, message, wParam, lParam);
    // Wine answers the ANSI WM_GETTEXTLENGTH of another thread's window
    // with a second send that waits without a limit; the wide one keeps the
    // limit, and its count of characters becomes the bytes that the ANSI
    // text may need.
    const UINT flags = SMTO_NORMAL | SMTO_ABORTIFHUNG;
    const bool wide = message == WM_GETTEXTLENGTH &&
                      GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId();
    DWORD_PTR value = 0;
    const LRESULT sent =
        wide ? SendMessageTimeoutW(window, message, wParam, lParam, flags, SendTimeoutMs, &value)
             : SendMessageTimeoutA(window, message, wParam, lParam, flags,
                                   Limited(TimeoutFor(message, wParam, lParam)), &value);
    if (sent == 0) return answer;
    answer.Answered = true;
    answer.Value = static_cast<LRESULT>(value);
    if (wide) answer.Value = AnsiLength(answer.Value);
    return answer;
}
