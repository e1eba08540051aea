#include "sim/zem/MainForm.h"

#include "sim/common/ClientCommands.h"
#include "sim/common/ClientControls.h"
#include "sim/common/EventLog.h"
#include "sim/common/Window.h"
#include "sim/zem/StatusDialog.h"
#include "sim/zem/Zem.h"

namespace {

constexpr char MainClass[] = "TMainForm";
constexpr char TitlePrefix[] = "[zem] - ";
constexpr int Width = 300;
constexpr int Height = 400;
constexpr int ToolbarHeight = 28;
constexpr int StatusBarHeight = 24;
// How far from its right end a click on the status bar opens the dialog:
// there sits its status button.
constexpr int StatusButtonWidth = 40;
constexpr int Margin = 8;

void RecreateMainForm();

const TClientActions Actions{
    PictureCount,        ChooseStatus, OpenStatusDialog, HideStatusDialog,
    DestroyStatusDialog, SetAccount,   ZemStatus,        RecreateMainForm,
};

void Layout(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    ShowWindow(Zem.Toolbar, Zem.Compact ? SW_HIDE : SW_SHOW);
    MoveWindow(Zem.Toolbar, 0, 0, client.right, ToolbarHeight, TRUE);
    MoveWindow(Zem.StatusBar, 0, client.bottom - StatusBarHeight, client.right, StatusBarHeight,
               TRUE);
    InvalidateRect(window, nullptr, TRUE);
}

void Paint(HWND window)
{
    const TClientStatus status = ZemStatus();
    const std::string text = "Account: " + Zem.Account +
                             "\r\nStatus picture: " + std::to_string(status.Picture) + " " +
                             PictureName(status.Picture) + "\r\nCaption: " + status.Caption +
                             "\r\nLong status: " + status.LongText;
    RECT area = InnerArea(window, Margin);
    area.top += Zem.Compact ? 0 : ToolbarHeight;
    area.bottom -= StatusBarHeight;
    PaintText(window, text, area);
}

void StatusBarClicked(LPARAM point)
{
    RECT client{};
    GetClientRect(Zem.StatusBar, &client);
    if (MessagePoint(point).x >= client.right - StatusButtonWidth) OpenStatusDialog();
}

void SwitchCompact(HWND window)
{
    Zem.Compact = !Zem.Compact;
    LogEvent(Zem.Compact ? "COMPACT on" : "COMPACT off");
    Layout(window);
}

LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
        case PanelClickMessage:
            if (reinterpret_cast<HWND>(wParam) == Zem.StatusBar) StatusBarClicked(lParam);
            return 0;
        case PanelDoubleClickMessage:
            if (reinterpret_cast<HWND>(wParam) == Zem.StatusBar) SwitchCompact(window);
            return 0;
        case WM_SIZE:
            if (Zem.StatusBar) Layout(window);
            return 0;
        case WM_PAINT:
            Paint(window);
            return 0;
        case WM_DESTROY:
            // The window made anew goes on: only the last one ends the client.
            if (window != Zem.Main) return 0;
            break;
    }
    return HandleMainWindowMessage(window, message, wParam, lParam, Actions);
}

// The new window first, with the same title and place: the client never
// stands without one.
void RecreateMainForm()
{
    const HWND old = Zem.Main;
    RECT place{};
    GetWindowRect(old, &place);
    if (!CreateMainForm(GetModuleHandleA(nullptr), IsWindowVisible(old) != FALSE)) return;
    MoveWindow(Zem.Main, place.left, place.top, place.right - place.left, place.bottom - place.top,
               TRUE);
    DestroyWindow(old);
    LogEvent("RECREATE");
}

}  // namespace

bool RegisterMainForm(HINSTANCE instance)
{
    return RegisterWindowClass(instance, MainClass, GuardedProc<HandleMessage>,
                               CS_HREDRAW | CS_VREDRAW, COLOR_WINDOW);
}

bool CreateMainForm(HINSTANCE instance, bool show)
{
    const std::string title = TitlePrefix + Zem.Account;
    Zem.Main = CreateWindowExA(0, MainClass, title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                               CW_USEDEFAULT, CW_USEDEFAULT, Width, Height, nullptr, nullptr,
                               instance, nullptr);
    if (!Zem.Main) return false;
    Zem.Toolbar = CreateControl(PanelClass, 0, "ZEM", Zem.Main, 0, 0, 0, 0);
    Zem.StatusBar = CreateControl(PanelClass, 0, PictureName(Zem.Picture), Zem.Main, 0, 0, 0, 0);
    if (!Zem.Toolbar || !Zem.StatusBar) return false;
    Layout(Zem.Main);
    if (show) ShowMainWindow(Zem.Main);
    return true;
}

void RefreshMainForm()
{
    if (!Zem.Main) return;
    SetWindowTextA(Zem.StatusBar, PictureName(Zem.Picture));
    InvalidateRect(Zem.Main, nullptr, TRUE);
}

void SetAccount(const std::string& account)
{
    Zem.Account = account;
    SetWindowTextA(Zem.Main, (TitlePrefix + account).c_str());
    LogEvent("TITLE " + account);
    InvalidateRect(Zem.Main, nullptr, TRUE);
}
