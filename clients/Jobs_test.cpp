#include <gtest/gtest.h>

#include "clients/Jobs.h"

namespace {

TWanted Marked(const char* mark)
{
    TWanted wanted;
    wanted.JournalPath = mark;
    return wanted;
}

// A reset of the captions and a restore, asked in either order while the
// other is pending: the restore runs first, each with its own state, and
// the newer of one kind replaces the older.
TEST(JobsTest, APendingRestoreIsNeverReplaced)
{
    TJobs jobs;
    const auto expectTaken = [&](TJob job, const char* mark) {
        TWanted taken;
        EXPECT_EQ(TakeJob(jobs, taken), job);
        if (job != TJob::None) {
            EXPECT_EQ(taken.JournalPath, mark);
        }
    };
    PostJob(jobs, TJob::Update, Marked("update"));
    PostJob(jobs, TJob::Restore, Marked("restore"));
    PostJob(jobs, TJob::ResetCaptions, Marked("reset"));
    PostJob(jobs, TJob::Restore, Marked("newer restore"));
    expectTaken(TJob::Restore, "newer restore");
    expectTaken(TJob::ResetCaptions, "reset");
    expectTaken(TJob::None, "");

    PostJob(jobs, TJob::ResetCaptions, Marked("reset"));
    PostJob(jobs, TJob::Restore, Marked("restore"));
    expectTaken(TJob::Restore, "restore");
    expectTaken(TJob::ResetCaptions, "reset");
    expectTaken(TJob::None, "");
}

}  // namespace
