#pragma once
#include <memory>

#include "downloader/download_job.h"

namespace downloader::detail {

// Thread routine of one job: runs its workers, hands them the segments, waits for the outcome,
// closes and (unless complete) deletes the file, unregisters the job and makes the end report.
void DownloadSupervisor(JobHandle handle, std::shared_ptr<SegmentedDownload> job) noexcept;

}  // namespace downloader::detail
