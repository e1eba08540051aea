// The one way messages are sent to other processes' windows, so that how
// such a send waits is decided in one place. The clients' worker sends
// through it to the clients; the player's thread only to windows of its
// own (the configuration dialog's controls): it never waits on a client.
#pragma once

#include <windows.h>

// How long a send waits for the answer of another thread: a client that
// hangs must not hold its neighbours' work for long. A text read or written
// gets a millisecond more for every TextBytesPerMs bytes of its size, at
// most TextExtraMs: copying a large status between processes takes a slow
// or emulated machine longer than any client takes to answer, but the send
// on its way when the player closes cannot be cut, and the close waits for
// all the clients only a few seconds.
constexpr UINT SendTimeoutMs = 200;
constexpr size_t TextBytesPerMs = 64;
constexpr UINT TextExtraMs = 1000;

struct TAnswer {
    bool Answered = false;  // false: no window, or its thread did not answer in time
    LRESULT Value = 0;
};

// Nothing that was not answered may be taken as read or written.
TAnswer SendToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Asked before every send: false leaves it unsent and unanswered, so that
// the work in progress stops at its next message.
using TSendGate = bool (*)();
// Set by the player's thread as it starts the clients' worker, before any
// send of the worker's.
extern TSendGate GSendGate;
// Until the tick count given, no send waits past it, though at least
// SendTimeoutMs: someone waits for the sends' work only so long. 0: no end.
void LimitSendsUntil(DWORD end);

// Sees every send that is made, before it is made (a benchmark counts them).
using TSendObserver = void (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Set by the benchmark's thread before the sends it counts.
extern TSendObserver GSendObserver;
