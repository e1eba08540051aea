#include "sim/player/Plugins.h"

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

#include "player/PluginRecord.h"
#include "sim/common/EventLog.h"

namespace {

using TGetPlugin = TPluginRecord* (*)();

struct TLibrary {
    HMODULE Handle = nullptr;

    explicit TLibrary(HMODULE handle) : Handle(handle) {}
    ~TLibrary() { Free(); }
    TLibrary(TLibrary&& other) noexcept : Handle(std::exchange(other.Handle, nullptr)) {}
    TLibrary(const TLibrary&) = delete;
    TLibrary& operator=(const TLibrary&) = delete;
    TLibrary& operator=(TLibrary&&) = delete;

    void Free()
    {
        if (Handle) FreeLibrary(Handle);
        Handle = nullptr;
    }
};

struct TPlugin {
    std::string File;
    TLibrary Library;
    TPluginRecord* Record;
};

std::vector<TPlugin> Plugins;
std::string PluginFolder;  // ends with "\"

// The player's own answers to a plug-in's uninstall entry.
using TUninstall = int (*)(HINSTANCE module, HWND parent, int param);
constexpr int UninstallNow = 1;

// Another plug-in that subclasses the main window after the others, as many
// do: it hands every message on to the procedure it replaced.
WNDPROC ReplacedByOther = nullptr;

LRESULT CALLBACK OtherPluginsProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return IsWindowUnicode(window)
               ? CallWindowProcW(ReplacedByOther, window, message, wParam, lParam)
               : CallWindowProcA(ReplacedByOther, window, message, wParam, lParam);
}

void QuitPlugin(const TPlugin& plugin)
{
    LogEvent("PLUGIN quit " + plugin.File);
    plugin.Record->quit();
}

void DeletePluginFile(const std::string& file)
{
    const bool deleted = DeleteFileA((PluginFolder + file).c_str()) != 0;
    LogEvent("DELETED " + file + (deleted ? " ok" : " failed"));
}

bool EndsWithDll(const std::string& name)
{
    return name.size() > 4 && lstrcmpiA(name.c_str() + name.size() - 4, ".dll") == 0;
}

// Sorted without regard to case, as the file system lists them.
std::vector<std::string> PluginFiles(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "gen_*.dll").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && EndsWithDll(found.cFileName)) {
            names.push_back(found.cFileName);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return lstrcmpiA(a.c_str(), b.c_str()) < 0;
    });
    return names;
}

// The record of a module that is a general-purpose plug-in the player can
// run; null otherwise.
TPluginRecord* PluginRecordOf(HMODULE module)
{
    if (!module) return nullptr;
    auto get = reinterpret_cast<TGetPlugin>(
        reinterpret_cast<void*>(GetProcAddress(module, "winampGetGeneralPurposePlugin")));
    TPluginRecord* record = get ? get() : nullptr;
    if (!record || record->version != PluginVersion) return nullptr;
    return record->init && record->config && record->quit ? record : nullptr;
}

void LoadPlugin(const std::string& folder, const std::string& file, HWND window)
{
    TLibrary library(LoadLibraryA((folder + file).c_str()));
    TPluginRecord* record = PluginRecordOf(library.Handle);
    LogEvent("PLUGIN load " + file + (record ? " ok" : " failed"));
    if (!record) return;
    record->hwndParent = window;
    record->hDllInstance = library.Handle;
    const int result = record->init();
    LogEvent("PLUGIN init " + file + " " + std::to_string(result));
    if (result == 0) Plugins.push_back(TPlugin{file, std::move(library), record});
}

}  // namespace

void LoadPlugins(const std::string& folder, HWND window, const std::string& removed)
{
    PluginFolder = folder;
    if (!PluginFolder.empty() && PluginFolder.back() != '\\' && PluginFolder.back() != '/')
        PluginFolder += '\\';
    for (const std::string& file : PluginFiles(PluginFolder))
        if (lstrcmpiA(file.c_str(), removed.c_str()) != 0) LoadPlugin(PluginFolder, file, window);
}

void UninstallFirstPlugin(HWND window)
{
    if (Plugins.empty()) {
        LogEvent("UNINSTALL none");
        return;
    }
    const std::string file = Plugins.front().File;
    auto uninstall = reinterpret_cast<TUninstall>(reinterpret_cast<void*>(
        GetProcAddress(Plugins.front().Library.Handle, "winampUninstallPlugin")));
    if (!uninstall) {
        LogEvent("UNINSTALL " + file + " unsupported");
        return;
    }
    const int answer = uninstall(Plugins.front().Library.Handle, window, 0);
    LogEvent("UNINSTALL " + file + " " + std::to_string(answer));
    if (answer == UninstallNow) {
        QuitPlugin(Plugins.front());
        std::vector<TPlugin> rest(std::make_move_iterator(Plugins.begin() + 1),
                                  std::make_move_iterator(Plugins.end()));
        Plugins.front().Library.Free();
        Plugins.swap(rest);
        DeletePluginFile(file);
        return;
    }
    // The player goes down as at a close and deletes the file on its way up
    // again; the stand-in does both in its own process. A module that is
    // still mapped keeps its file here, where a restarted player's process
    // would have let it go: it is not loaded again all the same.
    LogEvent("RESTART");
    QuitPlugins();
    FreePlugins();
    DeletePluginFile(file);
    LoadPlugins(PluginFolder, window, file);
}

void SubclassAsAnotherPlugin(HWND window)
{
    if (ReplacedByOther) return;
    const LONG_PTR procedure = reinterpret_cast<LONG_PTR>(OtherPluginsProc);
    ReplacedByOther = reinterpret_cast<WNDPROC>(
        IsWindowUnicode(window) ? SetWindowLongPtrW(window, GWLP_WNDPROC, procedure)
                                : SetWindowLongPtrA(window, GWLP_WNDPROC, procedure));
    LogEvent("SUBCLASSED");
}

void ConfigFirstPlugin()
{
    if (Plugins.empty()) {
        LogEvent("PLUGIN config none");
        return;
    }
    LogEvent("PLUGIN config " + Plugins.front().File);
    Plugins.front().Record->config();
}

void QuitPlugins()
{
    for (const TPlugin& plugin : Plugins) QuitPlugin(plugin);
}

void FreePlugins()
{
    for (TPlugin& plugin : Plugins) plugin.Library.Free();
    Plugins.clear();
}
