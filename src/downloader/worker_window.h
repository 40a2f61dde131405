#pragma once
#include <cstdint>

#include "downloader/download_job.h"

namespace downloader::detail {

// Bytes of the file one worker's view covers: several segments, so a worker fetching segment after
// segment maps a new view only every few of them. Two workers each holding one keep the job's memory
// bounded whatever the file's size.
constexpr std::int64_t kWindowBytes = 8 * kSegmentSize;

// The stretch of the file a worker writes into. Its view stays mapped from segment to segment while
// they fall inside it, and sits in the worker's slot so the supervisor can take it away from a worker
// it gives up (a stuck call must never keep the file mapped).
class WorkerWindow {
public:
    WorkerWindow(SegmentedDownload& job, int slot) : job_(job), slot_(slot) {}
    ~WorkerWindow() { Release(); }
    WorkerWindow(const WorkerWindow&) = delete;
    WorkerWindow& operator=(const WorkerWindow&) = delete;

    // Where the segment's first byte lies in the view, after mapping the window that holds it if
    // that is not the one mapped; null when no view could be mapped. Valid until the next call, and
    // only while the worker has not been given up.
    char* Segment(int segment);

private:
    void Release();

    SegmentedDownload& job_;
    const int slot_;
    std::int64_t start_ = 0;  // file offset of the view's first byte
    char* base_ = nullptr;    // the view, or null when none is mapped
};

}  // namespace downloader::detail
