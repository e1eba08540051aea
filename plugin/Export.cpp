// The DLL's face: the module start and the two exports, and the one import
// of the linked-in runtime that Windows XP does not have.
#include <windows.h>

#include "player/PluginRecord.h"
#include "plugin/Plugin.h"
#include "plugin/Uninstall.h"

extern "C" TPluginRecord* winampGetGeneralPurposePlugin()
{
    return &PluginRecord;
}

// The player's "Uninstall" button.
extern "C" int winampUninstallPlugin(HINSTANCE module, HWND, int)
{
    return PluginUninstall(module);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        try {
            ModuleInit();
        } catch (...) {
            return FALSE;
        }
    }
    return TRUE;
}

#if defined(__i386__)
namespace {

// The C++ runtime's thread support (used by exceptions and function-local
// statics) is built for Vista and imports GetTickCount64 to time its waits;
// the plug-in runs on XP too. The performance counter is monotonic and does
// not wrap, as GetTickCount64 does not, and exists on every Windows since
// 2000; it is split so that the product cannot overflow.
ULONGLONG WINAPI TickCount64()
{
    LARGE_INTEGER counter{};
    LARGE_INTEGER frequency{};
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    const ULONGLONG count = counter.QuadPart;
    const ULONGLONG rate = frequency.QuadPart;
    return count / rate * 1000 + count % rate * 1000 / rate;
}

}  // namespace

// Takes the place of the import table's entry, so that the linker does not
// import the function from KERNEL32.
extern "C" ULONGLONG(WINAPI* const TickCount64Import)() __asm__("__imp__GetTickCount64@0") =
    TickCount64;
#endif
