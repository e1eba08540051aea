// The worker's jobs as the player's thread posts them: the newest state
// replaces one not yet taken up, a pending restore is never replaced, and a
// reset of the captions asked while a restore is pending runs after it.
// Kept under the hand-over's lock (clients/Worker.cpp).
#pragma once

#include "clients/Wanted.h"

enum class TJob { None, Update, Restore, ResetCaptions };

// The player's thread waits for these to be done.
bool IsAwaited(TJob job);

struct TJobs {
    TJob Job = TJob::None;
    TWanted Wanted;
    TJob Next = TJob::None;
    TWanted NextWanted;
};

void PostJob(TJobs& jobs, TJob job, const TWanted& wanted);
// The job to run now (None when there is none), with its state; the one
// after it moves up.
TJob TakeJob(TJobs& jobs, TWanted& wanted);
