#include "clients/Worker.h"

#include <utility>
#include <vector>

#include "clients/ClientKinds.h"
#include "clients/ClientsState.h"
#include "clients/HandOver.h"
#include "clients/Instances.h"
#include "clients/Jobs.h"
#include "clients/SlotStatus.h"
#include "util/Sends.h"

namespace {

// A client that did not take its own status back is tried again this
// often, for as long as the process runs.
constexpr DWORD RestoreRetryMs = 500;

void PublishReport()
{
    TClientsReport report;
    report.Made = true;
    GetLocalTime(&report.Time);
    report.Lines = GClients.Found;
    const TLocked locked;
    GHandOver.Report = std::move(report);
}

void SetRestoresLeft(bool left)
{
    const TLocked locked;
    GHandOver.RestoresLeft = left;
}

void RunJob(TJob job)
{
    if (job == TJob::Update) {
        // The slots left are served as ever.
        SetRestoresLeft(false);
        ServeClients();
        GClients.Served = GClients.Slots;
        // A pass cut short for a restore did not find every client.
        if (!TrackWithdrawn()) PublishReport();
        return;
    }
    if (job == TJob::Restore) return SetRestoresLeft(!RestoreAllSlots());
    for (TClient& slot : GClients.Served)
        if (!slot.ProfileDir.empty() && IsZemInstance(slot)) ResetCaptionsFromBackup(slot);
}

// The job to run next, with its state; false, and the worker no longer
// counted as running, when it is to end.
bool NextJob(TJob& job, bool& ended)
{
    const TLocked locked;
    GHandOver.Restoring = GHandOver.Restoring && GHandOver.Jobs.Job == TJob::Restore;
    GHandOver.Serving = false;
    if (GHandOver.Jobs.Job == TJob::None) {
        SetEvent(GHandOver.Done);
        if (GHandOver.RestoresLeft) SetEvent(GHandOver.Settled);
        ended = GHandOver.Ending && !GHandOver.RestoresLeft;
        if (ended) GHandOver.Running = false;
        return false;
    }
    job = TakeJob(GHandOver.Jobs, GClients.Wanted);
    GHandOver.Serving = job == TJob::Update;
    // The player's thread has not switched it off yet.
    if (GHandOver.PictureChosen)
        GClients.Wanted.Values[SettingIndex(Setting::SetPicture)] = OnOffText(false);
    return true;
}

DWORD RetryWait()
{
    const TLocked locked;
    return GHandOver.RestoresLeft ? RestoreRetryMs : INFINITE;
}

DWORD WINAPI WorkerMain(LPVOID module)
{
    bool ended = false;
    while (!ended) {
        const bool retry = WaitForSingleObject(GHandOver.Wake, RetryWait()) == WAIT_TIMEOUT;
        try {
            if (retry) RunJob(TJob::Restore);
            TJob job = TJob::None;
            while (NextJob(job, ended)) RunJob(job);
        } catch (...) {
            // The next job starts afresh.
        }
    }
    FreeLibraryAndExitThread(static_cast<HMODULE>(module), 0);
    return 0;
}

// The track's work stops at its next message once it is withdrawn; the
// restore asked for begins then.
bool SendAllowed()
{
    const TLocked locked;
    return !GHandOver.Serving || GetCurrentThreadId() != GHandOver.WorkerId || !TrackWithdrawn();
}

void Post(TJob job, const TWanted& wanted)
{
    const TLocked locked;
    if (IsAwaited(job)) ResetEvent(GHandOver.Done);
    ResetEvent(GHandOver.Settled);
    if (job == TJob::Restore) GHandOver.Restoring = OnIn(wanted.Values, Setting::SaveRestore);
    PostJob(GHandOver.Jobs, job, wanted);
    SetEvent(GHandOver.Wake);
}

// What is left of the wait for the restores, begun by the first wait for
// them; no send waits past its end meanwhile. Under the lock.
DWORD WaitLeft()
{
    const DWORD now = GetTickCount();
    if (!GHandOver.WaitBegun) {
        GHandOver.WaitBegun = true;
        GHandOver.WaitEnd = now + CloseWaitMs;
        LimitSendsUntil(GHandOver.WaitEnd == 0 ? 1 : GHandOver.WaitEnd);
    }
    const LONG left = static_cast<LONG>(GHandOver.WaitEnd - now);
    return left > 0 ? static_cast<DWORD>(left) : 0;
}

// A wait that ended in time, or a cycle handed over, leaves the next wait
// its whole length. Under the lock.
void EndWait()
{
    GHandOver.WaitBegun = false;
    LimitSendsUntil(0);
}

// True when the first handle was signalled in time, and every client has
// its own status back.
bool Waited(const std::vector<HANDLE>& handles, DWORD waitMs)
{
    const bool done = WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(),
                                             FALSE, waitMs) == WAIT_OBJECT_0;
    const TLocked locked;
    const bool all = done && !GHandOver.RestoresLeft;
    if (all) EndWait();
    return all;
}

// The player's thread waits for the worker alone: no message of the
// player is handled inside the wait.
bool Await(TJob job, const TWanted& wanted)
{
    DWORD waitMs = 0;
    {
        // A worker counted as running takes up what is posted now.
        const TLocked locked;
        if (!GHandOver.Running) return true;
        Post(job, wanted);
        waitMs = WaitLeft();
    }
    return Waited({GHandOver.Done}, waitMs);
}

}  // namespace

bool StartWorker()
{
    const TLocked locked;
    GHandOver.Ending = false;
    if (GHandOver.Running) return true;
    // The worker holds the module until it leaves: it never runs unloaded
    // code.
    HMODULE module = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                            reinterpret_cast<LPCSTR>(&WorkerMain), &module))
        return false;
    GSendGate = SendAllowed;
    DWORD id = 0;
    const HANDLE thread = CreateThread(nullptr, 0, WorkerMain, module, 0, &id);
    if (!thread) {
        FreeLibrary(module);
        return false;
    }
    if (GHandOver.Thread) CloseHandle(GHandOver.Thread);
    GHandOver.Thread = thread;
    GHandOver.WorkerId = id;
    GHandOver.Running = true;
    return true;
}

bool EndWorker(bool restore, const TWanted& wanted)
{
    std::vector<HANDLE> handles;
    DWORD waitMs = 0;
    {
        const TLocked locked;
        if (!GHandOver.Running) return true;
        if (restore)
            Post(TJob::Restore, wanted);
        else if (GHandOver.Jobs.Job == TJob::Update)
            GHandOver.Jobs.Job = TJob::None;
        GHandOver.Ending = true;
        SetEvent(GHandOver.Wake);
        // A worker that waits to try restores again keeps the module.
        handles = {GHandOver.Thread, GHandOver.Settled};
        waitMs = WaitLeft();
    }
    return Waited(handles, waitMs);
}

void HandOver(const TWanted& wanted)
{
    const TLocked locked;
    if (!GHandOver.Running || GHandOver.Ending || IsAwaited(GHandOver.Jobs.Job)) return;
    Post(TJob::Update, wanted);
    EndWait();
}

bool RestoreAllClients(const TWanted& wanted)
{
    return Await(TJob::Restore, wanted);
}

// Asked while the plug-in is away (the dialog), a worker started for it
// ends once it is done.
bool ResetClientCaptions(const TWanted& wanted)
{
    {
        const TLocked locked;
        const bool ending = GHandOver.Ending || !GHandOver.Running;
        StartWorker();
        GHandOver.Ending = ending;
    }
    return Await(TJob::ResetCaptions, wanted);
}

bool TakePictureChoice()
{
    const TLocked locked;
    const bool chosen = GHandOver.PictureChosen;
    GHandOver.PictureChosen = false;
    return chosen;
}

TClientsReport LastClientsReport()
{
    const TLocked locked;
    TClientsReport report = GHandOver.Report;
    // The last pass saw them show the track; the restore is giving them
    // their own status back.
    if (GHandOver.Restoring)
        for (TClientLine& line : report.Lines)
            if (line.Use == TClientUse::ShowsTrack) line.Use = TClientUse::OwnBeingGivenBack;
    return report;
}
