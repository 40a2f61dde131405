#pragma once
// What the downloader tests share: served resources, a recorder of the report calls, and a job run
// with bounded waits.
#include <gtest/gtest.h>

#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "downloader/segmented_download.h"
#include "support/http_test_server.h"
#include "support/temp_dir.h"

namespace downloader_test {

struct ReportCall {
    int code;
    std::int64_t first, second;
};

// Records every report; safe from any thread. Checks, as calls arrive, that nothing comes after the
// end report.
class ReportLog {
public:
    downloader::ReportRoutine Routine();
    // Waits (at most `ms`) for the end report; false when none came.
    bool WaitForEnd(int ms = 20000);
    // Waits (at most `ms`) until `received` in a progress report reaches `bytes`.
    bool WaitForReceived(std::int64_t bytes, int ms = 20000);
    std::vector<ReportCall> Calls() const;
    int EndCount() const;
    int CallsAfterEnd() const;
    std::int64_t LastReceived() const;

private:
    mutable std::mutex lock_;
    std::condition_variable changed_;
    std::vector<ReportCall> calls_;  // report threads write, the test thread reads; under lock_
    int ends_ = 0;                   // under lock_
    int afterEnd_ = 0;               // under lock_
};

// Random bytes, the same for the same seed.
std::string RandomBytes(size_t size, unsigned seed = 1);

// Answers the probe (a GET without Range) with its head only, so the probe never holds a
// connection busy, and everything else from the resources with Range support.
testing_support::Handler ServeWithLightProbe(std::map<std::string, std::string> resources);

// Asserts that the reports of a job form a proper sequence: progress with the length and a rising
// count, then exactly one end report (finished with the length, or failed with zeros), nothing after.
void ExpectWellFormedReports(const ReportLog& log, std::int64_t length);

// A temporary folder, a file path in it, and a fresh report log.
class DownloadTest : public ::testing::Test {
protected:
    std::wstring Target(const std::wstring& name = L"song.mp3") const { return dir_ / name; }
    std::wstring Url(const testing_support::HttpTestServer& server, const std::string& path = "/song") const;
    // Starts a job on the target with short time-outs suited to tests.
    downloader::JobHandle Start(const std::wstring& url, int connections, downloader::JobOptions options = {});
    std::string TargetBytes() const;  // "" when the file is missing
    bool TargetExists() const;

    testing_support::TempDir dir_;
    ReportLog log_;
};

}  // namespace downloader_test
