// Pause, resume and stop through the control word, the job handle's life, and the end of a job that
// fails or completes while paused.
#include <atomic>
#include <chrono>
#include <thread>

#include "downloader/download_fixture.h"

namespace downloader_test {
namespace {

using testing_support::HttpTestServer;
using testing_support::RecordedRequest;
using testing_support::Response;

void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Polls (at most `ms`) until the job has ended.
bool WaitUntilEnded(downloader::JobHandle job, int ms = 20000) {
    for (int waited = 0; waited < ms; waited += 20) {
        if (!downloader::JobAlive(job)) return true;
        Sleep(20);
    }
    return false;
}

// Every answer trickles, so a test has time to act in the middle of a segment.
testing_support::Handler Trickle(const std::string& body, int bytesPerSecond) {
    auto serve = ServeWithLightProbe({{"/song", body}});
    return [serve, bytesPerSecond](const RecordedRequest& r) {
        Response response = serve(r);
        response.bytesPerSecond = bytesPerSecond;
        return response;
    };
}

TEST_F(DownloadTest, PauseHoldsEveryWorkerAndResumeFinishesWithTheRightBytes) {
    const std::string body = RandomBytes(3 * 1048576 + 1234);
    HttpTestServer server(Trickle(body, 2000000));
    downloader::JobOptions options;
    options.readChunkBytes = 16 * 1024;
    const auto job = Start(Url(server), 2, options);
    ASSERT_NE(job, downloader::kNoJob);
    ASSERT_TRUE(log_.WaitForReceived(300000));

    ASSERT_TRUE(downloader::SetJobControl(job, downloader::kPaused));
    Sleep(300);  // reads already under way when the pause came may still complete
    const std::int64_t pausedAt = log_.LastReceived();
    const size_t requestsAtPause = server.RequestCount();
    Sleep(800);
    EXPECT_EQ(log_.LastReceived(), pausedAt) << "a worker went on reading while paused";
    EXPECT_EQ(server.RequestCount(), requestsAtPause) << "a segment started while paused";
    EXPECT_EQ(log_.EndCount(), 0);
    EXPECT_TRUE(downloader::JobAlive(job));

    ASSERT_TRUE(downloader::SetJobControl(job, downloader::kRun));
    ASSERT_TRUE(log_.WaitForEnd());
    EXPECT_EQ(log_.Calls().back().code, downloader::kFinished);
    ExpectWellFormedReports(log_, static_cast<std::int64_t>(body.size()));
    EXPECT_TRUE(TargetBytes() == body);
}

// The pause comes with the report of the very last bytes: the job must still finish once resumed.
TEST_F(DownloadTest, JobCompletingWhilePausedReportsCompletionOnResume) {
    const std::string body = RandomBytes(1048576 + 1000);
    HttpTestServer server(ServeWithLightProbe({{"/song", body}}));
    std::atomic<downloader::JobHandle> job{downloader::kNoJob};
    std::atomic<bool> pausedAtEnd{false};
    auto record = log_.Routine();
    auto report = [&](int code, std::int64_t first, std::int64_t second) {
        record(code, first, second);
        // Called under the job's lock: writing the control word from here must not deadlock.
        if (code == downloader::kProgress && second == first)
            pausedAtEnd = downloader::SetJobControl(job.load(), downloader::kPaused);
    };
    server.SetHandler([&, serve = ServeWithLightProbe({{"/song", body}})](const RecordedRequest& r) {
        Response response = serve(r);
        if (!r.Header("Range").empty()) response.delayMs = 200;  // the handle is stored by then
        return response;
    });
    job = downloader::StartDownloadJob(Url(server), Target(), 2, report);
    ASSERT_NE(job.load(), downloader::kNoJob);
    ASSERT_TRUE(log_.WaitForReceived(static_cast<std::int64_t>(body.size())));
    Sleep(500);
    EXPECT_TRUE(pausedAtEnd.load());
    EXPECT_EQ(log_.EndCount(), 0) << "finished while paused";
    EXPECT_TRUE(downloader::JobAlive(job.load()));

    ASSERT_TRUE(downloader::SetJobControl(job.load(), downloader::kRun));
    ASSERT_TRUE(log_.WaitForEnd());
    EXPECT_EQ(log_.Calls().back().code, downloader::kFinished);
    ExpectWellFormedReports(log_, static_cast<std::int64_t>(body.size()));
    EXPECT_TRUE(TargetBytes() == body);
}

// Segment 2 fails on every attempt; the last failure arrives while segment 1's worker is paused.
TEST_F(DownloadTest, FailureWhileAnotherWorkerIsPausedEndsTheJob) {
    const std::string body = RandomBytes(2 * 1048576);
    auto serve = ServeWithLightProbe({{"/song", body}});
    std::atomic<downloader::JobHandle> job{downloader::kNoJob};
    std::atomic<int> secondSegmentAttempts{0};
    HttpTestServer server([&](const RecordedRequest& r) {
        Response response = serve(r);
        std::int64_t first = 0, last = 0;
        if (!testing_support::ParseRange(r.Header("Range"), first, last)) return response;
        // Held back until the handle is stored, so the server can pause the job.
        for (int i = 0; i < 250 && job.load() == downloader::kNoJob; ++i) Sleep(20);
        if (first < 1048576) {
            response.bytesPerSecond = 200000;  // segment 1 takes seconds
            return response;
        }
        response.dropAfter = 1000;
        if (++secondSegmentAttempts == 3) {
            EXPECT_TRUE(downloader::SetJobControl(job.load(), downloader::kPaused));
            response.delayMs = 300;  // segment 1's worker reaches its pause first
            response.dropAfter = 0;  // and this attempt fails before any byte could be reported
        }
        return response;
    });
    downloader::JobOptions options;
    options.readChunkBytes = 8 * 1024;
    job = Start(Url(server), 2, options);
    ASSERT_NE(job.load(), downloader::kNoJob);
    ASSERT_TRUE(log_.WaitForEnd());
    EXPECT_EQ(log_.Calls().back().code, downloader::kFailedReport);
    ExpectWellFormedReports(log_, static_cast<std::int64_t>(body.size()));
    EXPECT_FALSE(TargetExists());
    EXPECT_FALSE(downloader::JobAlive(job.load()));
}

TEST_F(DownloadTest, StopEndsTheJobSilentlyAndRemovesTheFile) {
    const std::string body = RandomBytes(2 * 1048576);
    HttpTestServer server(Trickle(body, 500000));
    downloader::JobOptions options;
    options.readChunkBytes = 8 * 1024;
    const auto job = Start(Url(server), 2, options);
    ASSERT_NE(job, downloader::kNoJob);
    ASSERT_TRUE(log_.WaitForReceived(50000));
    ASSERT_TRUE(downloader::SetJobControl(job, downloader::kStop));
    ASSERT_TRUE(WaitUntilEnded(job));
    EXPECT_EQ(log_.EndCount(), 0);
    EXPECT_FALSE(TargetExists());
}

TEST_F(DownloadTest, HandleOfAnEndedJobIsHarmless) {
    const std::string body = RandomBytes(5000);
    HttpTestServer server(ServeWithLightProbe({{"/song", body}}));
    const auto job = Start(Url(server), 2);
    ASSERT_NE(job, downloader::kNoJob);
    ASSERT_TRUE(log_.WaitForEnd());
    ASSERT_TRUE(WaitUntilEnded(job));
    EXPECT_FALSE(downloader::SetJobControl(job, downloader::kPaused));
    EXPECT_FALSE(downloader::SetJobControl(job, downloader::kRun));
    EXPECT_FALSE(downloader::SetJobControl(downloader::kNoJob, downloader::kPaused));
    EXPECT_FALSE(downloader::JobAlive(job));
    Sleep(200);
    EXPECT_EQ(log_.EndCount(), 1);
    EXPECT_EQ(log_.CallsAfterEnd(), 0);
    EXPECT_TRUE(TargetBytes() == body);
}

// A failing job's control word is final: a resume cannot turn the failure into a finished download.
TEST_F(DownloadTest, FailedOrStoppedControlWordIsFinal) {
    const std::string body = RandomBytes(2 * 1048576);
    HttpTestServer server(Trickle(body, 300000));
    downloader::JobOptions options;
    options.readChunkBytes = 8 * 1024;
    const auto job = Start(Url(server), 2, options);
    ASSERT_NE(job, downloader::kNoJob);
    EXPECT_FALSE(downloader::SetJobControl(job, 7)) << "not a control word";
    ASSERT_TRUE(downloader::SetJobControl(job, downloader::kFailed));
    EXPECT_FALSE(downloader::SetJobControl(job, downloader::kRun));
    ASSERT_TRUE(log_.WaitForEnd());
    EXPECT_EQ(log_.Calls().back().code, downloader::kFailedReport);
    EXPECT_FALSE(TargetExists());
}

TEST_F(DownloadTest, ProbeThatNeverAnswersFailsTheStartInTime) {
    HttpTestServer server([](const RecordedRequest&) {
        Response r;
        r.delayMs = 60000;
        return r;
    });
    downloader::JobOptions options;
    options.connectTimeoutMs = 300;
    options.receiveTimeoutMs = 300;
    EXPECT_EQ(Start(Url(server), 2, options), downloader::kNoJob);
    EXPECT_FALSE(TargetExists());
}

}  // namespace
}  // namespace downloader_test
