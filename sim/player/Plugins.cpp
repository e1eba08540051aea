#include "sim/player/Plugins.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "plugin/gen_ZEM.h"
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

void LoadPlugins(const std::string& folder, HWND window)
{
    std::string prefix = folder;
    if (!prefix.empty() && prefix.back() != '\\' && prefix.back() != '/') prefix += '\\';
    for (const std::string& file : PluginFiles(prefix)) LoadPlugin(prefix, file, window);
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
    for (const TPlugin& plugin : Plugins) {
        LogEvent("PLUGIN quit " + plugin.File);
        plugin.Record->quit();
    }
}

void FreePlugins()
{
    for (TPlugin& plugin : Plugins) plugin.Library.Free();
    Plugins.clear();
}
