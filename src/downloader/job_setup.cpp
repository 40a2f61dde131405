// StartDownloadJob: the probe, the target file and its mapping, the record, the supervisor.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

#include "downloader/download_supervisor.h"
#include "downloader/job_registry.h"
#include "downloader/wininet_calls.h"

namespace downloader {
namespace {

using detail::SegmentedDownload;

// The length an answer head announces, or nothing: an answer that is not a success (an error page is
// never saved as a song), or no usable Content-Length.
std::optional<std::int64_t> AnnouncedLength(HINTERNET answer) {
    const int status = detail::StatusCode(answer);
    if (status < 200 || status > 299) return std::nullopt;
    auto length = detail::ContentLength(answer);
    if (!length || *length <= 0) return std::nullopt;
    return length;
}

struct ProbeResult;
void Publish(ProbeResult& result, std::optional<std::int64_t> length);

// Asks with HEAD first; a server that will not answer HEAD with a length is asked with a GET, whose
// unread body WinINet then reads away while this thread closes it, after the length is published.
void AskLength(const std::wstring& url, const JobOptions& options, DWORD access, ProbeResult& result) {
    win::UniqueInternet session = detail::OpenSession(options, access);
    if (!session) return Publish(result, std::nullopt);
    {
        win::UniqueInternet connection;
        win::UniqueInternet head = detail::OpenHead(session.get(), url, detail::kHeaderBlock, options, connection);
        if (auto length = head ? AnnouncedLength(head.get()) : std::nullopt) return Publish(result, length);
    }
    win::UniqueInternet probe = detail::OpenUrl(session.get(), url, detail::kHeaderBlock, options);
    Publish(result, probe ? AnnouncedLength(probe.get()) : std::nullopt);
}

// What the probe's thread hands back. Shared, because a probe that outlives its time-out is left
// behind and ends whenever WinINet lets it go.
struct ProbeResult {
    std::mutex lock;
    std::condition_variable done;
    bool finished = false;                // probe thread, under `lock`
    std::optional<std::int64_t> length;   // probe thread, under `lock`
};

void Publish(ProbeResult& result, std::optional<std::int64_t> length) {
    std::lock_guard guard(result.lock);
    if (result.finished) return;
    result.length = length;
    result.finished = true;
    result.done.notify_all();
}

// AskLength on a thread of its own: WinINet under Wine honours no receive time-out, and a server that
// never answers must not hold the caller for ever.
std::optional<std::int64_t> ProbeLength(const std::wstring& url, const JobOptions& options, DWORD access) {
    auto result = std::make_shared<ProbeResult>();
    std::thread([result, url, options, access] {
        try {
            AskLength(url, options, access, *result);
        } catch (...) {
        }
        Publish(*result, std::nullopt);  // no effect once published
    }).detach();
    std::unique_lock lock(result->lock);
    const auto limit = std::chrono::milliseconds(options.connectTimeoutMs + options.receiveTimeoutMs);
    if (!result->done.wait_for(lock, limit, [&] { return result->finished; })) return std::nullopt;
    return result->length;
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

// Creates the target file empty, or cuts an existing one to nothing. Both sharing modes, so the song
// list can read the file while it grows.
HANDLE CreateTarget(const std::wstring& path) {
    // Only a file that exists is opened for truncation: under Wine CREATE_ALWAYS truncates even the
    // file it has just made, and Linux then writes the whole file back to the disk while its last
    // handle closes (tens of milliseconds per 256 MiB, holding up the job's end) and the writes
    // through the mapping run slower.
    constexpr DWORD access = GENERIC_READ | GENERIC_WRITE;
    constexpr DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    HANDLE file = CreateFileW(path.c_str(), access, share, nullptr, CREATE_NEW, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_EXISTS)
        file = CreateFileW(path.c_str(), access, share, nullptr, CREATE_ALWAYS, 0, nullptr);
    return file;
}

JobHandle StartJob(const std::wstring& url, const std::wstring& targetPath, int connections, ReportRoutine report,
                   const JobOptions& options) {
    const DWORD access = detail::SessionAccessType();
    auto length = ProbeLength(url, options, access);
    if (!length) return kNoJob;

    RemoveFileUnlessKept removeFile(targetPath);
    win::UniqueFile file(CreateTarget(targetPath));
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
    job->sessionAccess = access;
    job->segments.resize(job->segmentCount);
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
