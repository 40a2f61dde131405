#include "downloader/download_fixture.h"

#include <chrono>
#include <random>

#include "win/file_io.h"
#include "win/text.h"

namespace downloader_test {

downloader::ReportRoutine ReportLog::Routine() {
    return [this](int code, std::int64_t first, std::int64_t second) {
        std::lock_guard guard(lock_);
        if (ends_ > 0) ++afterEnd_;
        calls_.push_back({code, first, second});
        if (code != downloader::kProgress) ++ends_;
        changed_.notify_all();
    };
}

bool ReportLog::WaitForEnd(int ms) {
    std::unique_lock guard(lock_);
    return changed_.wait_for(guard, std::chrono::milliseconds(ms), [&] { return ends_ > 0; });
}

bool ReportLog::WaitForReceived(std::int64_t bytes, int ms) {
    std::unique_lock guard(lock_);
    return changed_.wait_for(guard, std::chrono::milliseconds(ms), [&] {
        return ends_ > 0 || (!calls_.empty() && calls_.back().code == downloader::kProgress &&
                             calls_.back().second >= bytes);
    });
}

std::vector<ReportCall> ReportLog::Calls() const {
    std::lock_guard guard(lock_);
    return calls_;
}

int ReportLog::EndCount() const {
    std::lock_guard guard(lock_);
    return ends_;
}

int ReportLog::CallsAfterEnd() const {
    std::lock_guard guard(lock_);
    return afterEnd_;
}

std::int64_t ReportLog::LastReceived() const {
    std::lock_guard guard(lock_);
    for (auto it = calls_.rbegin(); it != calls_.rend(); ++it)
        if (it->code == downloader::kProgress) return it->second;
    return 0;
}

std::string RandomBytes(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
    return bytes;
}

testing_support::Handler ServeWithLightProbe(std::map<std::string, std::string> resources) {
    auto serve = testing_support::ServeBytes(std::move(resources));
    return [serve](const testing_support::RecordedRequest& request) {
        testing_support::Response response = serve(request);
        if (request.Header("Range").empty()) response.dropAfter = 0;
        return response;
    };
}

void ExpectWellFormedReports(const ReportLog& log, std::int64_t length) {
    const auto calls = log.Calls();
    ASSERT_FALSE(calls.empty());
    std::int64_t last = 0;
    for (size_t i = 0; i + 1 < calls.size(); ++i) {
        EXPECT_EQ(calls[i].code, downloader::kProgress) << "call " << i;
        EXPECT_EQ(calls[i].first, length) << "call " << i;
        EXPECT_GT(calls[i].second, last) << "call " << i;
        EXPECT_LE(calls[i].second, length) << "call " << i;
        last = calls[i].second;
    }
    const ReportCall end = calls.back();
    if (end.code == downloader::kFinished) {
        EXPECT_EQ(end.first, length);
        EXPECT_EQ(end.second, length);
        EXPECT_EQ(last, length);
    } else {
        EXPECT_EQ(end.code, downloader::kFailedReport);
        EXPECT_EQ(end.first, 0);
        EXPECT_EQ(end.second, 0);
    }
    EXPECT_EQ(log.EndCount(), 1);
    EXPECT_EQ(log.CallsAfterEnd(), 0);
}

std::wstring DownloadTest::Url(const testing_support::HttpTestServer& server, const std::string& path) const {
    return win::Utf8ToWide(server.BaseUrl() + path);
}

downloader::JobHandle DownloadTest::Start(const std::wstring& url, int connections,
                                          downloader::JobOptions options) {
    if (options.receiveTimeoutMs == downloader::JobOptions{}.receiveTimeoutMs) options.receiveTimeoutMs = 5000;
    if (options.connectTimeoutMs == downloader::JobOptions{}.connectTimeoutMs) options.connectTimeoutMs = 5000;
    return downloader::StartDownloadJob(url, Target(), connections, log_.Routine(), options);
}

std::string DownloadTest::TargetBytes() const { return win::ReadWholeFile(Target()).value_or(""); }

bool DownloadTest::TargetExists() const { return win::PathExists(Target()); }

}  // namespace downloader_test
