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
    TWanted taken;
    PostJob(jobs, TJob::Update, Marked("update"));
    PostJob(jobs, TJob::Restore, Marked("restore"));
    PostJob(jobs, TJob::ResetCaptions, Marked("reset"));
    PostJob(jobs, TJob::Restore, Marked("newer restore"));
    EXPECT_EQ(TakeJob(jobs, taken), TJob::Restore);
    EXPECT_EQ(taken.JournalPath, "newer restore");
    EXPECT_EQ(TakeJob(jobs, taken), TJob::ResetCaptions);
    EXPECT_EQ(taken.JournalPath, "reset");
    EXPECT_EQ(TakeJob(jobs, taken), TJob::None);

    PostJob(jobs, TJob::ResetCaptions, Marked("reset"));
    PostJob(jobs, TJob::Restore, Marked("restore"));
    EXPECT_EQ(TakeJob(jobs, taken), TJob::Restore);
    EXPECT_EQ(taken.JournalPath, "restore");
    EXPECT_EQ(TakeJob(jobs, taken), TJob::ResetCaptions);
    EXPECT_EQ(taken.JournalPath, "reset");
    EXPECT_EQ(TakeJob(jobs, taken), TJob::None);
}

}  // namespace
