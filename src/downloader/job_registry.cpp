#include "downloader/job_registry.h"

#include <map>
#include <mutex>

namespace downloader {
namespace detail {
namespace {

struct Registry {
    std::mutex lock;
    // Written by StartDownloadJob (insert) and the supervisors (erase), read by any thread; under `lock`.
    std::map<JobHandle, std::shared_ptr<SegmentedDownload>> jobs;
    JobHandle lastHandle = 0;  // under `lock`; handles are never reused
};

// Never destroyed: a detached supervisor may still look a job up while the process exits.
Registry& TheRegistry() {
    static Registry* registry = new Registry;
    return *registry;
}

}  // namespace

JobHandle RegisterJob(std::shared_ptr<SegmentedDownload> job) {
    Registry& r = TheRegistry();
    std::lock_guard guard(r.lock);
    const JobHandle handle = ++r.lastHandle;
    r.jobs.emplace(handle, std::move(job));
    return handle;
}

std::shared_ptr<SegmentedDownload> FindJob(JobHandle handle) {
    Registry& r = TheRegistry();
    std::lock_guard guard(r.lock);
    auto it = r.jobs.find(handle);
    return it == r.jobs.end() ? nullptr : it->second;
}

void UnregisterJob(JobHandle handle) {
    Registry& r = TheRegistry();
    std::lock_guard guard(r.lock);
    r.jobs.erase(handle);
}

}  // namespace detail

bool SetJobControl(JobHandle handle, int control) {
    if (control != kRun && control != kStop && control != kPaused && control != kFailed) return false;
    auto job = detail::FindJob(handle);
    if (!job) return false;
    std::lock_guard guard(job->lock);
    // Once failing or stopping, the job is on its way out: a resume must not turn a failure into
    // a finished download with holes in it.
    if (job->ended || detail::SegmentedDownload::IsFinal(job->control)) return false;
    job->control = control;
    job->changed.notify_all();
    return true;
}

bool JobAlive(JobHandle handle) { return detail::FindJob(handle) != nullptr; }

}  // namespace downloader
