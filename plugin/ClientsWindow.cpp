#include "plugin/ClientsWindow.h"

#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "clients/Worker.h"
#include "player/PluginRecord.h"
#include "plugin/RunningState.h"
#include "settings/Languages.h"
#include "settings/resource.h"
#include "util/Text.h"
#include "util/TimeText.h"

namespace {

// The items of ClientsTexts, in the order saved files hold them: a text
// added later goes at the end, never between.
enum TClientsText : size_t {
    Title,
    LastCycle,
    NoCycleYet,
    NoneRunning,
    PluginOff,
    QuickSwitchOff,
    ShowsTrackText,
    OwnStoppedText,
    OwnSwitchedOffText,
    OwnTrackLeftAloneText,
    NoPictureText,
    NotMusicPictureText,
    NotPluginCaptionText,
    NotInTitleFilterText,
    NotAnsweringText,
    StatusWindowClosedText,
    StatusWindowOpenText,
    Close,
    NothingToChangeText,
    OwnBeingGivenBackText,
};

// The text of each TClientUse, in its order.
constexpr TClientsText UseTexts[] = {
    ShowsTrackText,       OwnStoppedText,         OwnSwitchedOffText,   OwnTrackLeftAloneText,
    NoPictureText,        NotMusicPictureText,    NotPluginCaptionText, NotInTitleFilterText,
    NotAnsweringText,     StatusWindowClosedText, StatusWindowOpenText, NothingToChangeText,
    OwnBeingGivenBackText};
static_assert(std::size(UseTexts) == static_cast<size_t>(TClientUse::OwnBeingGivenBack) + 1,
              "one text for every use");

// The player's thread's, while the window is open: the window and its
// texts.
HWND GShownWindow = nullptr;
std::vector<std::string> GWindowTexts;

std::string Text(size_t index)
{
    return index < GWindowTexts.size() ? GWindowTexts[index] : std::string();
}

std::string ClockTime(const SYSTEMTIME& time)
{
    char text[16] = {};
    std::snprintf(text, sizeof text, "%02u%c%02u%c%02u", time.wHour, TimeSeparator, time.wMinute,
                  TimeSeparator, time.wSecond);
    return text;
}

// One line a client; what the running state switched off comes first.
std::string Lines(const TClientsReport& report)
{
    std::string text;
    const auto add = [&](const std::string& line) { text += line + "\r\n"; };
    if (!SettingOn(Setting::Enable)) add(Text(PluginOff));
    if (!SettingOn(Setting::Active)) add(Text(QuickSwitchOff));
    if (!report.Made) {
        add(Text(NoCycleYet));
        return text;
    }
    add(Text(LastCycle) + ClockTime(report.Time));
    if (report.Lines.empty()) add(Text(NoneRunning));
    for (const TClientLine& line : report.Lines)
        add(line.Kind + " " + line.Account + ": " + Text(UseTexts[static_cast<size_t>(line.Use)]));
    return text;
}

void Fill(HWND window)
{
    SetWindowTextA(window, Text(Title).c_str());
    SetDlgItemTextA(window, IDCANCEL, Text(Close).c_str());
    SetDlgItemTextA(window, IDC_CLIENTLINES, Lines(LastClientsReport()).c_str());
}

// It runs inside the player: nothing may escape to its message loop.
INT_PTR CALLBACK ClientsWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM)
{
    try {
        if (message == WM_INITDIALOG) {
            GShownWindow = window;
            Fill(window);
            // Else the read-only lines take the focus, and with it the
            // dialog manager selects their whole text.
            SendMessageA(window, WM_NEXTDLGCTL,
                         reinterpret_cast<WPARAM>(GetDlgItem(window, IDCANCEL)), TRUE);
        }
        if (message == WM_COMMAND && (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK))
            EndDialog(window, IDCANCEL);
        if (message == WM_DESTROY && GShownWindow == window) GShownWindow = nullptr;
    } catch (...) {
    }
    return 0;
}

}  // namespace

void ShowClientsWindow(HWND owner, const TDlgControlsAr& captions, const std::string& language)
{
    if (GShownWindow) {
        SetForegroundWindow(GShownWindow);
        return;
    }
    GWindowTexts = ClientsWindowTexts(captions[SettingIndex(Setting::ClientsTexts)], language);
    DialogBoxParamA(PluginRecord.hDllInstance, MAKEINTRESOURCEA(IDD_CLIENTS), owner,
                    ClientsWindowProc, 0);
}
