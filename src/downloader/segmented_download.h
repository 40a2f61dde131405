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

// Writes the job's control word under the job's lock (the queue writes kPaused and kRun).
// False when the job has ended.
bool SetJobControl(JobHandle job, int control);

// True while the job runs (from StartDownloadJob's return until its end).
bool JobAlive(JobHandle job);

}  // namespace downloader
