// The plug-in folder that the test fixture ReadOnlyFolder.Mount makes
// read-only (tests/readonly_folder.sh): the built plug-in and a settings file
// that serves the clients, as an administrator installed them.
#pragma once

#include <windows.h>

#include <string>

#include "tests/TempFolder.h"

constexpr const char* ReadOnlyFolderMissing =
    "the read-only plug-in folder is made by the CTest fixture ReadOnlyFolder.Mount "
    "(tests/readonly_folder.sh, needs root): run the test through ctest";

// Without a "\" at the end, as the player is given it.
inline std::string ReadOnlyPluginFolder()
{
    return ProgramFolder() + "readonly-plugins";
}

// Holds the plug-in, and no file can be made in it.
inline bool IsReadOnlyPluginFolder(const std::string& folder)
{
    if (GetFileAttributesA((folder + "\\gen_ZEM.dll").c_str()) == INVALID_FILE_ATTRIBUTES)
        return false;
    HANDLE probe = CreateFileA((folder + "\\probe").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (probe == INVALID_HANDLE_VALUE) return true;
    CloseHandle(probe);
    return false;
}
