#include "plugin/ModuleHold.h"

namespace {

// The player's thread's, both.
bool GPlayerHoldsModule = false;
int GOpenWindows = 0;

}  // namespace

// A window of the plug-in runs a modal loop on the player's thread, and
// the player may quit and free the module from a message inside it. The
// window's own reference keeps the code mapped until its last frame has
// returned: given up at once while the player still holds the module,
// else by an APC, which the thread runs only in an alertable wait, never
// inside the plug-in's frames.
TOwnWindow::TOwnWindow()
{
    ++GOpenWindows;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                       reinterpret_cast<LPCSTR>(&PluginWindowOpen), &Module);
}

TOwnWindow::~TOwnWindow()
{
    --GOpenWindows;
    if (!Module) return;
    if (GPlayerHoldsModule) {
        FreeLibrary(Module);
        return;
    }
    // FreeLibrary has the procedure's form: one pointer-sized argument,
    // the same calling convention.
    QueueUserAPC(reinterpret_cast<PAPCFUNC>(reinterpret_cast<void*>(&FreeLibrary)),
                 GetCurrentThread(), reinterpret_cast<ULONG_PTR>(Module));
}

bool PluginWindowOpen()
{
    return GOpenWindows > 0;
}

bool PlayerHoldsModule()
{
    return GPlayerHoldsModule;
}

void SetPlayerHoldsModule(bool holds)
{
    GPlayerHoldsModule = holds;
}
