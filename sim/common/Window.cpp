#include "sim/common/Window.h"

namespace {

// WNDCLASSEXA or WNDCLASSEXW, all but the name.
template <typename TClass>
TClass ClassInfo(HINSTANCE instance, WNDPROC procedure, UINT style, int backgroundColor)
{
    TClass info{};
    info.cbSize = sizeof(info);
    info.style = style;
    info.lpfnWndProc = procedure;
    info.hInstance = instance;
    info.hCursor = LoadCursor(nullptr, IDC_ARROW);
    info.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(backgroundColor + 1));
    return info;
}

}  // namespace

bool RegisterWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure, UINT style,
                         int backgroundColor)
{
    auto info = ClassInfo<WNDCLASSEXA>(instance, procedure, style, backgroundColor);
    info.lpszClassName = name;
    return RegisterClassExA(&info) != 0;
}

bool RegisterWideWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, UINT style,
                             int backgroundColor)
{
    auto info = ClassInfo<WNDCLASSEXW>(instance, procedure, style, backgroundColor);
    info.lpszClassName = name;
    return RegisterClassExW(&info) != 0;
}

bool IsCloseRequest(UINT message, WPARAM wParam)
{
    return message == WM_CLOSE || (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE);
}

void ShowMainWindow(HWND window)
{
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
}

TPaint::TPaint(HWND window) : Window(window), Info{}, Dc(BeginPaint(window, &Info)) {}

TPaint::~TPaint()
{
    EndPaint(Window, &Info);
}

TGuiFont::TGuiFont(HDC dc) : Dc(dc), OldFont(SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT)))
{
    SetBkMode(dc, TRANSPARENT);
}

TGuiFont::~TGuiFont()
{
    SelectObject(Dc, OldFont);
}

RECT InnerArea(HWND window, int margin)
{
    RECT area{};
    GetClientRect(window, &area);
    InflateRect(&area, -margin, -margin);
    return area;
}

void PaintText(HWND window, const std::string& text, const RECT& area)
{
    TPaint paint(window);
    TGuiFont font(paint.Dc);
    RECT place = area;
    DrawTextA(paint.Dc, text.c_str(), static_cast<int>(text.size()), &place,
              DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

void RunMessageLoop()
{
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

int GuardedMain(int (*run)(int argc, char** argv), int argc, char** argv)
{
    try {
        return run(argc, argv);
    } catch (...) {
        return 4;
    }
}
