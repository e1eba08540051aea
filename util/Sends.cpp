#include "util/Sends.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "util/SendReplay.h"

namespace {

// The innermost pass running now, the generation that passes begun now
// take, and the threads that did not answer in the pass running now.
TSendPass* InnermostPass = nullptr;
uint32_t PassGeneration = 0;
std::vector<DWORD> SilentThreads;
int MustSendDepth = 0;

// The threads that answered slowly when last asked, with how long they
// took, across passes. Prompt ones are not kept, so that while every client
// answers promptly no send has to look up its window's thread.
struct TAnswerTime {
    DWORD Thread;
    DWORD Ms;
};
constexpr size_t MaxSlowThreads = 64;
std::vector<TAnswerTime> SlowThreads;

// GetTickCount moves in steps of up to this much.
constexpr DWORD TickStepMs = 16;

bool IsSilent(DWORD thread)
{
    return std::find(SilentThreads.begin(), SilentThreads.end(), thread) != SilentThreads.end();
}

std::vector<TAnswerTime>::iterator SlowEntry(DWORD thread)
{
    return std::find_if(SlowThreads.begin(), SlowThreads.end(),
                        [thread](const TAnswerTime& t) { return t.Thread == thread; });
}

DWORD ExpectedAnswerMs(DWORD thread)
{
    const auto entry = SlowEntry(thread);
    return entry == SlowThreads.end() ? 0 : entry->Ms;
}

void NoteAnswerTime(DWORD thread, DWORD ms)
{
    if (thread == 0) return;
    const auto entry = SlowEntry(thread);
    if (ms < SlowAnswerMs) {
        if (entry != SlowThreads.end()) SlowThreads.erase(entry);
        return;
    }
    if (entry != SlowThreads.end()) {
        entry->Ms = ms;
        return;
    }
    if (SlowThreads.size() >= MaxSlowThreads) SlowThreads.erase(SlowThreads.begin());
    SlowThreads.push_back(TAnswerTime{thread, ms});
}

DWORD TimeLeft(const TSendPass& pass)
{
    const DWORD spent = GetTickCount() - pass.Start;
    return spent >= pass.BudgetMs ? 0 : pass.BudgetMs - spent;
}

// The pass, and the passes it shares its budget with, had no time left for
// a send; the work it was part of goes on in the next pass.
void PutSendOff()
{
    for (TSendPass* pass = InnermostPass; pass && pass->Generation == PassGeneration;
         pass = pass->Outer)
        pass->PutOff = true;
    CutResumableWork();
}

// Bytes that an ANSI text of so many characters may need.
LRESULT AnsiLength(LRESULT characters)
{
    static const UINT perCharacter = [] {
        CPINFO info{};
        return GetCPInfo(CP_ACP, &info) && info.MaxCharSize > 1 ? info.MaxCharSize : 1u;
    }();
    if (characters <= 0) return characters;
    const LRESULT most = std::numeric_limits<LRESULT>::max();
    return characters > most / static_cast<LRESULT>(perCharacter)
               ? most
               : characters * static_cast<LRESULT>(perCharacter);
}

}  // namespace

TSendObserver SendObserver = nullptr;

// A pass begun inside an abandoned one starts afresh, with a budget of its
// own: a thread that was merely slow in the abandoned pass still gets its
// status given back.
TSendPass::TSendPass(DWORD budgetMs)
    : Outer(InnermostPass), Generation(PassGeneration), Start(GetTickCount()), BudgetMs(budgetMs)
{
    const bool fresh = !Outer || Outer->Generation != Generation;
    if (fresh) {
        SilentThreads.clear();
        BeginReplayPass();
    } else {
        Start = Outer->Start;
        BudgetMs = Outer->BudgetMs;
    }
    InnermostPass = this;
}

TSendPass::~TSendPass()
{
    InnermostPass = Outer;
    if (!Outer) SilentThreads.clear();
}

TMustSend::TMustSend()
{
    ++MustSendDepth;
}

TMustSend::~TMustSend()
{
    --MustSendDepth;
}

void AbandonSendPasses()
{
    ++PassGeneration;
    DropAllResumableWork();
}

bool SendPassAbandoned()
{
    return InnermostPass && InnermostPass->Generation != PassGeneration;
}

bool SendsPutOff()
{
    return InnermostPass && InnermostPass->PutOff;
}

bool IsSlowWindow(HWND window)
{
    if (SlowThreads.empty() || !window) return false;
    return ExpectedAnswerMs(GetWindowThreadProcessId(window, nullptr)) > 0;
}

TAnswer SendToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    TAnswer answer;
    if (!window || SendPassAbandoned()) return answer;
    if (ReplaySend(window, message, wParam, lParam, answer)) return answer;
    // The window's thread is looked up only where it matters.
    const bool lengthAsked = message == WM_GETTEXTLENGTH;
    DWORD thread = 0;
    if (lengthAsked || !SilentThreads.empty() || !SlowThreads.empty()) {
        thread = GetWindowThreadProcessId(window, nullptr);
        if (thread == 0 || IsSilent(thread)) return answer;
    }
    UINT timeout = SendTimeoutMs;
    // A thread that did not answer when last asked is tried with the time
    // left: it may have woken, and waiting for it costs no more than that.
    const DWORD expected = ExpectedAnswerMs(thread);
    const bool silentBefore = expected >= SendTimeoutMs;
    if (InnermostPass && MustSendDepth == 0) {
        const DWORD left = TimeLeft(*InnermostPass);
        // A send that would not be answered within the time left is not
        // made: unanswered, a write might still be taken later.
        if (left == 0 || (!silentBefore && expected > left)) {
            PutSendOff();
            return answer;
        }
        timeout = std::min(timeout, static_cast<UINT>(left));
    }
    if (SendObserver) SendObserver(window, message, wParam, lParam);
    // SMTO_NORMAL: while it waits, the player's thread goes on answering
    // what is sent to it. Wine answers the ANSI WM_GETTEXTLENGTH of another
    // thread's window with a second send that waits without a limit; the
    // wide one keeps the limit, and its count of characters becomes the
    // bytes that the ANSI text may need.
    const UINT flags = SMTO_NORMAL | SMTO_ABORTIFHUNG;
    const bool wide = lengthAsked && thread != GetCurrentThreadId();
    DWORD_PTR value = 0;
    const DWORD start = GetTickCount();
    const LRESULT sent =
        wide ? SendMessageTimeoutW(window, message, wParam, lParam, flags, timeout, &value)
             : SendMessageTimeoutA(window, message, wParam, lParam, flags, timeout, &value);
    const DWORD took = GetTickCount() - start;
    // What ran inside the wait may have abandoned the pass: its answer no
    // longer counts.
    if (SendPassAbandoned()) return answer;
    if (sent == 0) {
        // A window that is still there did not answer; one that is gone
        // says nothing about its thread.
        if (InnermostPass && IsWindow(window)) {
            thread = GetWindowThreadProcessId(window, nullptr);
            NoteAnswerTime(thread, SendTimeoutMs);
            // Cut short by the pass's budget, a thread that answered before
            // may only be slow: the work goes on in the next pass.
            if (timeout < SendTimeoutMs && took + TickStepMs >= timeout && !silentBefore)
                PutSendOff();
            else if (thread != 0)
                SilentThreads.push_back(thread);
        }
        return answer;
    }
    if (took >= SlowAnswerMs && thread == 0) thread = GetWindowThreadProcessId(window, nullptr);
    NoteAnswerTime(thread, took);
    answer.Answered = true;
    answer.Value = static_cast<LRESULT>(value);
    if (wide) answer.Value = AnsiLength(answer.Value);
    RecordSend(window, message, wParam, lParam, answer);
    return answer;
}
