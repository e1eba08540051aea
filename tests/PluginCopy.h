// A copy of the built plug-in DLL in a folder of the test's own, loaded: its
// settings file sits beside it, so each test has its own.
#pragma once

#include <windows.h>

#include <string>

#include "tests/TempFolder.h"

struct PluginCopy {
    std::string Path;
    HMODULE Module = nullptr;

    explicit PluginCopy(const std::string& folder) : Path(folder + "gen_ZEM.dll")
    {
        if (CopyFileA((ProgramFolder() + "gen_ZEM.dll").c_str(), Path.c_str(), FALSE))
            Module = LoadLibraryA(Path.c_str());
    }
    ~PluginCopy()
    {
        if (Module) FreeLibrary(Module);
    }
    PluginCopy(const PluginCopy&) = delete;
    PluginCopy& operator=(const PluginCopy&) = delete;

    std::string SettingsFile() const { return Path + ".ini"; }
};
