#include "clients/Worker.h"

#include <utility>

#include "clients/Instances.h"
#include "track/SlotStatus.h"

namespace {

enum class TJob { None, Update, Restore, ResetCaptions };

// The hand-over, guarded by its lock. Wake starts the worker on a job;
// Done is set once no restore or reset is left to do.
struct THandOver {
    CRITICAL_SECTION Lock;
    HANDLE Wake;
    HANDLE Done;
    HANDLE Thread = nullptr;  // the last worker started
    TJob Job = TJob::None;
    TWanted Wanted;
    bool Running = false;
    bool Ending = false;
    bool PictureChosen = false;
    // A restore that gives statuses back is asked for or under way.
    bool Restoring = false;
    TClientsReport Report;

    THandOver()
        : Wake(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
          Done(CreateEventA(nullptr, TRUE, TRUE, nullptr))
    {
        InitializeCriticalSection(&Lock);
    }
    ~THandOver()
    {
        DeleteCriticalSection(&Lock);
        CloseHandle(Wake);
        CloseHandle(Done);
        if (Thread) CloseHandle(Thread);
    }
    THandOver(const THandOver&) = delete;
    THandOver& operator=(const THandOver&) = delete;
};
THandOver Shared;

struct TLocked {
    TLocked() { EnterCriticalSection(&Shared.Lock); }
    ~TLocked() { LeaveCriticalSection(&Shared.Lock); }
    TLocked(const TLocked&) = delete;
    TLocked& operator=(const TLocked&) = delete;
};

bool IsAwaited(TJob job)
{
    return job == TJob::Restore || job == TJob::ResetCaptions;
}

void PublishReport()
{
    TClientsReport report;
    report.Made = true;
    GetLocalTime(&report.Time);
    report.Lines = Clients.Found;
    const TLocked locked;
    Shared.Report = std::move(report);
}

void RunJob(TJob job)
{
    if (job == TJob::Update) {
        ServeClients();
        Clients.Served = Clients.Slots;
        // A pass cut short for a restore did not find every client.
        if (!TrackWithdrawn()) PublishReport();
        return;
    }
    if (job == TJob::Restore) return RestoreAllSlots();
    for (TClient& slot : Clients.Served)
        if (!slot.ProfileDir.empty() && IsZemInstance(slot)) ResetCaptionsFromBackup(slot);
}

// The job to run next, with its state; false, and the worker no longer
// counted as running, when it is to end.
bool TakeJob(TJob& job, bool& ended)
{
    const TLocked locked;
    Shared.PictureChosen = Shared.PictureChosen || Clients.PictureChosen;
    Clients.PictureChosen = false;
    Shared.Restoring = Shared.Restoring && Shared.Job == TJob::Restore;
    if (Shared.Job == TJob::None) {
        SetEvent(Shared.Done);
        ended = Shared.Ending;
        if (ended) Shared.Running = false;
        return false;
    }
    job = Shared.Job;
    Shared.Job = TJob::None;
    Clients.Wanted = Shared.Wanted;
    // The player's thread has not switched it off yet.
    if (Shared.PictureChosen)
        Clients.Wanted.Values[SettingIndex(Setting::SetPicture)] = OnOffText(false);
    return true;
}

DWORD WINAPI WorkerMain(LPVOID module)
{
    bool ended = false;
    while (!ended) {
        WaitForSingleObject(Shared.Wake, INFINITE);
        try {
            TJob job = TJob::None;
            while (TakeJob(job, ended)) RunJob(job);
        } catch (...) {
            // The next job starts afresh.
        }
    }
    FreeLibraryAndExitThread(static_cast<HMODULE>(module), 0);
    return 0;
}

void Post(TJob job, const TWanted& wanted)
{
    const TLocked locked;
    if (IsAwaited(job)) ResetEvent(Shared.Done);
    if (job == TJob::Restore) Shared.Restoring = OnIn(wanted.Values, Setting::SaveRestore);
    Shared.Job = job;
    Shared.Wanted = wanted;
    SetEvent(Shared.Wake);
}

// The player's thread waits for the worker alone: no message of the
// player is handled inside the wait.
bool Await(TJob job, const TWanted& wanted)
{
    {
        // A worker counted as running takes up what is posted now.
        const TLocked locked;
        if (!Shared.Running) return true;
        Post(job, wanted);
    }
    return WaitForSingleObject(Shared.Done, CloseWaitMs) == WAIT_OBJECT_0;
}

}  // namespace

bool StartWorker()
{
    const TLocked locked;
    Shared.Ending = false;
    if (Shared.Running) return true;
    // The worker holds the module until it leaves: it never runs unloaded
    // code.
    HMODULE module = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                            reinterpret_cast<LPCSTR>(&WorkerMain), &module))
        return false;
    const HANDLE thread = CreateThread(nullptr, 0, WorkerMain, module, 0, nullptr);
    if (!thread) {
        FreeLibrary(module);
        return false;
    }
    if (Shared.Thread) CloseHandle(Shared.Thread);
    Shared.Thread = thread;
    Shared.Running = true;
    return true;
}

bool EndWorker(bool restore, const TWanted& wanted)
{
    HANDLE thread = nullptr;
    {
        const TLocked locked;
        if (!Shared.Running) return true;
        if (restore)
            Post(TJob::Restore, wanted);
        else if (Shared.Job == TJob::Update)
            Shared.Job = TJob::None;
        Shared.Ending = true;
        SetEvent(Shared.Wake);
        thread = Shared.Thread;
    }
    return WaitForSingleObject(thread, CloseWaitMs) == WAIT_OBJECT_0;
}

void HandOver(const TWanted& wanted)
{
    const TLocked locked;
    if (Shared.Running && !Shared.Ending && !IsAwaited(Shared.Job)) Post(TJob::Update, wanted);
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
        const bool ending = Shared.Ending || !Shared.Running;
        StartWorker();
        Shared.Ending = ending;
    }
    return Await(TJob::ResetCaptions, wanted);
}

bool TakePictureChoice()
{
    const TLocked locked;
    const bool chosen = Shared.PictureChosen;
    Shared.PictureChosen = false;
    return chosen;
}

TClientsReport LastClientsReport()
{
    const TLocked locked;
    TClientsReport report = Shared.Report;
    // The last pass saw them show the track; the restore is giving them
    // their own status back.
    if (Shared.Restoring)
        for (TClientLine& line : report.Lines)
            if (line.Use == TClientUse::ShowsTrack) line.Use = TClientUse::OwnBeingGivenBack;
    return report;
}

bool TrackWithdrawn()
{
    const TLocked locked;
    return Shared.Ending || IsAwaited(Shared.Job);
}
