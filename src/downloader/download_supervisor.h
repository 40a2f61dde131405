#pragma once
#include <memory>

#include "downloader/download_job.h"

namespace downloader::detail {

// Gives every free worker the next segment: a failed one waiting for its retry first, then the next
// in order. Only while the job runs (not paused, not closing), under the job's lock. The supervisor
// runs it whenever it wakes; a worker that has just become free runs it too, so it need not wait for
// the supervisor to wake up.
void AssignFreeWorkers(SegmentedDownload& job);

// Thread routine of one job: runs its workers, hands them the segments, waits for the outcome,
// closes and (unless complete) deletes the file, unregisters the job and makes the end report.
void DownloadSupervisor(JobHandle handle, std::shared_ptr<SegmentedDownload> job) noexcept;

}  // namespace downloader::detail
