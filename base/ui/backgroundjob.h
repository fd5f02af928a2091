#pragma once

#include <QFutureWatcher>
#include <QPromise>
#include <QtConcurrent/QtConcurrentRun>
#include <atomic>
#include <functional>
#include <limits>
#include <memory>
#include <new>
#include <optional>

// What the work of a job shares with its window: the switch the window throws
// to stop it, and how far the work has come.
struct JobShared {
    std::atomic<bool> cancel{false};
    std::atomic<qint64> progress{0};
};

// What long work sees of its job.
class JobControl {
public:
    JobControl(JobShared& shared, std::function<void()> announce)
        : shared_(shared), announce_(std::move(announce))
    {
    }
    // Work that can stop early polls this (searches take it as their cancel switch).
    const std::atomic<bool>& cancelRequested() const { return shared_.cancel; }
    // Safe from the work's thread as often as it likes: the window hears of it
    // through the job's progressValueChanged signal, a few dozen times a second
    // at most, and reads the value with progress().
    void report(qint64 value)
    {
        shared_.progress = value;
        announce_();
    }

private:
    JobShared& shared_;
    std::function<void()> announce_;
};

// A window's long work on the program's thread pool, so the window stays
// responsive. The job is the window's child and speaks in signals:
// progressValueChanged while the work reports, finished once when it ends.
// Stopping keeps what the work returns (a search stopped early still returns
// its best table), so cancel() only throws the switch the work polls. A job
// destroyed with its window throws the switch and lets go without waiting;
// the work ends on its own soon after, and the pool is waited for when the
// program ends.
template <class Result> class BackgroundJob : public QFutureWatcher<std::optional<Result>> {
public:
    using Work = std::function<Result(JobControl&)>;

    explicit BackgroundJob(QObject* parent = nullptr) : QFutureWatcher<std::optional<Result>>(parent) {}
    ~BackgroundJob() override { cancel(); }

    // A job still running is asked to stop and forgotten: only the new work is heard of.
    void start(Work work)
    {
        cancel();
        shared_ = std::make_shared<JobShared>();
        this->setFuture(QtConcurrent::run(
            [shared = shared_, work = std::move(work)](QPromise<std::optional<Result>>& promise) {
                promise.setProgressRange(0, std::numeric_limits<int>::max());
                int reports = 0;
                JobControl control(*shared, [&promise, &reports] {
                    reports = reports == std::numeric_limits<int>::max() ? 1 : reports + 1;
                    promise.setProgressValue(reports);
                });
                std::optional<Result> result;
                try {
                    result = work(control);
                } catch (const std::bad_alloc&) {
                    // Nothing a job that ran out of memory left is to be used.
                    result.reset();
                }
                promise.addResult(std::move(result));
            }));
    }

    void cancel()
    {
        if (shared_)
            shared_->cancel = true;
    }
    // A taken result leaves the future empty, and an empty future never ends.
    bool running() const { return shared_ && this->future().isValid() && !this->isFinished(); }
    qint64 progress() const { return shared_ ? shared_->progress.load() : 0; }

    // Once finished has been signalled: what the work returned, or nothing
    // when it ran out of memory.
    std::optional<Result> take()
    {
        QFuture<std::optional<Result>> done = this->future();
        if (!done.isValid() || done.resultCount() == 0)
            return std::nullopt;
        return done.takeResult();
    }

private:
    std::shared_ptr<JobShared> shared_;
};
