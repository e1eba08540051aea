// A window in another process for the window helper tests: a top-level
// window of the class named on the command line (default "TPeerMain"),
// titled "[zem] - 777", with an edit child whose contents differ from its
// title. Exits on WM_CLOSE, or on its own after a minute so that it never
// outlives a failed test.
#include <windows.h>

namespace {

constexpr UINT_PTR LifetimeTimer = 1;
constexpr UINT LifetimeMs = 60 * 1000;
constexpr char EditClass[] = "TPeerEdit";

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
        case WM_TIMER:
            if (wParam == LifetimeTimer) DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool RegisterClasses(HINSTANCE instance, const char* mainClass)
{
    WNDCLASSEXA main{};
    main.cbSize = sizeof(main);
    main.lpfnWndProc = MainWindowProc;
    main.hInstance = instance;
    main.lpszClassName = mainClass;
    if (!RegisterClassExA(&main)) return false;

    WNDCLASSEXA edit{};
    edit.cbSize = sizeof(edit);
    if (!GetClassInfoExA(nullptr, "EDIT", &edit)) return false;
    edit.hInstance = instance;
    edit.lpszClassName = EditClass;
    return RegisterClassExA(&edit) != 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const char* mainClass = argc > 1 ? argv[1] : "TPeerMain";
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterClasses(instance, mainClass)) return 1;

    HWND main = CreateWindowExA(0, mainClass, "[zem] - 777", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                                nullptr, nullptr, instance, nullptr);
    if (!main) return 2;
    HWND edit = CreateWindowExA(0, EditClass, "peer title", WS_CHILD | WS_VISIBLE, 0, 0, 200, 24,
                                main, reinterpret_cast<HMENU>(1), instance, nullptr);
    if (!edit) return 3;
    // Contents and stored title differ, as in a client's edit box that the
    // user typed into; the edit control keeps its contents apart, so the
    // title is stored by the default procedure.
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("peer contents Музыка"));
    DefWindowProcA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("peer title"));
    SetTimer(main, LifetimeTimer, LifetimeMs, nullptr);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
