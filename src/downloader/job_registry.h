#pragma once
// Live jobs by handle. A handle never points at memory: it is looked up here, and the record it finds
// is kept alive by the shared pointer for as long as the caller holds it.
#include <memory>

#include "downloader/download_job.h"

namespace downloader::detail {

JobHandle RegisterJob(std::shared_ptr<SegmentedDownload> job);
std::shared_ptr<SegmentedDownload> FindJob(JobHandle handle);  // null once the job has ended
void UnregisterJob(JobHandle handle);

}  // namespace downloader::detail
