#include "base/ui/backgroundjob.h"

#include <QSignalSpy>
#include <QThread>

#include <gtest/gtest.h>

namespace {

// Counts up until told to stop, reporting each step; returns how far it came.
int countUntilStopped(JobControl& control)
{
    int n = 0;
    while (!control.cancelRequested()) {
        control.report(++n);
        QThread::msleep(1);
    }
    return n;
}

} // namespace

TEST(BackgroundJob, ReportsProgressAndEndsWithWhatTheWorkReturnedEvenWhenStopped)
{
    BackgroundJob<int> job;
    QSignalSpy progressed(&job, &QFutureWatcherBase::progressValueChanged);
    QSignalSpy finished(&job, &QFutureWatcherBase::finished);
    job.start(countUntilStopped);
    // The first signal may tell only that the work has started.
    while (job.progress() == 0)
        ASSERT_TRUE(progressed.wait(5000));
    EXPECT_TRUE(job.running());

    job.cancel();
    ASSERT_TRUE(finished.wait(5000));
    const std::optional<int> result = job.take();
    ASSERT_TRUE(result.has_value());
    EXPECT_GE(*result, job.progress());
    EXPECT_FALSE(job.running());
    EXPECT_EQ(finished.size(), 1);
}

TEST(BackgroundJob, ARestartForgetsTheOldWorkAndRunningOutOfMemoryLeavesNothing)
{
    BackgroundJob<int> job;
    QSignalSpy finished(&job, &QFutureWatcherBase::finished);
    job.start(countUntilStopped);
    job.start([](JobControl&) -> int { throw std::bad_alloc(); });
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_FALSE(job.take().has_value());

    job.start([](JobControl&) { return 7; });
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_EQ(job.take(), 7);
    EXPECT_EQ(finished.size(), 2);
}
