#include "downloader/download_supervisor.h"

#include <chrono>
#include <exception>
#include <thread>
#include <utility>
#include <vector>

#include "downloader/job_registry.h"
#include "downloader/segment_worker.h"

namespace downloader::detail {
namespace {

using Lock = std::unique_lock<std::recursive_mutex>;

class Supervisor {
public:
    Supervisor(JobHandle handle, std::shared_ptr<SegmentedDownload> job) : handle_(handle), job_(std::move(job)) {}

    void Run() {
        int outcome = kFailed;
        try {
            {
                Lock lock(job_->lock);
                for (int i = 0; i < job_->connections; ++i) StartWorker();
            }
            outcome = HandOutSegments();
            Drain();
        } catch (const std::exception&) {
            // Out of threads or memory: whatever was started is left to end by itself.
            Lock lock(job_->lock);
            outcome = job_->control = kFailed;
            job_->ended = job_->closing = true;
            job_->changed.notify_all();
            for (std::thread& worker : workers_)
                if (worker.joinable()) worker.detach();
        }
        End(outcome);
    }

private:
    // Under the job's lock.
    void StartWorker() {
        // The slot and its (still empty) thread first, so their indexes always match.
        job_->slots.emplace_back();
        workers_.emplace_back();
        const int slot = static_cast<int>(job_->slots.size()) - 1;
        try {
            workers_.back() = std::thread(SegmentWorker, job_, slot);
        } catch (const std::exception&) {
            job_->slots[slot].running = false;
            if (!SegmentedDownload::IsFinal(job_->control)) job_->control = kFailed;
        }
    }

    // A worker stuck in a call past its deadline is given up: its segment counts as a failed attempt
    // and, while the job goes on, a fresh worker on a new connection takes its place. The stuck thread
    // is left to end whenever WinINet lets it go. Under the job's lock.
    void AbandonOverdueWorkers() {
        const auto now = Clock::now();
        const size_t count = job_->slots.size();
        for (size_t i = 0; i < count; ++i) {
            WorkerSlot& slot = job_->slots[i];
            if (slot.abandoned || !slot.running || slot.deadline > now) continue;
            slot.abandoned = true;
            if (slot.view) UnmapViewOfFile(std::exchange(slot.view, nullptr));
            if (workers_[i].joinable()) workers_[i].detach();
            SettleAttempt(*job_, slot.segment, Attempt::kAbandoned);
            if (!job_->closing && !SegmentedDownload::IsFinal(job_->control)) StartWorker();
        }
    }

    // Hands out segments until the job is complete and running, failed or stopped; a job whose last
    // segment arrives while paused waits here for its resume. Returns the final control word.
    int HandOutSegments() {
        Lock lock(job_->lock);
        for (;;) {
            AbandonOverdueWorkers();
            if (SegmentedDownload::IsFinal(job_->control)) break;
            if (job_->finished == job_->segmentCount && job_->control == kRun) break;
            if (job_->control == kRun) AssignFreeWorkers(*job_);
            job_->changed.wait_for(lock, std::chrono::milliseconds(kSafetyWaitMs));
        }
        job_->ended = true;
        job_->closing = true;
        job_->changed.notify_all();
        return job_->control;
    }

    // Waits for every worker to leave, still giving up any that hangs in a call.
    void Drain() {
        Lock lock(job_->lock);
        for (;;) {
            AbandonOverdueWorkers();
            bool anyRunning = false;
            for (const WorkerSlot& slot : job_->slots) anyRunning |= slot.running && !slot.abandoned;
            if (!anyRunning) break;
            job_->changed.wait_for(lock, std::chrono::milliseconds(kSafetyWaitMs));
        }
        lock.unlock();
        for (std::thread& worker : workers_)
            if (worker.joinable()) worker.join();
    }

    void End(int outcome) noexcept {
        std::int64_t received = 0;
        bool complete = false;
        {
            Lock lock(job_->lock);
            received = job_->received;
            complete = job_->finished == job_->segmentCount;
            job_->removeFile = !complete || outcome == kFailed;
        }
        // Close before telling anyone: a finished file is whole on disk, a failed one is gone (or goes
        // with the last worker still stuck in a call). A file of zeros left behind would be listed as
        // a song.
        job_->mapping.reset();
        job_->file.reset();
        if (job_->removeFile && DeleteFileW(job_->targetPath.c_str())) job_->removeFile = false;
        UnregisterJob(handle_);

        try {
            if (!job_->report) return;
            if (outcome == kFailed) {
                job_->report(kFailedReport, 0, 0);
            } else if (outcome == kRun && complete) {
                job_->report(kFinished, job_->length, received);
            }
        } catch (...) {
            // The report routine's own failure has nowhere to go: the job is over.
        }
    }

    const JobHandle handle_;
    const std::shared_ptr<SegmentedDownload> job_;
    std::vector<std::thread> workers_;  // one per slot, same index; only this thread touches it
};

}  // namespace

void AssignFreeWorkers(SegmentedDownload& job) {
    for (WorkerSlot& slot : job.slots) {
        if (!slot.waiting || slot.assigned >= 0 || slot.abandoned) continue;
        int segment;
        if (!job.retries.empty()) {
            segment = job.retries.front();
            job.retries.pop_front();
        } else if (job.dispatched < job.segmentCount) {
            segment = job.dispatched++;
        } else {
            return;
        }
        slot.assigned = segment;
        slot.waiting = false;
        job.changed.notify_all();
    }
}

void DownloadSupervisor(JobHandle handle, std::shared_ptr<SegmentedDownload> job) noexcept {
    try {
        Supervisor(handle, std::move(job)).Run();
    } catch (...) {
        // Nothing may leave a thread's entry; Run has already ended the job in every path it knows.
    }
}

}  // namespace downloader::detail
