#include "settings/SettingsPath.h"

#include <windows.h>
// shlobj.h needs windows.h first
#include <shlobj.h>

#include "player/PluginRecord.h"
#include "player/wa_ipc.h"
#include "util/Files.h"
#include "util/Handles.h"

namespace {

std::string WithSlash(const std::string& folder)
{
    return folder.empty() || folder.back() == '\\' ? folder : folder + "\\";
}

// The player's answer, else the player's default below the user's
// application data; empty when neither is known.
std::string PlayerSettingsFolder()
{
    const std::string answer = PlayerText(SendToPlayer(IPC_GETINIDIRECTORY), MAX_PATH + 1);
    if (!answer.empty() && answer.size() <= MAX_PATH) return WithSlash(answer);
    char appData[MAX_PATH + 1] = {};
    if (SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData) != S_OK ||
        appData[0] == '\0')
        return std::string();
    return WithSlash(appData) + PlayerAppDataFolder + "\\";
}

// The user's own file where the one beside the module cannot be written;
// empty where it can, or where the user has none.
std::string UserFileInstead(const std::string& own)
{
    return WriteRefused(own) ? UserSettingsFile() : std::string();
}

}  // namespace

std::string ModuleSettingsFile()
{
    return ModulePath(PluginRecord.hDllInstance) + ".ini";
}

std::string UserSettingsFile()
{
    const std::string folder = PlayerSettingsFolder();
    if (folder.empty()) return std::string();
    const std::string own = ModuleSettingsFile();
    return folder + UserSettingsSubfolder + "\\" + own.substr(own.rfind('\\') + 1);
}

// An existing file is opened for writing without being changed; a missing
// one is created and gone again when the handle closes.
bool WriteRefused(const std::string& path)
{
    const bool exists = FileExists(path);
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    TFileHandle file(CreateFileA(
        path.c_str(), GENERIC_WRITE, share, nullptr, exists ? OPEN_EXISTING : CREATE_NEW,
        exists ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE,
        nullptr));
    if (file.Open()) return false;
    const DWORD error = GetLastError();
    return error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT;
}

std::string SettingsFilePath()
{
    const std::string own = ModuleSettingsFile();
    const std::string user = UserFileInstead(own);
    return !user.empty() && FileExists(user) ? user : own;
}

std::string SettingsFileToWrite()
{
    const std::string own = ModuleSettingsFile();
    const std::string user = UserFileInstead(own);
    if (user.empty()) return own;
    // The player's folder and its Plugins folder, where missing.
    const std::string plugins = FolderOf(user);
    CreateDirectoryA(FolderOf(plugins.substr(0, plugins.size() - 1)).c_str(), nullptr);
    CreateDirectoryA(plugins.c_str(), nullptr);
    return user;
}

std::string PrepareSettingsSave()
{
    const std::string own = ModuleSettingsFile();
    const std::string file = SettingsFileToWrite();
    if (file == own || FileExists(file) || !FileExists(own)) return file;
    // A copy keeps the attributes: the read-only mark must not come along.
    if (CopyFileA(own.c_str(), file.c_str(), TRUE)) {
        const DWORD attributes = GetFileAttributesA(file.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
            SetFileAttributesA(file.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    }
    return file;
}
