#pragma once
#include <memory>

#include "downloader/download_job.h"
#include "downloader/segment_fetch.h"

namespace downloader::detail {

// Thread routine of one connection of a job: takes segments from its slot until the job closes,
// fetching each into the file over the same session so the connection can be kept alive. Holds the
// record, since a worker given up during a stalled call may outlive the supervisor.
void SegmentWorker(std::shared_ptr<SegmentedDownload> job, int slot) noexcept;

// Books the outcome of one attempt at a segment: a failed one goes back for another attempt, from
// its first unwritten byte, until it has had all of them; then the job fails.
void SettleAttempt(SegmentedDownload& job, int segment, Attempt attempt);

}  // namespace downloader::detail
