#include "util/WinUtil.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr size_t DefaultTextBuffer = 1024;
// Lengths come from other processes and may be absurd; no text read here
// needs more than this.
constexpr size_t MaxTextBuffer = 1024 * 1024;

// Room for a reported text length and its terminator, without overflow and
// within MaxTextBuffer; a negative length counts as none.
size_t BufferSizeFor(LRESULT length)
{
    if (length <= 0) return 2;
    if (static_cast<ULONG_PTR>(length) >= MaxTextBuffer - 2) return MaxTextBuffer;
    return static_cast<size_t>(length) + 2;
}

TAnswer ReportedTextLength(HWND window)
{
    return SendToWindow(window, WM_GETTEXTLENGTH, 0, 0);
}

// The text up to the first zero byte, never past the buffer even when the
// other side filled it without one.
std::string BufferText(const std::vector<char>& buffer)
{
    const char* data = buffer.data();
    const void* zero = std::memchr(data, 0, buffer.size());
    size_t length = zero ? static_cast<const char*>(zero) - data : buffer.size();
    return std::string(data, length);
}

// A window that answers without writing must not hand back what the
// previous read left in the buffer.
void ClearBuffer(std::vector<char>& buffer)
{
    std::fill(buffer.begin(), buffer.end(), 0);
}

std::string ReadCaption(HWND window, std::vector<char>& buffer)
{
    ClearBuffer(buffer);
    GetWindowTextA(window, buffer.data(), static_cast<int>(buffer.size()));
    return BufferText(buffer);
}

bool ReadControlText(HWND window, std::vector<char>& buffer, std::string& text)
{
    ClearBuffer(buffer);
    const TAnswer answer =
        SendToWindow(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    text = answer.Answered ? BufferText(buffer) : std::string();
    return answer.Answered;
}

std::string ReadClassName(HWND window, std::vector<char>& buffer)
{
    ClearBuffer(buffer);
    GetClassNameA(window, buffer.data(), static_cast<int>(buffer.size()));
    return BufferText(buffer);
}

bool MatchesClasses(const std::string& classes, const std::string& className)
{
    // A window that died meanwhile has no class name; " " alone would match.
    if (className.empty()) return false;
    return (classes + ' ').find(className + ' ') != std::string::npos;
}

// The class names of the windows that the last collection over the
// top-level windows met: every cycle reads the class of every window on the
// desktop, each a round trip to the window manager (to the server under
// Wine), though a window keeps its class for life. A collection keeps only
// the windows it met, so a handle is forgotten one cycle after its window
// is gone, long before a new window could take the same handle value.
struct TKnownClass {
    HWND Window;
    std::string ClassName;
};
// The clients' worker thread's, as every collection over the top-level
// windows.
std::vector<TKnownClass> GKnownClasses;
std::vector<TKnownClass> GMetClasses;
bool GCollectingTopLevel = false;

std::string ClassOf(HWND window)
{
    if (!GCollectingTopLevel) return GetClassText(window);
    const auto known = std::find_if(GKnownClasses.begin(), GKnownClasses.end(),
                                    [window](const TKnownClass& k) { return k.Window == window; });
    std::string className = known != GKnownClasses.end() ? known->ClassName : GetClassText(window);
    if (!className.empty()) GMetClasses.push_back(TKnownClass{window, className});
    return className;
}

bool MatchesFilters(HWND window, const TWindowsAr& record)
{
    if (record.Classes.empty() && record.WindowText.empty() && record.Text.empty()) return true;
    if (!record.Classes.empty() && MatchesClasses(record.Classes, ClassOf(window))) return true;
    if (!record.WindowText.empty() && CompareTexts(record.WindowText, GetCaptionText(window)) == 0)
        return true;
    if (record.Text.empty()) return false;
    std::string text;
    return GetControlText(window, text) && CompareTexts(record.Text, text) == 0;
}

BOOL CALLBACK CollectWindowsProc(HWND window, LPARAM data)
{
    try {
        TWindowsAr& record = *reinterpret_cast<TWindowsAr*>(data);
        if (record.Count >= 0 && record.Count < MaxCollected && MatchesFilters(window, record)) {
            record.Handles[record.Count] = window;
            ++record.Count;
        }
    } catch (...) {
    }
    return TRUE;
}

}  // namespace

bool IsValidWindow(HWND window)
{
    return window != nullptr && IsWindow(window);
}

bool ReadWindowTexts(HWND window, TWindowTexts& texts)
{
    texts.WindowText.clear();
    texts.ClassName.clear();
    texts.Text.clear();
    if (!IsValidWindow(window)) return false;
    try {
        const TAnswer length = ReportedTextLength(window);
        if (!length.Answered) return false;
        size_t size = std::max(DefaultTextBuffer, BufferSizeFor(GetWindowTextLengthA(window)));
        size = std::max(size, BufferSizeFor(length.Value));
        std::vector<char> buffer(size);
        texts.ClassName = ReadClassName(window, buffer);
        texts.WindowText = ReadCaption(window, buffer);
        if (ReadControlText(window, buffer, texts.Text)) return true;
    } catch (...) {
    }
    texts.WindowText.clear();
    texts.ClassName.clear();
    texts.Text.clear();
    return false;
}

bool FillWindowEx(TWindowEx& record)
{
    if (record.Handle == nullptr) return false;
    TWindowTexts texts;
    const bool read = ReadWindowTexts(record.Handle, texts);
    record.WindowText = std::move(texts.WindowText);
    record.ClassName = std::move(texts.ClassName);
    record.Text = std::move(texts.Text);
    return read;
}

// Asking IsWindow first would cost as much again: a window that is gone
// simply has no class name and does not answer.
std::string GetClassText(HWND window)
{
    if (!window) return std::string();
    try {
        std::vector<char> buffer(DefaultTextBuffer);
        return ReadClassName(window, buffer);
    } catch (...) {
        return std::string();
    }
}

bool GetControlText(HWND window, std::string& text)
{
    text.clear();
    if (!window) return false;
    try {
        // Most texts fit the default buffer, and one message reads them;
        // only a text that fills it is asked for its length and read whole.
        std::vector<char> buffer(DefaultTextBuffer);
        if (!ReadControlText(window, buffer, text)) return false;
        if (text.size() < buffer.size() - 1) return true;
        const TAnswer length = ReportedTextLength(window);
        text.clear();
        if (!length.Answered) return false;
        buffer.assign(BufferSizeFor(length.Value), '\0');
        return ReadControlText(window, buffer, text);
    } catch (...) {
        text.clear();
        return false;
    }
}

bool ReadControlOrNone(HWND window, std::string& text)
{
    if (window) return GetControlText(window, text);
    text.clear();
    return true;
}

std::string GetCaptionText(HWND window)
{
    if (!IsValidWindow(window)) return std::string();
    try {
        std::vector<char> buffer(BufferSizeFor(GetWindowTextLengthA(window)));
        return ReadCaption(window, buffer);
    } catch (...) {
        return std::string();
    }
}

bool SetControlText(HWND window, const std::string& text)
{
    return SendToWindow(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())).Answered;
}

int32_t CollectWindows(HWND parent, TWindowsAr& record)
{
    LPARAM data = reinterpret_cast<LPARAM>(&record);
    if (parent != nullptr) {
        EnumChildWindows(parent, CollectWindowsProc, data);
        return record.Count;
    }
    GMetClasses.clear();
    GCollectingTopLevel = true;
    EnumWindows(CollectWindowsProc, data);
    GCollectingTopLevel = false;
    GKnownClasses.swap(GMetClasses);
    return record.Count;
}

bool CollectDescendants(HWND parent, std::vector<TWindowEx>& windows)
{
    windows.clear();
    if (!IsValidWindow(parent)) return true;
    TWindowsAr found;
    CollectWindows(parent, found);
    bool answered = true;
    for (int i = 0; i < found.Count; ++i) {
        TWindowEx window;
        window.Handle = found.Handles[i];
        // A window that died meanwhile simply has no texts.
        if (!FillWindowEx(window) && IsValidWindow(window.Handle)) answered = false;
        windows.push_back(window);
    }
    return answered;
}

int CompareTexts(const std::string& a, const std::string& b)
{
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) - 2;
}
