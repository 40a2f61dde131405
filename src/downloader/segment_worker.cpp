#include "downloader/segment_worker.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <utility>

#include "downloader/download_supervisor.h"
#include "downloader/wininet_calls.h"

namespace downloader::detail {
namespace {

using Lock = std::unique_lock<std::recursive_mutex>;

// Waits in the worker's slot for its next segment; -1 once the job closes. While the job runs the worker
// takes the next segment itself: waking the supervisor and waiting to be woken in turn costs about a
// millisecond per segment under Wine, a sixth of the time a 1 MiB segment takes on a fast link.
int NextSegment(SegmentedDownload& job, int slotIndex) {
    Lock lock(job.lock);
    job.slots[slotIndex].waiting = true;
    if (job.control == kRun && !job.closing) AssignFreeWorkers(job);
    if (job.slots[slotIndex].waiting) job.changed.notify_all();  // the supervisor hands it one later
    while (job.slots[slotIndex].assigned < 0 && !job.closing)
        job.changed.wait_for(lock, std::chrono::milliseconds(kSafetyWaitMs));
    if (job.closing) return -1;
    const int segment = std::exchange(job.slots[slotIndex].assigned, -1);
    job.slots[slotIndex].segment = segment;
    return segment;
}

void RunWorker(SegmentedDownload& job, int slotIndex) {
    // One session for all of this worker's segments: WinINet keeps the connection open between them.
    win::UniqueInternet session = OpenSession(job.options, job.sessionAccess);
    if (!session) {
        SettleAttempt(job, 0, Attempt::kBroken);
        return;
    }
    std::vector<char> buffer(static_cast<size_t>(std::clamp<std::int64_t>(job.options.readChunkBytes, 4096, kSegmentSize)));
    WorkerWindow window(job, slotIndex);
    for (int segment; (segment = NextSegment(job, slotIndex)) >= 0;) {
        const Attempt attempt = FetchSegment(job, slotIndex, session.get(), segment, buffer, window);
        if (attempt == Attempt::kAbandoned) return;  // the supervisor has settled the segment
        SettleAttempt(job, segment, attempt);
    }
}

}  // namespace

void SettleAttempt(SegmentedDownload& job, int segment, Attempt attempt) {
    Lock lock(job.lock);
    SegmentState& state = job.segments[segment];
    switch (attempt) {
        case Attempt::kComplete:
            state.done = true;
            ++job.finished;
            break;
        case Attempt::kFailed:
        case Attempt::kAbandoned:
            if (state.attempts < kAttemptsPerSegment) {
                job.retries.push_front(segment);
                break;
            }
            [[fallthrough]];
        case Attempt::kBroken:
            if (!SegmentedDownload::IsFinal(job.control)) job.control = kFailed;
            break;
        case Attempt::kLeft:
            break;
    }
    // A segment complete in the file matters to others only when it is the job's last one.
    if (attempt != Attempt::kComplete || job.finished == job.segmentCount) job.changed.notify_all();
}

void SegmentWorker(std::shared_ptr<SegmentedDownload> job, int slotIndex) noexcept {
    {
        Lock lock(job->lock);
        ++job->active;
    }
    try {
        RunWorker(*job, slotIndex);
    } catch (...) {
        Lock lock(job->lock);
        if (!job->slots[slotIndex].abandoned && !SegmentedDownload::IsFinal(job->control)) job->control = kFailed;
    }
    Lock lock(job->lock);
    --job->active;
    job->slots[slotIndex].running = false;
    job->changed.notify_all();
}

}  // namespace downloader::detail
