#pragma once
// A download engine the test scripts: it records every start and control write, fails the starts
// it is told to, can hold a start until released, and sends the reports the test asks for.
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "queue/download_engine.h"
#include "queue/queue_ui.h"

namespace queue_test {

using namespace std::chrono_literals;

// Polls until `done` holds or the time is up; returns whether it held.
template <class Pred>
bool WaitUntil(Pred done, std::chrono::milliseconds limit = 2s) {
    auto until = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > until) return false;
        std::this_thread::sleep_for(2ms);
    }
    return true;
}

// Gives threads the queue may have started time to show themselves, for tests that something did NOT happen.
inline void Settle() { std::this_thread::sleep_for(150ms); }

class FakeEngine : public queue::DownloadEngine {
public:
    struct Job {
        std::wstring url, path;
        int connections = 0;
        downloader::ReportRoutine report;
        downloader::JobHandle handle = downloader::kNoJob;
        bool alive = false;
    };
    struct ControlWrite {
        downloader::JobHandle job;
        int control;
        bool accepted;
    };

    downloader::JobHandle Start(const std::wstring& url, const std::wstring& path, int connections,
                                downloader::ReportRoutine report) override {
        std::unique_lock lock(mutex_);
        ++entered_;
        cv_.wait_for(lock, 5s, [&] { return !holdStarts_; });
        Job job{url, path, connections, std::move(report)};
        if (!failing_.count(url)) {
            job.handle = nextHandle_++;
            job.alive = true;
        }
        jobs_.push_back(job);
        return job.handle;
    }

    bool SetControl(downloader::JobHandle handle, int control) override {
        std::lock_guard lock(mutex_);
        bool alive = false;
        for (auto& j : jobs_)
            if (j.handle == handle && handle != downloader::kNoJob) alive = j.alive;
        controls_.push_back({handle, control, alive});
        return alive;
    }

    void FailStartOf(const std::wstring& url) {
        std::lock_guard lock(mutex_);
        failing_.insert(url);
    }
    void HoldStarts(bool hold) {
        {
            std::lock_guard lock(mutex_);
            holdStarts_ = hold;
        }
        cv_.notify_all();
    }

    // Sends a report of job i (in start order); an end report ends the job.
    void Report(size_t i, int code, std::int64_t first = 0, std::int64_t second = 0) {
        downloader::ReportRoutine report;
        {
            std::lock_guard lock(mutex_);
            report = jobs_.at(i).report;
            if (code != downloader::kProgress) jobs_.at(i).alive = false;
        }
        report(code, first, second);
    }
    // The job ends without a report (its last segment finished while it was paused).
    void EndSilently(size_t i) {
        std::lock_guard lock(mutex_);
        jobs_.at(i).alive = false;
    }

    size_t Starts() const {
        std::lock_guard lock(mutex_);
        return jobs_.size();
    }
    size_t EnteredStarts() const {
        std::lock_guard lock(mutex_);
        return entered_;
    }
    bool WaitForStarts(size_t n) const {
        return WaitUntil([&] { return Starts() >= n; });
    }
    Job JobAt(size_t i) const {
        std::lock_guard lock(mutex_);
        return jobs_.at(i);
    }
    std::vector<ControlWrite> Controls() const {
        std::lock_guard lock(mutex_);
        return controls_;
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable cv_;
    std::vector<Job> jobs_;
    std::vector<ControlWrite> controls_;
    std::set<std::wstring> failing_;
    bool holdStarts_ = false;
    size_t entered_ = 0;
    downloader::JobHandle nextHandle_ = 100;
};

class FakeUi : public queue::QueueUi {
public:
    void Notice(const std::wstring& text) override {
        std::lock_guard lock(mutex_);
        notices_.push_back(text);
    }
    void FailureBox() override { ++failureBoxes; }
    void RefreshLocalList() override { ++refreshes; }

    std::vector<std::wstring> Notices() const {
        std::lock_guard lock(mutex_);
        return notices_;
    }

    std::atomic<int> failureBoxes{0};
    std::atomic<int> refreshes{0};

private:
    mutable std::mutex mutex_;
    std::vector<std::wstring> notices_;
};

}  // namespace queue_test
