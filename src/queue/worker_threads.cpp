#include "queue/worker_threads.h"

#include <system_error>

namespace queue {

bool WorkerThreads::Start(std::function<void()> work) {
    std::list<Worker> finished;
    std::lock_guard lock(mutex_);
    if (closing_) return false;
    for (auto it = workers_.begin(); it != workers_.end();) {
        auto next = std::next(it);
        if (it->done->load()) finished.splice(finished.end(), workers_, it);
        it = next;
    }
    for (auto& w : finished) w.thread.join();  // they have returned; join is immediate
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

void WorkerThreads::JoinAll() {
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

}  // namespace queue
