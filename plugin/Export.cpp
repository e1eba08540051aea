// The DLL's face: the module start and the one export.
#include <windows.h>

#include "plugin/Plugin.h"
#include "plugin/gen_ZEM.h"

extern "C" TPluginRecord* winampGetGeneralPurposePlugin()
{
    return &PluginRecord;
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
