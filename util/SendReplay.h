// Work on one client that a pass may cut short for lack of time: its
// registration, an update of its status. A slow client needs more sends
// for it than fit into one pass; started afresh every pass, the work would
// never end. So the answers it got before the cut are kept under its key,
// and when the same work runs in the next pass its sends up to there are
// answered from that record, in order, without reaching the client: the
// work goes on where it stopped. A send that differs from the record (a new
// track, another decision) ends the replay there; a record that the next
// pass does not take up is dropped, so no answer older than one pass is
// replayed into new work.
#pragma once

#include <windows.h>

#include "util/Sends.h"

enum class TWork { Registration, Update };

struct TResumable {
    TResumable(HWND key, TWork work);
    ~TResumable();
    TResumable(const TResumable&) = delete;
    TResumable& operator=(const TResumable&) = delete;

    // True once a send of this work was put off: whatever the work changed
    // meanwhile is to be undone, and it goes on in the next pass.
    bool Cut() const { return WasCut; }

    TResumable* Outer;
    size_t Record;  // index of its record, or none
    size_t Replayed = 0;
    bool WasCut = false;
};

// For SendToWindow only: answers a send from the record of the work that
// runs now (true then), keeps an answer made, marks the work cut.
bool ReplaySend(HWND window, UINT message, WPARAM wParam, LPARAM lParam, TAnswer& answer);
void RecordSend(HWND window, UINT message, WPARAM wParam, LPARAM lParam, const TAnswer& answer);
void CutResumableWork();
// A pass begun afresh: records not taken up by the pass before are dropped.
void BeginReplayPass();
void DropAllResumableWork();
