#pragma once
// Threads an owner starts and never waits for while it runs, but joins before it goes away, so no
// thread outlives the object it works on. Finished threads are reaped at the next start.
#include <atomic>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

namespace queue {

class WorkerThreads {
public:
    WorkerThreads() = default;
    WorkerThreads(const WorkerThreads&) = delete;
    WorkerThreads& operator=(const WorkerThreads&) = delete;
    ~WorkerThreads() { JoinAll(); }

    // Runs `work` on a new thread; an exception from it ends the thread quietly. False once JoinAll began
    // or when no thread could be started.
    bool Start(std::function<void()> work);

    // Refuses further starts and waits for every thread (including those started meanwhile by workers).
    void JoinAll();

private:
    struct Worker {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };
    std::mutex mutex_;
    std::list<Worker> workers_;  // any thread starts workers; guarded by mutex_
    bool closing_ = false;       // written by JoinAll; guarded by mutex_
};

}  // namespace queue
