// The stand-in RnQ client; what it does is told at the top of Rnq.h.
#include <windows.h>

#include "sim/common/ClientCommands.h"
#include "sim/common/ClientControls.h"
#include "sim/common/EventLog.h"
#include "sim/common/Window.h"
#include "sim/rnq/Profile.h"
#include "sim/rnq/Rnq.h"
#include "sim/rnq/StatusForm.h"

TRnq Rnq;

namespace {

constexpr char MainClass[] = "TRnQmain";
constexpr char TitlePrefix[] = "R&Q";
constexpr int Width = 220;
constexpr int Height = 400;
constexpr int Margin = 8;

std::string Title(const std::string& account)
{
    return account.empty() ? std::string(TitlePrefix) : TitlePrefix + (" " + account);
}

void SetAccount(const std::string& account)
{
    Rnq.Account = account;
    SetWindowTextA(Rnq.Main, Title(account).c_str());
    LogEvent("TITLE " + account);
    RefreshMainWindow();
}

const TClientActions Actions{
    PictureCount,      ChooseStatus, OpenStatusForm, HideStatusForm,
    DestroyStatusForm, SetAccount,   RnqStatus,    nullptr,
};

void Paint(HWND window)
{
    const std::string text =
        "Account: " + Rnq.Account + "\r\nXStatus: " + std::to_string(Rnq.Status.Picture) +
        "\r\nCaption: " + Rnq.Status.Caption + "\r\nLong status: " + Rnq.Status.LongText;
    PaintText(window, text, InnerArea(window, Margin));
}

LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        Paint(window);
        return 0;
    }
    return HandleMainWindowMessage(window, message, wParam, lParam, Actions);
}

bool CreateMainWindow(HINSTANCE instance, bool show)
{
    if (!RegisterWindowClass(instance, MainClass, GuardedProc<HandleMessage>,
                             CS_HREDRAW | CS_VREDRAW, COLOR_WINDOW)) {
        return false;
    }
    Rnq.Main = CreateWindowExA(0, MainClass, Title(Rnq.Account).c_str(), WS_OVERLAPPEDWINDOW,
                               CW_USEDEFAULT, CW_USEDEFAULT, Width, Height, nullptr, nullptr,
                               instance, nullptr);
    if (!Rnq.Main) return false;
    if (show) ShowMainWindow(Rnq.Main);
    return true;
}

int Run(int argc, char** argv)
{
    TClientOptions options;
    if (!ParseClientOptions(argc, argv, false, false, options)) return 1;
    OpenEventLog(options.Log);
    Rnq.Account = options.Account;
    LoadProfile();

    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterClientControls(instance) || !RegisterStatusForm(instance)) return 3;
    // The status window first: whoever finds the main window finds it too.
    if (!CreateStatusForm() || !CreateMainWindow(instance, options.Show)) return 3;
    LogStatus(Rnq.Status);

    RunMessageLoop();
    SaveProfile();
    LogEvent("EXIT");
    return 0;
}

}  // namespace

TClientStatus RnqStatus()
{
    return Rnq.Status;
}

void RefreshMainWindow()
{
    if (Rnq.Main) InvalidateRect(Rnq.Main, nullptr, TRUE);
}

int main(int argc, char** argv)
{
    return GuardedMain(Run, argc, argv);
}
