#include "sim/zem/StatusDialog.h"

#include "sim/common/ClientControls.h"
#include "sim/common/EventLog.h"
#include "sim/common/StatusWindow.h"
#include "sim/common/Window.h"
#include "sim/zem/Zem.h"

namespace {

constexpr char DialogClass[] = "TCusForm";
constexpr char DialogTitle[] = "Custom status";
constexpr int Width = 330;
constexpr int Height = 190;
constexpr int LabelX = 10;
constexpr int FieldX = 100;
constexpr int FieldWidth = 210;
constexpr int FieldHeight = 22;
constexpr int PictureY = 10;
constexpr int CaptionY = 42;
constexpr int LongTextY = 74;
constexpr int ButtonY = 112;
constexpr int ButtonWidth = 100;
constexpr int ButtonHeight = 26;
constexpr int DropDownHeight = 300;

void ShowPictureTexts(int picture)
{
    if (picture < 0 || picture >= PictureCount) return;
    SetWindowTextA(Zem.CaptionEdit, Zem.Records[picture].Caption.c_str());
    SetWindowTextA(Zem.LongEdit, Zem.Records[picture].LongText.c_str());
}

void ShowCurrentStatus()
{
    SendMessageA(Zem.Pictures, CB_SETCURSEL, static_cast<WPARAM>(Zem.Picture), 0);
    ShowPictureTexts(Zem.Picture);
}

// Made in the order a reader of the dialog meets them: the long-status
// edit before the caption edit, although the caption is shown above it.
bool CreateDialogControls()
{
    Zem.Pictures = CreateControl(ComboBoxClass, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, "",
                                 Zem.Dialog, FieldX, PictureY, FieldWidth, DropDownHeight);
    Zem.LongEdit = CreateControl(EditClass, ES_AUTOHSCROLL | WS_TABSTOP, "", Zem.Dialog, FieldX,
                                 LongTextY, FieldWidth, FieldHeight);
    Zem.CaptionEdit = CreateControl(EditClass, ES_AUTOHSCROLL | WS_TABSTOP, "", Zem.Dialog, FieldX,
                                    CaptionY, FieldWidth, FieldHeight);
    Zem.OkPanel =
        CreateControl(PanelClass, 0, "OK", Zem.Dialog, FieldX, ButtonY, ButtonWidth, ButtonHeight);
    Zem.CancelPanel =
        CreateControl(PanelClass, 0, "Cancel", Zem.Dialog, FieldX + FieldWidth - ButtonWidth,
                      ButtonY, ButtonWidth, ButtonHeight);
    if (!Zem.Pictures || !Zem.LongEdit || !Zem.CaptionEdit || !Zem.OkPanel || !Zem.CancelPanel) {
        return false;
    }
    for (int picture = 0; picture < PictureCount; ++picture) {
        SendMessageA(Zem.Pictures, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(PictureName(picture)));
    }
    ShowCurrentStatus();
    LogEvent("CONTROLS");
    return true;
}

// OK: what the dialog shows becomes the status; no picture chosen counts as
// the first entry, "no picture".
void Confirm()
{
    int picture = static_cast<int>(SendMessageA(Zem.Pictures, CB_GETCURSEL, 0, 0));
    if (picture < 0 || picture >= PictureCount) {
        picture = 0;
        SendMessageA(Zem.Pictures, CB_SETCURSEL, 0, 0);
    }
    TakeStatus(picture, ControlText(Zem.CaptionEdit), ControlText(Zem.LongEdit));
    HideStatusDialog();
}

// The dialog and its controls, made if missing (destroyed, or lazy).
bool MakeDialog()
{
    if (!Zem.Dialog && !CreateStatusDialog()) return false;
    return Zem.OkPanel || CreateDialogControls();
}

void Paint(HWND window)
{
    TPaint paint(window);
    TGuiFont font(paint.Dc);
    const struct {
        int Y;
        const char* Text;
    } labels[] = {{PictureY, "Picture:"}, {CaptionY, "Caption:"}, {LongTextY, "Description:"}};
    for (const auto& label : labels) {
        TextOutA(paint.Dc, LabelX, label.Y + 4, label.Text, lstrlenA(label.Text));
    }
}

void Forget()
{
    Zem.Dialog = Zem.Pictures = Zem.LongEdit = Zem.CaptionEdit = nullptr;
    Zem.OkPanel = Zem.CancelPanel = nullptr;
}

LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsCloseRequest(message, wParam)) {
        HideStatusDialog();
        return 0;
    }
    switch (message) {
        case PanelClickMessage:
            if (reinterpret_cast<HWND>(wParam) == Zem.OkPanel) Confirm();
            if (reinterpret_cast<HWND>(wParam) == Zem.CancelPanel) HideStatusDialog();
            return 0;
        case WM_COMMAND:
            // The user picked another picture: its own texts appear.
            if (HIWORD(wParam) == CBN_SELCHANGE && reinterpret_cast<HWND>(lParam) == Zem.Pictures) {
                ShowPictureTexts(static_cast<int>(SendMessageA(Zem.Pictures, CB_GETCURSEL, 0, 0)));
            }
            return 0;
        case WM_PAINT:
            Paint(window);
            return 0;
        case WM_DESTROY:
            if (window == Zem.Dialog) Forget();
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool RegisterStatusDialog(HINSTANCE instance)
{
    return RegisterWindowClass(instance, DialogClass, GuardedProc<HandleMessage>, 0, COLOR_BTNFACE);
}

bool CreateStatusDialog()
{
    Zem.Dialog = CreateWindowExA(0, DialogClass, DialogTitle,
                                 WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                                 CW_USEDEFAULT, CW_USEDEFAULT, Width, Height, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    if (!Zem.Dialog) return false;
    return Zem.LazyDialog || CreateDialogControls();
}

void OpenStatusDialog()
{
    if (MakeDialog()) OpenStatusWindow(Zem.Dialog, ShowCurrentStatus);
}

void HideStatusDialog()
{
    HideStatusWindow(Zem.Dialog);
}

void DestroyStatusDialog()
{
    DestroyStatusWindow(Zem.Dialog);
}

bool ChooseStatus(const TUserChoice& choice)
{
    if (!MakeDialog()) return false;
    SendMessageA(Zem.Pictures, CB_SETCURSEL, static_cast<WPARAM>(choice.Picture), 0);
    ShowPictureTexts(choice.Picture);
    if (choice.Caption) SetWindowTextA(Zem.CaptionEdit, choice.Caption->c_str());
    if (choice.LongText) SetWindowTextA(Zem.LongEdit, choice.LongText->c_str());
    Confirm();
    return true;
}
