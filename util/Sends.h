// The one way messages are sent to other processes' windows, so that how
// such a send waits is decided in one place: each send waits a bounded
// time, a pass over the clients holds the player's thread for a bounded
// total, and the threads that answer slowly are known, to be served last.
#pragma once

#include <windows.h>

#include <cstdint>

// How long a send waits for the answer of another thread: a client that
// hangs must not freeze the player.
constexpr UINT SendTimeoutMs = 200;
// A thread that takes this long to answer is a slow one.
constexpr DWORD SlowAnswerMs = 50;
// How long one pass may hold the player's thread: an update cycle, and a
// pass that gives the clients their own statuses back (at a close the
// player is going anyway, and what is not given back stays journaled).
constexpr DWORD CycleBudgetMs = 250;
constexpr DWORD RestoreBudgetMs = 1500;

struct TAnswer {
    bool Answered = false;  // false: no window, or its thread did not answer in time
    LRESULT Value = 0;
};

// Nothing that was not answered may be taken as read or written; in an
// abandoned pass nothing is sent and nothing is answered; a send the pass
// has no time left for is not made (the pass counts it as put off).
TAnswer SendToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// One pass over the clients (an update cycle, a restore): a thread that did
// not answer once in the pass is not waited for again until it ends, and no
// send is made once the pass has held the player's thread for its budget.
// Passes nest, and a nested pass shares the silent threads and the budget
// of the one it runs in, unless that one was abandoned.
//
// While a send waits, the player's thread answers what other threads send
// to it: a close, the plug-in's quit or its configuration may run inside
// the wait and give the clients their own statuses back. The pass that
// waited is then abandoned: from the moment that send returns, nothing it
// sends reaches a client, and nothing it would record is recorded.
struct TSendPass {
    explicit TSendPass(DWORD budgetMs = CycleBudgetMs);
    ~TSendPass();
    TSendPass(const TSendPass&) = delete;
    TSendPass& operator=(const TSendPass&) = delete;

    TSendPass* Outer;
    uint32_t Generation;
    DWORD Start;     // GetTickCount when the budget began
    DWORD BudgetMs;
    bool PutOff = false;  // a send was not made for lack of time
};

// Sends made while one lives are not put off for lack of time: they finish
// what the plug-in began on the user's screen (a dialog it opened must be
// closed again). Their waits stay bounded.
struct TMustSend {
    TMustSend();
    ~TMustSend();
    TMustSend(const TMustSend&) = delete;
    TMustSend& operator=(const TMustSend&) = delete;
};

// Abandons every pass that runs now; passes begun later are not affected.
void AbandonSendPasses();
// True while the innermost pass running now has been abandoned.
bool SendPassAbandoned();
// True when the pass running now has put a send off for lack of time.
bool SendsPutOff();
// True when the window's thread answered slowly, or not at all, when last
// asked.
bool IsSlowWindow(HWND window);

// Sees every send that is made, before it is made (a benchmark counts them).
using TSendObserver = void (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
extern TSendObserver SendObserver;
