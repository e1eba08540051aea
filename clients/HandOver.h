// The hand-over between the player's thread and the clients' worker
// (clients/Worker.h), guarded by its lock.
#pragma once

#include <windows.h>

#include "clients/ClientStatus.h"
#include "clients/Jobs.h"

// Wake starts the worker on a job; Done is set once no restore or reset is
// left to do, and Settled once the worker waits to try again the restores
// that clients did not take.
struct THandOver {
    CRITICAL_SECTION Lock;
    HANDLE Wake;
    HANDLE Done;
    HANDLE Settled;
    HANDLE Thread = nullptr;  // the last worker started
    DWORD WorkerId = 0;
    TJobs Jobs;
    bool Running = false;
    bool Serving = false;  // the worker runs an update
    bool RestoresLeft = false;
    bool Ending = false;
    // The user chose another picture in a client (SwitchSetPictureOff):
    // until the player's thread takes it (TakePictureChoice), every job the
    // worker takes runs with SetPicture off.
    bool PictureChosen = false;
    // A restore that gives statuses back is asked for or under way.
    bool Restoring = false;
    // The end of the wait that the player's thread gives the restores asked
    // for: once it ran out, a later wait for the same restores is not begun
    // again.
    DWORD WaitEnd = 0;
    bool WaitBegun = false;
    TClientsReport Report;

    THandOver();
    ~THandOver();
    THandOver(const THandOver&) = delete;
    THandOver& operator=(const THandOver&) = delete;
};
// Made at module start; the player's thread and the worker share its
// fields under its Lock.
extern THandOver GHandOver;

// Holds the hand-over's lock for its life.
struct TLocked {
    TLocked() { EnterCriticalSection(&GHandOver.Lock); }
    ~TLocked() { LeaveCriticalSection(&GHandOver.Lock); }
    TLocked(const TLocked&) = delete;
    TLocked& operator=(const TLocked&) = delete;
};

// For the worker's own code: a restore is asked for, or the worker ends;
// no track may be written any more.
bool TrackWithdrawn();
