#pragma once
#include "downloader/download_job.h"

namespace downloader::detail {

// Thread routine of one connection of a job: takes segments from its slot until the job closes,
// fetching each into the file over the same session so the connection can be kept alive.
void SegmentWorker(SegmentedDownload& job, int slot) noexcept;

}  // namespace downloader::detail
