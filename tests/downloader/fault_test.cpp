// Starts that must fail, and the faults of real networks: each either mended by another attempt at the
// segment or ending the job with -1 and no file, never with holes reported as a finished download.
#include <atomic>
#include <map>
#include <mutex>

#include "downloader/download_fixture.h"
#include "win/file_io.h"

namespace downloader_test {
namespace {

using testing_support::HttpTestServer;
using testing_support::RecordedRequest;
using testing_support::Response;

std::vector<std::string> RangesAsked(const HttpTestServer& server) {
    std::vector<std::string> ranges;
    for (const auto& r : server.Requests())
        if (!r.Header("Range").empty()) ranges.push_back(r.Header("Range"));
    return ranges;
}

struct StartFailureCase {
    const char* name;
    Response probe;
};

class StartFailureTest : public DownloadTest, public ::testing::WithParamInterface<StartFailureCase> {};

TEST_P(StartFailureTest, FailsWithoutLeavingAFileOrReporting) {
    HttpTestServer server([](const RecordedRequest&) { return GetParam().probe; });
    EXPECT_EQ(Start(Url(server), 2), downloader::kNoJob);
    EXPECT_FALSE(TargetExists());
    EXPECT_TRUE(log_.Calls().empty());
    EXPECT_TRUE(RangesAsked(server).empty());
}

Response Answer(int status, std::string body, bool contentLength = true) {
    Response r;
    r.status = status;
    r.body = std::move(body);
    r.contentLength = contentLength;
    return r;
}

INSTANTIATE_TEST_SUITE_P(Probes, StartFailureTest,
                         ::testing::Values(StartFailureCase{"NoContentLength", Answer(200, "abc", false)},
                                           StartFailureCase{"NotFoundPage", Answer(404, "<html>404</html>")},
                                           StartFailureCase{"ServerError", Answer(500, "oops")},
                                           StartFailureCase{"EmptyResource", Answer(200, "")}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DownloadTest, RefusedConnectionFailsTheStart) {
    std::wstring url;
    {
        HttpTestServer server([](const RecordedRequest&) { return Response{}; });
        url = Url(server);
    }  // nothing listens on that port any more
    EXPECT_EQ(Start(url, 2), downloader::kNoJob);
    EXPECT_FALSE(TargetExists());
}

TEST_F(DownloadTest, ExistingTargetIsOverwritten) {
    ASSERT_TRUE(win::WriteFileAtomic(Target(), std::string(3 * 1048576, 'x')));
    const std::string body = RandomBytes(1500000);
    HttpTestServer server(ServeWithLightProbe({{"/song", body}}));
    ASSERT_NE(Start(Url(server), 2), downloader::kNoJob);
    ASSERT_TRUE(log_.WaitForEnd());
    EXPECT_EQ(log_.Calls().back().code, downloader::kFinished);
    EXPECT_TRUE(TargetBytes() == body);
}

TEST_F(DownloadTest, ServerIgnoringRangeFailsAMultiSegmentJob) {
    const std::string body = RandomBytes(2500000);
    HttpTestServer server([&](const RecordedRequest&) { return Answer(200, body); });
    ASSERT_NE(Start(Url(server), 2), downloader::kNoJob);
    ASSERT_TRUE(log_.WaitForEnd());
    EXPECT_EQ(log_.Calls().back().code, downloader::kFailedReport);
    ExpectWellFormedReports(log_, 2500000);
    EXPECT_FALSE(TargetExists());
}

TEST_F(DownloadTest, ServerIgnoringRangeServesASingleSegmentJob) {
    const std::string body = RandomBytes(700000);
    HttpTestServer server([&](const RecordedRequest&) { return Answer(200, body); });
    ASSERT_NE(Start(Url(server), 2), downloader::kNoJob);
    ASSERT_TRUE(log_.WaitForEnd());
    EXPECT_EQ(log_.Calls().back().code, downloader::kFinished);
    ExpectWellFormedReports(log_, 700000);
    EXPECT_TRUE(TargetBytes() == body);
}

// A fault scripted on the first attempts at the second segment.
struct SegmentFaultCase {
    const char* name;
    int faultyAttempts;       // attempts at the segment that get the fault (3 = every attempt)
    void (*spoil)(Response&);  // how the answer goes wrong
    bool finishes;
};

class SegmentFaultTest : public DownloadTest, public ::testing::WithParamInterface<SegmentFaultCase> {};

TEST_P(SegmentFaultTest, FaultIsRetriedOrFailsTheJob) {
    const SegmentFaultCase c = GetParam();
    const std::string body = RandomBytes(3 * 1048576 + 5000);
    auto serve = ServeWithLightProbe({{"/song", body}});
    std::atomic<int> faults{0};
    HttpTestServer server([&](const RecordedRequest& r) {
        Response response = serve(r);
        std::int64_t first = 0, last = 0;
        if (testing_support::ParseRange(r.Header("Range"), first, last) && first / 1048576 == 1 &&
            faults.load() < c.faultyAttempts) {
            ++faults;
            c.spoil(response);
        }
        return response;
    });
    downloader::JobOptions options;
    options.readChunkBytes = 64 * 1024;
    ASSERT_NE(Start(Url(server), 2, options), downloader::kNoJob);
    ASSERT_TRUE(log_.WaitForEnd());

    ExpectWellFormedReports(log_, static_cast<std::int64_t>(body.size()));
    if (c.finishes) {
        EXPECT_EQ(log_.Calls().back().code, downloader::kFinished);
        EXPECT_TRUE(TargetBytes() == body);
        EXPECT_EQ(faults.load(), c.faultyAttempts);
    } else {
        EXPECT_EQ(log_.Calls().back().code, downloader::kFailedReport);
        EXPECT_FALSE(TargetExists());
        EXPECT_EQ(faults.load(), 3) << "the first attempt and two more";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, SegmentFaultTest,
    ::testing::Values(
        SegmentFaultCase{"DroppedOnce", 1, [](Response& r) { r.dropAfter = 300000; }, true},
        SegmentFaultCase{"ResetTwice", 2, [](Response& r) { r.dropAfter = 200000, r.reset = true; }, true},
        SegmentFaultCase{"DroppedEveryTime", 3, [](Response& r) { r.dropAfter = 300000; }, false},
        SegmentFaultCase{"ShortBodyEveryTime", 3,
                         [](Response& r) {
                             r.body.resize(r.body.size() - 1000);
                             r.contentLength = false;
                         },
                         false},
        SegmentFaultCase{"LongerBodyEveryTime", 3,
                         [](Response& r) {
                             r.body += "extra bytes";
                             r.contentLength = false;
                         },
                         false},
        SegmentFaultCase{"OtherRangeEveryTime", 3,
                         [](Response& r) {
                             for (auto& [name, value] : r.headers)
                                 if (name == "Content-Range") value = "bytes 0-1048575/3150728";
                         },
                         false},
        SegmentFaultCase{"ErrorStatusOnce", 1, [](Response& r) { r = Answer(503, "busy"); }, true}),
    [](const auto& info) { return std::string(info.param.name); });

// A retry asks only for the bytes the segment still lacks.
TEST_F(DownloadTest, RetryContinuesFromTheFirstUnwrittenByte) {
    const std::string body = RandomBytes(1048576);
    auto serve = ServeWithLightProbe({{"/song", body}});
    std::atomic<bool> dropped{false};
    HttpTestServer server([&](const RecordedRequest& r) {
        Response response = serve(r);
        if (!r.Header("Range").empty() && !dropped.exchange(true)) response.dropAfter = 300000;
        return response;
    });
    downloader::JobOptions options;
    options.readChunkBytes = 50000;
    ASSERT_NE(Start(Url(server), 2, options), downloader::kNoJob);
    ASSERT_TRUE(log_.WaitForEnd());
    EXPECT_EQ(log_.Calls().back().code, downloader::kFinished);
    EXPECT_TRUE(TargetBytes() == body);
    EXPECT_EQ(RangesAsked(server), (std::vector<std::string>{"bytes=0-1048575", "bytes=300000-1048575"}));
}

// A file larger than one worker's view (8 MiB): segments in later views, and a segment retried after
// the workers have moved on, land at the right place.
TEST_F(DownloadTest, SegmentsInSeveralViewsLandInPlaceAcrossRetries) {
    const std::string body = RandomBytes(19 * 1048576 + 12345);
    auto serve = ServeWithLightProbe({{"/song", body}});
    std::atomic<bool> dropped{false};
    HttpTestServer server([&](const RecordedRequest& r) {
        Response response = serve(r);
        if (r.Header("Range") == "bytes=9437184-10485759" && !dropped.exchange(true)) response.dropAfter = 200000;
        return response;
    });
    ASSERT_NE(Start(Url(server), 2), downloader::kNoJob);
    ASSERT_TRUE(log_.WaitForEnd(60000));
    EXPECT_EQ(log_.Calls().back().code, downloader::kFinished);
    EXPECT_TRUE(TargetBytes() == body);
}

TEST_F(DownloadTest, SlowServerStillDeliversEveryByte) {
    const std::string body = RandomBytes(1048576 + 300000);
    auto serve = ServeWithLightProbe({{"/song", body}});
    HttpTestServer server([&](const RecordedRequest& r) {
        Response response = serve(r);
        response.bytesPerSecond = 1000000;
        return response;
    });
    downloader::JobOptions options;
    options.receiveTimeoutMs = 2000;
    ASSERT_NE(Start(Url(server), 2, options), downloader::kNoJob);
    ASSERT_TRUE(log_.WaitForEnd());
    EXPECT_EQ(log_.Calls().back().code, downloader::kFinished);
    EXPECT_TRUE(TargetBytes() == body);
}

// A connection that goes quiet is given up after the receive time-out and the segment fetched again,
// long before the server would have closed it.
TEST_F(DownloadTest, StalledConnectionIsAbandonedAfterTheTimeOut) {
    const std::string body = RandomBytes(2 * 1048576);
    auto serve = ServeWithLightProbe({{"/song", body}});
    std::atomic<bool> stalled{false};
    HttpTestServer server([&](const RecordedRequest& r) {
        Response response = serve(r);
        if (r.Header("Range") == "bytes=1048576-2097151" && !stalled.exchange(true)) {
            response.dropAfter = 100000;
            response.stallMs = 60000;
        }
        return response;
    });
    downloader::JobOptions options;
    options.receiveTimeoutMs = 500;
    ASSERT_NE(Start(Url(server), 2, options), downloader::kNoJob);
    ASSERT_TRUE(log_.WaitForEnd(30000)) << "the stalled read never timed out";
    EXPECT_EQ(log_.Calls().back().code, downloader::kFinished);
    EXPECT_TRUE(TargetBytes() == body);
}

TEST_F(DownloadTest, ConnectionStalledOnEveryAttemptFailsTheJob) {
    const std::string body = RandomBytes(1048576);
    auto serve = ServeWithLightProbe({{"/song", body}});
    HttpTestServer server([&](const RecordedRequest& r) {
        Response response = serve(r);
        if (!r.Header("Range").empty()) {
            response.dropAfter = 1000;
            response.stallMs = 60000;
        }
        return response;
    });
    downloader::JobOptions options;
    options.receiveTimeoutMs = 300;
    ASSERT_NE(Start(Url(server), 2, options), downloader::kNoJob);
    ASSERT_TRUE(log_.WaitForEnd(30000)) << "the stalled read never timed out";
    EXPECT_EQ(log_.Calls().back().code, downloader::kFailedReport);
    EXPECT_FALSE(TargetExists());
}

}  // namespace
}  // namespace downloader_test
