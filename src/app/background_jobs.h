#pragma once
// The threads that searches and enqueues start (one per result page, per video enqueue, per batch).
// Nobody waits for them while the program runs; when the program's context goes, the jobs are told to
// stop and are joined, so none of them outlives the session, the tables or the queue it works on.
#include <atomic>
#include <functional>

#include "win/worker_threads.h"

namespace app {

class BackgroundJobs {
public:
    BackgroundJobs() = default;
    ~BackgroundJobs() { StopAndJoin(); }
    BackgroundJobs(const BackgroundJobs&) = delete;
    BackgroundJobs& operator=(const BackgroundJobs&) = delete;

    // Runs `work` on a thread of its own; false once stopping, or when no thread could be started.
    bool Start(std::function<void()> work) { return !Stopping() && threads_.Start(std::move(work)); }

    // A long job (a batch) asks this between its steps and ends early once it is true.
    bool Stopping() const { return stopping_.load(); }

    void StopAndJoin() {
        stopping_.store(true);
        threads_.JoinAll();
    }

private:
    std::atomic<bool> stopping_{false};  // set once by the owner's thread; read by the jobs
    win::WorkerThreads threads_;
};

}  // namespace app
