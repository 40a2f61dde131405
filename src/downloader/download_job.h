#pragma once
// The record every thread of one download shares, and the numbers that shape a job.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "downloader/segmented_download.h"
#include "win/handle.h"

namespace downloader::detail {

constexpr std::int64_t kSegmentSize = 1'048'576;
// A segment gets its first attempt and at most two more before the job fails.
constexpr int kAttemptsPerSegment = 3;
// Every wait on the job's condition wakes at least this often, so a missed signal costs at most
// this long and never a hang.
constexpr int kSafetyWaitMs = 100;

// What is known of one segment. Written by the worker fetching it and read by the supervisor,
// both under the job's lock.
struct SegmentState {
    std::int64_t written = 0;  // bytes from the segment's start that are in the file
    std::int64_t counted = 0;  // most bytes ever written; what `received` holds of this segment
    int attempts = 0;          // attempts started so far
    bool done = false;
};

using Clock = std::chrono::steady_clock;

// One worker's mailbox for the segment the supervisor hands it, and what the supervisor watches of
// it. Under the job's lock.
struct WorkerSlot {
    bool waiting = false;  // written by the worker: it is free and waits for a segment
    int assigned = -1;     // written by the supervisor, taken (reset to -1) by the worker
    int segment = -1;      // worker: the segment it is fetching
    // Worker: when the WinINet call it is in is overdue; max() outside calls. WinINet under Wine
    // honours no receive time-out, so the supervisor enforces this one.
    Clock::time_point deadline = Clock::time_point::max();
    bool abandoned = false;  // supervisor: given up on; the worker leaves without touching the job
    // Worker: the view of its window on the file, kept from segment to segment and unmapped when it
    // moves on or ends; the supervisor unmaps it when it gives the worker up, so a stuck call never
    // keeps the file mapped (and undeletable).
    void* view = nullptr;
    bool running = true;     // worker: false once its thread has nothing more to do with the job
};

struct SegmentedDownload {
    // Set by StartDownloadJob before any other thread sees the record; never change afterwards.
    std::wstring url;
    std::wstring targetPath;
    ReportRoutine report;
    JobOptions options;
    std::int64_t length = 0;
    std::int64_t segmentSize = kSegmentSize;
    int segmentCount = 0;
    int connections = 0;
    DWORD sessionAccess = 0;  // access type of the workers' sessions (SessionAccessType)

    // Owned by the supervisor thread once the job runs; closed by it at the end. Workers only map
    // views of `mapping` while the supervisor waits for them.
    win::UniqueFile file;
    win::UniqueMapping mapping;

    // The job's one lock. Recursive, so the report routine (called under it) may write the control
    // word through SetJobControl.
    std::recursive_mutex lock;
    // Signalled under `lock` whenever a field below changes.
    std::condition_variable_any changed;

    // Everything below is guarded by `lock`.
    int control = kRun;          // written by the queue's commands, workers and the supervisor
    bool ended = false;          // supervisor: the outcome is decided, the control word is final
    bool closing = false;        // supervisor: workers leave once they see it
    int active = 0;              // workers: how many have started and not ended
    int dispatched = 0;          // supervisor: segments handed out at least once, in order
    int finished = 0;            // workers: segments complete in the file
    std::int64_t received = 0;   // workers: bytes written so far, never decreasing
    std::vector<SegmentState> segments;  // workers (their own segment) and supervisor
    std::deque<int> retries;     // workers push failed segments, the supervisor hands them out again
    std::deque<WorkerSlot> slots;        // one per worker thread ever started; supervisor adds them

    // Supervisor: the file is to go once nothing maps it any more (the last holder of the record).
    bool removeFile = false;

    ~SegmentedDownload() {
        mapping.reset();
        file.reset();
        if (removeFile) DeleteFileW(targetPath.c_str());
    }

    std::int64_t SegmentStart(int segment) const { return segment * segmentSize; }
    // Bytes of the segment inside the file; the last one may be shorter than segmentSize.
    std::int64_t SegmentBytes(int segment) const {
        const std::int64_t rest = length - SegmentStart(segment);
        return rest < segmentSize ? rest : segmentSize;
    }
    static bool IsFinal(int control) { return control == kFailed || control == kStop; }
};

}  // namespace downloader::detail
