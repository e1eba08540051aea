#include "plugin/Uninstall.h"

#include <string>

#include "clients/Worker.h"
#include "player/PluginRecord.h"
#include "plugin/ConfigDialog.h"
#include "plugin/ModuleHold.h"
#include "plugin/Plugin.h"
#include "plugin/RunningState.h"
#include "plugin/UpdateCycle.h"
#include "util/Files.h"
#include "util/WinUtil.h"

namespace {

std::string WithoutTrailingSlash(std::string folder)
{
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    return folder;
}

// The uninstall entry is removed only when it names this folder: another
// install's entry is not this one's to remove. True when no entry of this
// folder is left.
bool RemoveUninstallEntry(const std::string& folder)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, UninstallKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return true;
    char location[MAX_PATH + 1] = {};
    DWORD size = MAX_PATH;
    DWORD type = 0;
    const bool read = RegQueryValueExA(key, "InstallLocation", nullptr, &type,
                                       reinterpret_cast<BYTE*>(location), &size) == ERROR_SUCCESS;
    RegCloseKey(key);
    if (!read || type != REG_SZ) return true;
    if (lstrcmpiA(WithoutTrailingSlash(location).c_str(), WithoutTrailingSlash(folder).c_str()) != 0)
        return true;
    return RegDeleteKeyA(HKEY_LOCAL_MACHINE, UninstallKey) == ERROR_SUCCESS;
}

}  // namespace

int PluginUninstall(HINSTANCE module)
{
    try {
        // From here on nothing writes the track again: the quit that the
        // player calls next finds every client given back already.
        EndUpdates(PluginRecord.hwndParent);
        const bool givenBack = RestoreAllClients(WantedNow());
        const std::string folder = FolderOf(ModulePath(module));
        DeleteFileA(HelpPagePath().c_str());
        // Without its entry the uninstaller would be an orphan; with an
        // entry that could not be removed, it is what removes the entry.
        if (RemoveUninstallEntry(folder)) DeleteFileA((folder + UninstallerName).c_str());
        // Under a window of its own the module must outlive the window's
        // loop, and the worker keeps it while it tries again the clients
        // that did not take their status back: the player removes the file
        // at its next start.
        return givenBack && HookIsLastInChain() && !PluginWindowOpen() ? UninstallNow
                                                                       : UninstallAtRestart;
    } catch (...) {
        return UninstallAtRestart;
    }
}
