#include "downloader/download_supervisor.h"

#include <chrono>
#include <exception>
#include <thread>
#include <vector>

#include "downloader/job_registry.h"
#include "downloader/segment_worker.h"

namespace downloader::detail {
namespace {

using Lock = std::unique_lock<std::recursive_mutex>;

void FailJob(SegmentedDownload& job) {
    Lock lock(job.lock);
    if (!SegmentedDownload::IsFinal(job.control)) job.control = kFailed;
    job.changed.notify_all();
}

// Gives every free worker the next segment: a failed one waiting for its retry first, then the next
// in order. Called under the job's lock.
void AssignFreeWorkers(SegmentedDownload& job) {
    for (WorkerSlot& slot : job.slots) {
        if (!slot.waiting || slot.assigned >= 0) continue;
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

// Hands out segments until the job is complete and running, failed or stopped; a job whose last
// segment arrives while paused waits here for its resume. Returns the final control word.
int HandOutSegments(SegmentedDownload& job) {
    Lock lock(job.lock);
    for (;;) {
        if (SegmentedDownload::IsFinal(job.control)) break;
        if (job.finished == job.segmentCount && job.control == kRun) break;
        if (job.control == kRun) AssignFreeWorkers(job);
        job.changed.wait_for(lock, std::chrono::milliseconds(kSafetyWaitMs));
    }
    job.ended = true;
    job.closing = true;
    job.changed.notify_all();
    return job.control;
}

}  // namespace

void DownloadSupervisor(JobHandle handle, std::shared_ptr<SegmentedDownload> job) noexcept {
    std::vector<std::thread> workers;
    int outcome = kFailed;
    try {
        workers.reserve(job->connections);
        for (int i = 0; i < job->connections; ++i) workers.emplace_back(SegmentWorker, std::ref(*job), i);
    } catch (const std::exception&) {
        FailJob(*job);  // a worker that cannot start fails the job; the ones started still leave
    }
    try {
        outcome = HandOutSegments(*job);
    } catch (const std::exception&) {
        FailJob(*job);
        Lock lock(job->lock);
        job->ended = job->closing = true;
        job->changed.notify_all();
    }
    for (std::thread& worker : workers) worker.join();

    std::int64_t received = 0;
    bool complete = false;
    {
        Lock lock(job->lock);
        received = job->received;
        complete = job->finished == job->segmentCount;
    }
    // Close before telling anyone: a finished file is whole on disk, a failed one is gone. A file of
    // zeros left behind would be listed as a song.
    job->mapping.reset();
    job->file.reset();
    const bool keep = complete && outcome != kFailed;
    if (!keep) DeleteFileW(job->targetPath.c_str());
    UnregisterJob(handle);

    try {
        if (!job->report) return;
        if (outcome == kFailed) {
            job->report(kFailedReport, 0, 0);
        } else if (outcome == kRun && complete) {
            job->report(kFinished, job->length, received);
        }
    } catch (...) {
        // The report routine's own failure has nowhere to go: the job is over.
    }
}

}  // namespace downloader::detail
