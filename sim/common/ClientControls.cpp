#include "sim/common/ClientControls.h"

#include <array>
#include <cstring>

#include "sim/common/Window.h"

namespace {

constexpr LONG_PTR Pressed = 1;

struct TSuperclass {
    const char* Base;
    const char* Name;
    ATOM Atom;
    WNDPROC BaseProc;
};

std::array<TSuperclass, 3> Superclasses{{
    {"EDIT", EditClass, 0, nullptr},
    {"EDIT", MemoClass, 0, nullptr},
    {"COMBOBOX", ComboBoxClass, 0, nullptr},
}};

// Every message goes on to the system control's own procedure, as a VCL
// control passes what it does not handle to the procedure it saved.
LRESULT HandleSuperclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const ATOM atom = static_cast<ATOM>(GetClassWord(window, GCW_ATOM));
    for (const TSuperclass& superclass : Superclasses) {
        if (superclass.Atom == atom && superclass.BaseProc) {
            return CallWindowProcA(superclass.BaseProc, window, message, wParam, lParam);
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterSuperclass(HINSTANCE instance, TSuperclass& superclass)
{
    WNDCLASSEXA info{};
    info.cbSize = sizeof(info);
    if (!GetClassInfoExA(nullptr, superclass.Base, &info)) return false;
    superclass.BaseProc = info.lpfnWndProc;
    info.style &= ~CS_GLOBALCLASS;
    info.lpfnWndProc = GuardedProc<HandleSuperclass>;
    info.hInstance = instance;
    info.lpszClassName = superclass.Name;
    superclass.Atom = RegisterClassExA(&info);
    return superclass.Atom != 0;
}

bool Inside(HWND window, POINT point)
{
    RECT client{};
    GetClientRect(window, &client);
    return PtInRect(&client, point) != 0;
}

void PaintPanel(HWND panel)
{
    TPaint paint(panel);
    RECT client{};
    GetClientRect(panel, &client);
    DrawEdge(paint.Dc, &client, EDGE_RAISED, BF_RECT);
    const std::string caption = ControlText(panel);
    TGuiFont font(paint.Dc);
    DrawTextA(paint.Dc, caption.c_str(), static_cast<int>(caption.size()), &client,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

LRESULT HandlePanel(HWND panel, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
        case WM_PAINT:
            PaintPanel(panel);
            return 0;
        case WM_SETTEXT: {
            const LRESULT result = DefWindowProcA(panel, message, wParam, lParam);
            InvalidateRect(panel, nullptr, TRUE);
            return result;
        }
        case WM_LBUTTONDOWN:
            SetWindowLongPtrA(panel, GWLP_USERDATA, Pressed);
            return 0;
        case WM_LBUTTONUP: {
            const bool pressed = GetWindowLongPtrA(panel, GWLP_USERDATA) == Pressed;
            SetWindowLongPtrA(panel, GWLP_USERDATA, 0);
            if (pressed && Inside(panel, MessagePoint(lParam))) {
                SendMessageA(GetParent(panel), PanelClickMessage, reinterpret_cast<WPARAM>(panel),
                             lParam);
            }
            return 0;
        }
        case WM_LBUTTONDBLCLK:
            SendMessageA(GetParent(panel), PanelDoubleClickMessage, reinterpret_cast<WPARAM>(panel),
                         lParam);
            return 0;
    }
    return DefWindowProcA(panel, message, wParam, lParam);
}

}  // namespace

bool RegisterClientControls(HINSTANCE instance)
{
    for (TSuperclass& superclass : Superclasses) {
        if (!RegisterSuperclass(instance, superclass)) return false;
    }
    return RegisterWindowClass(instance, PanelClass, GuardedProc<HandlePanel>,
                               CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, COLOR_BTNFACE);
}

HWND CreateControl(const char* className, DWORD style, const char* text, HWND parent, int x, int y,
                   int width, int height)
{
    const bool edit =
        std::strcmp(className, EditClass) == 0 || std::strcmp(className, MemoClass) == 0;
    HWND control =
        CreateWindowExA(edit ? WS_EX_CLIENTEDGE : 0, className, text, WS_CHILD | WS_VISIBLE | style,
                        x, y, width, height, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (control) {
        SendMessageA(control, WM_SETFONT,
                     reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    }
    return control;
}

std::string ControlText(HWND control)
{
    const LRESULT length = SendMessageA(control, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) return "";
    const size_t size = static_cast<size_t>(length) < MaxControlTextBytes
                            ? static_cast<size_t>(length)
                            : MaxControlTextBytes;
    std::string text(size + 1, '\0');
    const LRESULT copied =
        SendMessageA(control, WM_GETTEXT, size + 1, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied > 0 && static_cast<size_t>(copied) <= size ? static_cast<size_t>(copied)
                                                                  : 0);
    return text;
}

POINT MessagePoint(LPARAM lParam)
{
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}
