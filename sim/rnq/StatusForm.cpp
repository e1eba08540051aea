#include "sim/rnq/StatusForm.h"

#include "sim/common/ClientControls.h"
#include "sim/common/EventLog.h"
#include "sim/common/StatusWindow.h"
#include "sim/common/Window.h"
#include "sim/rnq/Rnq.h"

namespace {

constexpr char FormClass[] = "TxStatusForm";
constexpr char FormTitle[] = "XStatus";
constexpr int Columns = 7;
constexpr int CellWidth = 30;
constexpr int CellHeight = 25;
constexpr int GridLeft = 5;
constexpr int GridTop = 37;
constexpr int Rows = (PictureCount + Columns - 1) / Columns;
constexpr int GridRight = GridLeft + Columns * CellWidth;
constexpr int GridBottom = GridTop + Rows * CellHeight;
constexpr int CaptionY = GridBottom + 10;
constexpr int EditHeight = 22;
constexpr int MemoY = CaptionY + EditHeight + 8;
constexpr int MemoHeight = 60;
constexpr int ClientWidth = GridRight + GridLeft;
constexpr int ClientHeight = MemoY + MemoHeight + 10;
constexpr int NoCell = -1;

int PressedCell = NoCell;

int CellAt(POINT point)
{
    if (point.x < GridLeft || point.x >= GridRight || point.y < GridTop || point.y >= GridBottom) {
        return NoCell;
    }
    const int cell = (point.y - GridTop) / CellHeight * Columns + (point.x - GridLeft) / CellWidth;
    return cell < PictureCount ? cell : NoCell;
}

RECT CellRect(int cell)
{
    const int left = GridLeft + cell % Columns * CellWidth;
    const int top = GridTop + cell / Columns * CellHeight;
    return RECT{left, top, left + CellWidth, top + CellHeight};
}

void ShowCurrentStatus()
{
    Rnq.Selected = Rnq.Status.Picture;
    SetWindowTextA(Rnq.CaptionEdit, Rnq.Status.Caption.c_str());
    SetWindowTextA(Rnq.Memo, Rnq.Status.LongText.c_str());
    InvalidateRect(Rnq.StatusForm, nullptr, TRUE);
}

void Select(int cell)
{
    Rnq.Selected = cell;
    LogEvent("PICK " + std::to_string(cell));
    InvalidateRect(Rnq.StatusForm, nullptr, TRUE);
}

// Enter: the selected picture and both texts become the status.
void Confirm()
{
    Rnq.Status = TClientStatus{Rnq.Selected, ControlText(Rnq.CaptionEdit), ControlText(Rnq.Memo)};
    LogStatus(Rnq.Status);
    RefreshMainWindow();
    HideStatusForm();
}

void Paint(HWND window)
{
    TPaint paint(window);
    TGuiFont font(paint.Dc);
    const HDC dc = paint.Dc;
    static const char prompt[] = "Choose a picture, type, press Enter:";
    TextOutA(dc, GridLeft, 12, prompt, lstrlenA(prompt));
    for (int cell = 0; cell < PictureCount; ++cell) {
        RECT place = CellRect(cell);
        const bool selected = cell == Rnq.Selected;
        FillRect(dc, &place, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        FrameRect(dc, &place, GetSysColorBrush(COLOR_BTNSHADOW));
        SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        const std::string number = std::to_string(cell);
        DrawTextA(dc, number.c_str(), static_cast<int>(number.size()), &place,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsCloseRequest(message, wParam)) {
        HideStatusForm();
        return 0;
    }
    switch (message) {
        case WM_LBUTTONDOWN:
            PressedCell = CellAt(MessagePoint(lParam));
            return 0;
        case WM_LBUTTONUP: {
            const int cell = CellAt(MessagePoint(lParam));
            if (cell != NoCell && cell == PressedCell) Select(cell);
            PressedCell = NoCell;
            return 0;
        }
        case WM_KEYDOWN:
            if (wParam == VK_RETURN) {
                Confirm();
                return 0;
            }
            break;
        case WM_PAINT:
            Paint(window);
            return 0;
        case WM_DESTROY:
            if (window == Rnq.StatusForm) Rnq.StatusForm = Rnq.CaptionEdit = Rnq.Memo = nullptr;
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool RegisterStatusForm(HINSTANCE instance)
{
    return RegisterWindowClass(instance, FormClass, GuardedProc<HandleMessage>, 0, COLOR_BTNFACE);
}

bool CreateStatusForm()
{
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    RECT frame{0, 0, ClientWidth, ClientHeight};
    AdjustWindowRect(&frame, style, FALSE);
    Rnq.StatusForm = CreateWindowExA(0, FormClass, FormTitle, style, CW_USEDEFAULT, CW_USEDEFAULT,
                                     frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                     nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!Rnq.StatusForm) return false;
    const int width = ClientWidth - 2 * GridLeft;
    Rnq.CaptionEdit = CreateControl(EditClass, ES_AUTOHSCROLL | WS_TABSTOP, "", Rnq.StatusForm,
                                    GridLeft, CaptionY, width, EditHeight);
    Rnq.Memo = CreateControl(MemoClass, ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL | WS_TABSTOP, "",
                             Rnq.StatusForm, GridLeft, MemoY, width, MemoHeight);
    if (!Rnq.CaptionEdit || !Rnq.Memo) return false;
    ShowCurrentStatus();
    return true;
}

void OpenStatusForm()
{
    if (!Rnq.StatusForm && !CreateStatusForm()) return;
    OpenStatusWindow(Rnq.StatusForm, ShowCurrentStatus);
}

void HideStatusForm()
{
    HideStatusWindow(Rnq.StatusForm);
}

void DestroyStatusForm()
{
    DestroyStatusWindow(Rnq.StatusForm);
}

bool ChooseStatus(const TUserChoice& choice)
{
    if (!Rnq.StatusForm && !CreateStatusForm()) return false;
    // What the user would see on opening it.
    if (!IsWindowVisible(Rnq.StatusForm)) ShowCurrentStatus();
    Select(choice.Picture);
    if (choice.Caption) SetWindowTextA(Rnq.CaptionEdit, choice.Caption->c_str());
    if (choice.LongText) SetWindowTextA(Rnq.Memo, choice.LongText->c_str());
    Confirm();
    return true;
}
