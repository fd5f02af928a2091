#pragma once

#include <QThreadPool>
#include <atomic>
#include <functional>
#include <memory>
#include <new>

// Long work of a window runs on the program's thread pool, so the window stays
// responsive. The window and the work share only a job: the cancel switch,
// the done flag and what the work reports, which the window reads on a timer.
// A window that closes throws its switch and lets go without waiting; the work
// ends on its own soon after, and the program waits for the pool before it ends.
struct BackgroundJob {
    std::atomic<bool> cancel{false};
    std::atomic<bool> done{false};
    // The work ran out of memory: nothing it left is to be used.
    std::atomic<bool> outOfMemory{false};

    bool finished() const { return done.load(std::memory_order_acquire); }
};

// Runs `work` on the pool; the job is marked done after it, so what the work
// left in the job is complete once finished() says so.
template <class Job> void startInBackground(const std::shared_ptr<Job>& job, std::function<void(Job&)> work)
{
    QThreadPool::globalInstance()->start([job, work = std::move(work)] {
        try {
            work(*job);
        } catch (const std::bad_alloc&) {
            job->outOfMemory = true;
        }
        job->done.store(true, std::memory_order_release);
    });
}
