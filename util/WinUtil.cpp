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

LRESULT ReportedTextLength(HWND window)
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

std::string ReadControlText(HWND window, std::vector<char>& buffer)
{
    ClearBuffer(buffer);
    SendToWindow(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    return BufferText(buffer);
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

bool MatchesFilters(HWND window, const TWindowsAr& record)
{
    if (record.Classes.empty() && record.WindowText.empty() && record.Text.empty()) return true;
    if (!record.Classes.empty() && MatchesClasses(record.Classes, GetClassText(window)))
        return true;
    if (!record.WindowText.empty() && CompareTexts(record.WindowText, GetCaptionText(window)) == 0)
        return true;
    return !record.Text.empty() && CompareTexts(record.Text, GetControlText(window)) == 0;
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

LRESULT SendToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendMessageA(window, message, wParam, lParam);
}

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
        size_t size = std::max(DefaultTextBuffer, BufferSizeFor(GetWindowTextLengthA(window)));
        size = std::max(size, BufferSizeFor(ReportedTextLength(window)));
        std::vector<char> buffer(size);
        texts.ClassName = ReadClassName(window, buffer);
        texts.WindowText = ReadCaption(window, buffer);
        texts.Text = ReadControlText(window, buffer);
        return true;
    } catch (...) {
        texts.WindowText.clear();
        texts.ClassName.clear();
        texts.Text.clear();
        return false;
    }
}

void FillWindowEx(TWindowEx& record)
{
    if (record.Handle == nullptr) return;
    TWindowTexts texts;
    ReadWindowTexts(record.Handle, texts);
    record.WindowText = std::move(texts.WindowText);
    record.ClassName = std::move(texts.ClassName);
    record.Text = std::move(texts.Text);
}

std::string GetClassText(HWND window)
{
    if (!IsValidWindow(window)) return std::string();
    try {
        std::vector<char> buffer(DefaultTextBuffer);
        return ReadClassName(window, buffer);
    } catch (...) {
        return std::string();
    }
}

std::string GetControlText(HWND window)
{
    if (!IsValidWindow(window)) return std::string();
    try {
        std::vector<char> buffer(BufferSizeFor(ReportedTextLength(window)));
        return ReadControlText(window, buffer);
    } catch (...) {
        return std::string();
    }
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

void SetControlText(HWND window, const std::string& text)
{
    SendToWindow(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int32_t CollectWindows(HWND parent, TWindowsAr& record)
{
    LPARAM data = reinterpret_cast<LPARAM>(&record);
    if (parent == nullptr)
        EnumWindows(CollectWindowsProc, data);
    else
        EnumChildWindows(parent, CollectWindowsProc, data);
    return record.Count;
}

std::vector<TWindowEx> CollectDescendants(HWND parent)
{
    std::vector<TWindowEx> windows;
    if (!IsValidWindow(parent)) return windows;
    TWindowsAr found;
    CollectWindows(parent, found);
    for (int i = 0; i < found.Count; ++i) {
        TWindowEx window;
        window.Handle = found.Handles[i];
        FillWindowEx(window);
        windows.push_back(window);
    }
    return windows;
}

int CompareTexts(const std::string& a, const std::string& b)
{
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) - 2;
}
