#include "clients/HandOver.h"

THandOver GHandOver;

THandOver::THandOver()
    : Wake(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
      Done(CreateEventA(nullptr, TRUE, TRUE, nullptr)),
      Settled(CreateEventA(nullptr, TRUE, FALSE, nullptr))
{
    InitializeCriticalSection(&Lock);
}

THandOver::~THandOver()
{
    DeleteCriticalSection(&Lock);
    CloseHandle(Wake);
    CloseHandle(Done);
    CloseHandle(Settled);
    if (Thread) CloseHandle(Thread);
}

bool TrackWithdrawn()
{
    const TLocked locked;
    return GHandOver.Ending || IsAwaited(GHandOver.Jobs.Job);
}
