#include "bench/SendLog.h"

#include "util/WinUtil.h"

namespace {

std::vector<TSentMessage>* Kept = nullptr;

void Keep(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!Kept) return;
    TSentMessage sent{window, message, wParam, lParam, std::string()};
    if (message == WM_SETTEXT && lParam) sent.Text = reinterpret_cast<const char*>(lParam);
    Kept->push_back(sent);
}

}  // namespace

void KeepSends(std::vector<TSentMessage>* log)
{
    Kept = log;
    GSendObserver = log ? Keep : nullptr;
}

void SendBare(const std::vector<TSentMessage>& messages)
{
    const UINT flags = SMTO_NORMAL | SMTO_ABORTIFHUNG;
    std::vector<char> buffer;
    for (const TSentMessage& sent : messages) {
        DWORD_PTR answer = 0;
        LPARAM lParam = sent.LParam;
        if (sent.Message == WM_SETTEXT) lParam = reinterpret_cast<LPARAM>(sent.Text.c_str());
        if (sent.Message == WM_GETTEXT) {
            buffer.assign(sent.WParam, '\0');
            lParam = reinterpret_cast<LPARAM>(buffer.data());
        }
        if (sent.Message == WM_GETTEXTLENGTH)
            SendMessageTimeoutW(sent.Window, sent.Message, sent.WParam, lParam, flags,
                                SendTimeoutMs, &answer);
        else
            SendMessageTimeoutA(sent.Window, sent.Message, sent.WParam, lParam, flags,
                                SendTimeoutMs, &answer);
    }
}
