#pragma once
// Threads an owner starts and never waits for while it runs, but joins before it goes away, so no
// thread outlives the object it works on. Finished threads are reaped at the next start.
#include <atomic>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace win {

class WorkerThreads {
public:
    WorkerThreads() = default;
    WorkerThreads(const WorkerThreads&) = delete;
    WorkerThreads& operator=(const WorkerThreads&) = delete;
    ~WorkerThreads() { JoinAll(); }

    // Runs `work` on a new thread; an exception from it ends the thread quietly. False once JoinAll has
    // begun, or when no thread could be started.
    bool Start(std::function<void()> work) {
        std::list<Worker> finished;
        std::lock_guard lock(mutex_);
        if (closing_) return false;
        for (auto it = workers_.begin(); it != workers_.end();) {
            auto next = std::next(it);
            if (it->done->load()) finished.splice(finished.end(), workers_, it);
            it = next;
        }
        for (auto& w : finished) w.thread.join();  // they have returned: the join is immediate
        auto done = std::make_shared<std::atomic<bool>>(false);
        try {
            std::thread thread([work = std::move(work), done] {
                try {
                    work();
                } catch (...) {
                }
                done->store(true);
            });
            workers_.push_back(Worker{std::move(thread), done});
        } catch (const std::system_error&) {
            return false;
        }
        return true;
    }

    // Refuses further starts and waits for every thread, including those that workers started meanwhile.
    void JoinAll() {
        for (;;) {
            std::list<Worker> batch;
            {
                std::lock_guard lock(mutex_);
                closing_ = true;
                batch.swap(workers_);
            }
            if (batch.empty()) return;
            for (auto& w : batch) {
                if (!w.thread.joinable()) continue;
                if (w.thread.get_id() == std::this_thread::get_id())
                    w.thread.detach();  // the owner is going away from one of its own workers
                else
                    w.thread.join();
            }
        }
    }

private:
    struct Worker {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };
    std::mutex mutex_;
    std::list<Worker> workers_;  // any thread starts workers; guarded by mutex_
    bool closing_ = false;       // written by JoinAll; guarded by mutex_
};

}  // namespace win
