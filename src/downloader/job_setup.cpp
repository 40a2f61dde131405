// StartDownloadJob: the probe, the target file and its mapping, the record, the supervisor.
#include <algorithm>
#include <exception>
#include <thread>

#include "downloader/download_supervisor.h"
#include "downloader/job_registry.h"
#include "downloader/wininet_calls.h"

namespace downloader {
namespace {

using detail::SegmentedDownload;

// The resource's length, or nothing: no answer, an answer that is not a success (an error page is
// never saved as a song), or no usable Content-Length.
std::optional<std::int64_t> ProbeLength(const std::wstring& url, const JobOptions& options) {
    win::UniqueInternet session = detail::OpenSession(options);
    if (!session) return std::nullopt;
    win::UniqueInternet probe = detail::OpenUrl(session.get(), url, detail::kHeaderBlock, options);
    if (!probe) return std::nullopt;
    const int status = detail::StatusCode(probe.get());
    if (status < 200 || status > 299) return std::nullopt;
    auto length = detail::ContentLength(probe.get());
    if (!length || *length <= 0) return std::nullopt;
    return length;
}

// Deletes the target file unless dismissed; declared before the file handle, so it runs after the
// handle is closed.
class RemoveFileUnlessKept {
public:
    explicit RemoveFileUnlessKept(const std::wstring& path) : path_(path) {}
    ~RemoveFileUnlessKept() {
        if (!kept_) DeleteFileW(path_.c_str());
    }
    void Keep() { kept_ = true; }

private:
    const std::wstring& path_;
    bool kept_ = false;
};

JobHandle StartJob(const std::wstring& url, const std::wstring& targetPath, int connections, ReportRoutine report,
                   const JobOptions& options) {
    auto length = ProbeLength(url, options);
    if (!length) return kNoJob;

    RemoveFileUnlessKept removeFile(targetPath);
    // Both sharing modes, so the song list can read the file while it grows.
    win::UniqueFile file(CreateFileW(targetPath.c_str(), GENERIC_READ | GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!file) {
        removeFile.Keep();  // not ours: whatever is there was not created by this job
        return kNoJob;
    }
    // Sizing the mapping grows the file to its full length in one step.
    win::UniqueMapping mapping(CreateFileMappingW(file.get(), nullptr, PAGE_READWRITE,
                                                  static_cast<DWORD>(*length >> 32),
                                                  static_cast<DWORD>(*length & 0xFFFFFFFF), nullptr));
    if (!mapping) return kNoJob;

    auto job = std::make_shared<SegmentedDownload>();
    job->url = url;
    job->targetPath = targetPath;
    job->report = std::move(report);
    job->options = options;
    job->length = *length;
    job->segmentCount = static_cast<int>((*length + job->segmentSize - 1) / job->segmentSize);
    job->connections = std::max(1, std::min(connections, job->segmentCount));
    job->segments.resize(job->segmentCount);
    job->slots.resize(job->connections);
    job->file = std::move(file);
    job->mapping = std::move(mapping);

    const JobHandle handle = detail::RegisterJob(job);
    try {
        std::thread(detail::DownloadSupervisor, handle, job).detach();
    } catch (const std::exception&) {
        detail::UnregisterJob(handle);
        job->mapping.reset();
        job->file.reset();
        return kNoJob;
    }
    removeFile.Keep();
    return handle;
}

}  // namespace

JobHandle StartDownloadJob(const std::wstring& url, const std::wstring& targetPath, int connections,
                           ReportRoutine report, const JobOptions& options) {
    try {
        return StartJob(url, targetPath, connections, std::move(report), options);
    } catch (const std::exception&) {
        return kNoJob;  // out of memory while building the record; RAII has released the rest
    }
}

JobHandle StartDownloadJob(const std::wstring& url, const std::wstring& targetPath, int connections,
                           ReportRoutine report) {
    return StartDownloadJob(url, targetPath, connections, std::move(report), JobOptions{});
}

}  // namespace downloader
