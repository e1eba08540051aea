// A fresh folder under the temporary folder, removed with its files when the
// test ends.
#pragma once

#include <windows.h>

#include <string>

struct TempFolder {
    std::string Path;  // ends with "\"

    TempFolder()
    {
        char base[MAX_PATH + 1] = {};
        GetTempPathA(MAX_PATH, base);
        static unsigned counter = 0;
        // Wine hands out a process id again once enough have been freed: a
        // folder that an earlier test could not remove is never taken over
        // with its logs and profiles.
        do {
            Path = std::string(base) + "zemtest_" + std::to_string(GetCurrentProcessId()) + "_" +
                   std::to_string(++counter) + "\\";
        } while (!CreateDirectoryA(Path.c_str(), nullptr) &&
                 GetLastError() == ERROR_ALREADY_EXISTS);
    }
    ~TempFolder() { Remove(Path); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    static void Remove(const std::string& folder)
    {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = found.cFileName;
                if (name == "." || name == "..") continue;
                const std::string path = folder + name;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    Remove(path + "\\");
                } else {
                    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileA(path.c_str());
                }
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(folder.c_str());
    }
};

// The folder of the running test program, where the build puts every
// program and the DLL.
inline std::string ProgramFolder()
{
    char path[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}
