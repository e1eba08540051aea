#include "plugin/Tray.h"

#include <shlwapi.h>

#include <algorithm>
#include <cstring>

#include "player/PluginRecord.h"
#include "plugin/RunningState.h"
#include "util/Text.h"

namespace {

// The shell-6.0 record is the whole of ours; older shells read less.
constexpr DWORD TrayRecordV1 = NOTIFYICONDATAA_V1_SIZE;
constexpr DWORD TrayRecordV2 = NOTIFYICONDATAA_V2_SIZE;
constexpr DWORD TrayRecordV3 = sizeof(NOTIFYICONDATAA);
#if !defined(_WIN64)
static_assert(TrayRecordV1 == 88 && TrayRecordV2 == 488 && TrayRecordV3 == 504,
              "the shell's notification record layouts");
#endif
constexpr size_t TipFieldV1 = 64;  // what the first layout lets the shell read

// The player's thread's.
int GShellVersion = 400;

struct TLibrary {
    HMODULE Handle;
    explicit TLibrary(const char* name) : Handle(LoadLibraryA(name)) {}
    ~TLibrary()
    {
        if (Handle) FreeLibrary(Handle);
    }
    TLibrary(const TLibrary&) = delete;
    TLibrary& operator=(const TLibrary&) = delete;
};

}  // namespace

int ShellVersion()
{
    TLibrary shell("shell32.dll");
    if (!shell.Handle) return GShellVersion;
    auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(
        reinterpret_cast<void*>(GetProcAddress(shell.Handle, "DllGetVersion")));
    if (getVersion) {
        DLLVERSIONINFO info{};
        info.cbSize = sizeof info;
        if (getVersion(&info) == S_OK)
            GShellVersion = static_cast<int>(info.dwMajorVersion * 100 + info.dwMinorVersion);
    }
    return GShellVersion;
}

DWORD TrayRecordSize(int shellVersion)
{
    if (shellVersion == 600) return TrayRecordV3;
    return shellVersion >= 500 ? TrayRecordV2 : TrayRecordV1;
}

// The field must end with a zero byte inside what the shell reads.
void SetTrayTip(const std::string& text)
{
    NOTIFYICONDATAA& data = TrayRecord();
    std::memset(data.szTip, 0, sizeof data.szTip);
    const size_t field = data.cbSize == TrayRecordV1 ? TipFieldV1 : sizeof data.szTip;
    std::memcpy(data.szTip, text.data(), std::min(text.size(), field - 1));
}

void RefreshTrayIcon()
{
    NOTIFYICONDATAA& data = TrayRecord();
    data.cbSize = TrayRecordSize(ShellVersion());
    data.hWnd = PluginRecord.hwndParent;
    data.uID = TrayIconId;
    Shell_NotifyIconA(NIM_DELETE, &data);
    if (!SettingOn(Setting::Enable) || !SettingOn(Setting::SetTray)) return;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = TrayCallbackMessage;
    data.hIcon = LoadIconA(PluginRecord.hDllInstance, "MAINICON");
    SetTrayTip(ConvertLineBreaks(CycleTrayTip()));
    Shell_NotifyIconA(NIM_ADD, &data);
    data.uFlags = NIF_TIP;
}
