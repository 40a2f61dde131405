#include "downloader/segment_worker.h"

#include <chrono>
#include <exception>

#include "downloader/segment_fetch.h"
#include "downloader/wininet_calls.h"

namespace downloader::detail {
namespace {

using Lock = std::unique_lock<std::recursive_mutex>;

// Waits in the worker's slot for the supervisor's next segment; -1 once the job closes.
int NextSegment(SegmentedDownload& job, int slotIndex) {
    Lock lock(job.lock);
    WorkerSlot& slot = job.slots[slotIndex];
    slot.waiting = true;
    job.changed.notify_all();
    while (slot.assigned < 0 && !job.closing) job.changed.wait_for(lock, std::chrono::milliseconds(kSafetyWaitMs));
    if (job.closing) return -1;
    return std::exchange(slot.assigned, -1);
}

// Books the outcome of one attempt. A segment that failed goes back for another attempt, from its
// first unwritten byte, until it has had all of them; then the job fails.
void Settle(SegmentedDownload& job, int segment, Attempt attempt) {
    Lock lock(job.lock);
    SegmentState& state = job.segments[segment];
    switch (attempt) {
        case Attempt::kComplete:
            state.done = true;
            ++job.finished;
            break;
        case Attempt::kFailed:
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
    job.changed.notify_all();
}

void RunWorker(SegmentedDownload& job, int slotIndex) {
    // One session for all of this worker's segments: WinINet keeps the connection open between them.
    win::UniqueInternet session = OpenSession(job.options);
    if (!session) {
        Settle(job, 0, Attempt::kBroken);
        return;
    }
    for (int segment; (segment = NextSegment(job, slotIndex)) >= 0;)
        Settle(job, segment, FetchSegment(job, session.get(), segment));
}

}  // namespace

void SegmentWorker(SegmentedDownload& job, int slotIndex) noexcept {
    {
        Lock lock(job.lock);
        ++job.active;
    }
    try {
        RunWorker(job, slotIndex);
    } catch (const std::exception&) {
        Lock lock(job.lock);
        if (!SegmentedDownload::IsFinal(job.control)) job.control = kFailed;
    }
    Lock lock(job.lock);
    --job.active;
    job.changed.notify_all();
}

}  // namespace downloader::detail
