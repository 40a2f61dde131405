#include "downloader/worker_window.h"

#include <algorithm>
#include <utility>

#include "downloader/file_window.h"

namespace downloader::detail {

static_assert(kWindowBytes % kSegmentSize == 0, "a segment never straddles two windows");
static_assert(kWindowBytes % kLargePageBytes == 0, "windows start on large-page boundaries");

char* WorkerWindow::Segment(int segment) {
    const std::int64_t first = job_.SegmentStart(segment);
    const std::int64_t start = first - first % kWindowBytes;
    if (base_ && start == start_) return base_ + (first - start);
    Release();
    void* view = MapAlignedView(job_.mapping.get(), start, std::min(kWindowBytes, job_.length - start));
    if (!view) return nullptr;
    std::unique_lock<std::recursive_mutex> lock(job_.lock);
    job_.slots[slot_].view = view;
    base_ = static_cast<char*>(view);
    start_ = start;
    return base_ + (first - start);
}

void WorkerWindow::Release() {
    base_ = nullptr;
    std::unique_lock<std::recursive_mutex> lock(job_.lock);
    // Already gone when the supervisor has given the worker up.
    if (void* view = std::exchange(job_.slots[slot_].view, nullptr)) UnmapViewOfFile(view);
}

}  // namespace downloader::detail
