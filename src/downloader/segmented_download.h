#pragma once
// One download: a URL fetched over parallel HTTP Range connections, in 1 MiB segments, straight
// into its target file through a file mapping. Progress and the end are told to a report routine.
#include <cstdint>
#include <functional>
#include <string>

namespace downloader {

// Identifies one job. Stays safe to use after the job has ended: every call on an ended (or never
// started) job does nothing and says so.
using JobHandle = std::int64_t;
constexpr JobHandle kNoJob = -1;

// The control word of a job.
enum Control : int { kRun = 0, kStop = 1, kPaused = 2, kFailed = -1 };

// Report codes: kProgress (first = length, second = received) on the worker that wrote the chunk,
// under the job's lock; kFinished (length, received) and kFailedReport (0, 0) once, at the end, on
// the supervisor's thread without the lock. Nothing is reported after the end report.
enum ReportCode : int { kProgress = 1, kFinished = 0, kFailedReport = -1 };
using ReportRoutine = std::function<void(int code, std::int64_t first, std::int64_t second)>;

// Probes the length, creates the file at full size, and starts the job's supervisor thread.
// Returns the job handle, or kNoJob when the job could not start (then `report` is never called).
// Blocks while the probe runs: never call it on the window thread.
JobHandle StartDownloadJob(const std::wstring& url, const std::wstring& targetPath, int connections,
                           ReportRoutine report);

// Settings of one job that tests and benchmarks change; the defaults are the program's.
struct JobOptions {
    // A connection that cannot be made, or that sends nothing for this long, fails its attempt.
    int connectTimeoutMs = 30000;
    int receiveTimeoutMs = 30000;
    // Most bytes taken from the connection per read; each read is one progress report and one
    // chance to notice a pause.
    int readChunkBytes = 256 * 1024;
    // Sees every request before it goes to WinINet: the URL and the extra header text handed over.
    // Called on the thread making the request (the caller's for the probe, the workers' after it),
    // several at once when the job runs several connections.
    std::function<void(const std::wstring& url, const std::wstring& headers)> onRequest;
};

JobHandle StartDownloadJob(const std::wstring& url, const std::wstring& targetPath, int connections,
                           ReportRoutine report, const JobOptions& options);

// Writes the job's control word under the job's lock (the queue writes kPaused and kRun).
// False when the job has ended, when it is already failing or stopping (those are final), or for a
// value that is not a control word. Safe to call from inside the report routine.
bool SetJobControl(JobHandle job, int control);

// True while the job runs (from StartDownloadJob's return until its end).
bool JobAlive(JobHandle job);

}  // namespace downloader
