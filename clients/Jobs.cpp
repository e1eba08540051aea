#include "clients/Jobs.h"

#include <utility>

bool IsAwaited(TJob job)
{
    return job == TJob::Restore || job == TJob::ResetCaptions;
}

void PostJob(TJobs& jobs, TJob job, const TWanted& wanted)
{
    if (job == TJob::ResetCaptions && jobs.Job == TJob::Restore) {
        jobs.Next = job;
        jobs.NextWanted = wanted;
        return;
    }
    if (job == TJob::Restore && jobs.Job == TJob::ResetCaptions) {
        jobs.Next = jobs.Job;
        jobs.NextWanted = jobs.Wanted;
    }
    jobs.Job = job;
    jobs.Wanted = wanted;
}

TJob TakeJob(TJobs& jobs, TWanted& wanted)
{
    const TJob job = jobs.Job;
    wanted = jobs.Wanted;
    jobs.Job = std::exchange(jobs.Next, TJob::None);
    jobs.Wanted = jobs.NextWanted;
    return job;
}
