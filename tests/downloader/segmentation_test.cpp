// How a resource is cut into 1 MiB Range requests, what each request says, and that the file ends up
// holding exactly the served bytes.
#include <gmock/gmock.h>

#include <mutex>

#include "downloader/download_fixture.h"

namespace downloader_test {
namespace {

using testing_support::HttpTestServer;

constexpr char kHeaderBlock[] =
    "Accept: */*\r\nAccept-Language: zh-cn\r\nAccept-Encoding: gzip, deflate\r\n"
    "User-Agent: Mozilla/4.0(compatible; MSIE 6.0; Windows NT 5.0; MyIE2; .NET CLR 1.1.4322)";

struct SegmentationCase {
    size_t size;
    int connections;
    std::vector<std::string> ranges;  // the Range values of the segment requests, in segment order
};

class SegmentationTest : public DownloadTest, public ::testing::WithParamInterface<SegmentationCase> {};

TEST_P(SegmentationTest, FileHoldsTheServedBytesFetchedOneRangePerSegment) {
    const SegmentationCase c = GetParam();
    const std::string body = RandomBytes(c.size);
    HttpTestServer server(ServeWithLightProbe({{"/song", body}}));

    ASSERT_NE(Start(Url(server), c.connections), downloader::kNoJob);
    ASSERT_TRUE(log_.WaitForEnd());

    EXPECT_EQ(log_.Calls().back().code, downloader::kFinished);
    ExpectWellFormedReports(log_, static_cast<std::int64_t>(c.size));
    EXPECT_TRUE(TargetBytes() == body);
    std::vector<std::string> ranges;
    for (const auto& r : server.Requests())
        if (!r.Header("Range").empty()) ranges.push_back(r.Header("Range"));
    std::sort(ranges.begin(), ranges.end());
    std::vector<std::string> expected = c.ranges;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(ranges, expected);
    // Never more connections than segments: one segment means one request at a time.
    if (c.ranges.size() == 1) {
        EXPECT_EQ(server.MaxInFlight(), 1);
    }
    // Each worker keeps its connection from segment to segment: at most one for the probe and one
    // per worker (WinINet may even hand the probe's connection on to a worker).
    EXPECT_LE(server.ConnectionCount(), 1 + std::min<int>(c.connections, c.ranges.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, SegmentationTest,
    ::testing::Values(SegmentationCase{1, 2, {"bytes=0-1048575"}},
                      SegmentationCase{1048576, 2, {"bytes=0-1048575"}},
                      SegmentationCase{1048577, 2, {"bytes=0-1048575", "bytes=1048576-2097151"}},
                      SegmentationCase{700000, 2, {"bytes=0-1048575"}},
                      SegmentationCase{2500000, 2, {"bytes=0-1048575", "bytes=1048576-2097151", "bytes=2097152-3145727"}},
                      SegmentationCase{5 * 1048576 + 17, 1, {"bytes=0-1048575", "bytes=1048576-2097151",
                                                              "bytes=2097152-3145727", "bytes=3145728-4194303",
                                                              "bytes=4194304-5242879", "bytes=5242880-6291455"}}));

TEST_F(DownloadTest, LastSegmentOfAnUnevenResourceReceivesOnlyTheRest) {
    const std::string body = RandomBytes(2500000);
    HttpTestServer server(ServeWithLightProbe({{"/song", body}}));
    std::mutex lock;
    std::string lastAnswerRange;
    auto serve = ServeWithLightProbe({{"/song", body}});
    server.SetHandler([&](const testing_support::RecordedRequest& r) {
        auto response = serve(r);
        if (r.Header("Range") == "bytes=2097152-3145727") {
            std::lock_guard guard(lock);
            for (auto& [name, value] : response.headers)
                if (name == "Content-Range") lastAnswerRange = value;
            EXPECT_EQ(response.body.size(), 402848u);
        }
        return response;
    });
    ASSERT_NE(Start(Url(server), 2), downloader::kNoJob);
    ASSERT_TRUE(log_.WaitForEnd());
    EXPECT_EQ(log_.Calls().back().code, downloader::kFinished);
    EXPECT_EQ(lastAnswerRange, "bytes 2097152-2499999/2500000");
    EXPECT_TRUE(TargetBytes() == body);
}

TEST_F(DownloadTest, NeverMoreRequestsAtOnceThanConnections) {
    const std::string body = RandomBytes(6 * 1048576);
    // Slow answers keep each request open long enough for any extra request to overlap it.
    auto serve = ServeWithLightProbe({{"/song", body}});
    HttpTestServer server([&](const testing_support::RecordedRequest& r) {
        auto response = serve(r);
        if (!r.Header("Range").empty()) response.delayMs = 50;
        return response;
    });
    ASSERT_NE(Start(Url(server), 2), downloader::kNoJob);
    ASSERT_TRUE(log_.WaitForEnd());
    EXPECT_EQ(log_.Calls().back().code, downloader::kFinished);
    EXPECT_EQ(server.MaxInFlight(), 2);
    EXPECT_TRUE(TargetBytes() == body);
}

// The text handed to WinINet is the program's; what arrives is WinINet's rewrite of it, which must
// still say the same things.
TEST_F(DownloadTest, ProbeAndSegmentRequestsCarryTheFixedHeaderBlock) {
    const std::string body = RandomBytes(1048577);
    HttpTestServer server(ServeWithLightProbe({{"/song", body}}));
    std::mutex lock;
    std::vector<std::wstring> handed;
    downloader::JobOptions options;
    options.onRequest = [&](const std::wstring& url, const std::wstring& headers) {
        std::lock_guard guard(lock);
        EXPECT_EQ(url, Url(server));
        handed.push_back(headers);
    };
    ASSERT_NE(Start(Url(server), 2, options), downloader::kNoJob);
    ASSERT_TRUE(log_.WaitForEnd());

    const std::wstring block(kHeaderBlock, kHeaderBlock + sizeof kHeaderBlock - 1);
    ASSERT_EQ(handed.size(), 3u);
    EXPECT_EQ(handed[0], block);
    std::vector<std::wstring> segments(handed.begin() + 1, handed.end());
    std::sort(segments.begin(), segments.end());
    EXPECT_EQ(segments, (std::vector<std::wstring>{block + L"\r\nRange:bytes=0-1048575",
                                                   block + L"\r\nRange:bytes=1048576-2097151"}));

    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 3u);
    // The probe asks for the head only: a GET's unread body would be read away when it is closed.
    EXPECT_EQ(requests[0].method, "HEAD");
    EXPECT_EQ(requests[0].Header("Range"), "");
    for (const auto& r : requests) {
        if (&r != &requests[0]) {
            EXPECT_EQ(r.method, "GET");
        }
        EXPECT_EQ(r.target, "/song");
        EXPECT_THAT(r.Headers("Accept"), ::testing::Contains("*/*"));
        EXPECT_EQ(r.Header("Accept-Language"), "zh-cn");
        EXPECT_EQ(r.Header("Accept-Encoding"), "gzip, deflate");
        EXPECT_EQ(r.Header("User-Agent"),
                  "Mozilla/4.0(compatible; MSIE 6.0; Windows NT 5.0; MyIE2; .NET CLR 1.1.4322)");
        EXPECT_NE(r.Header("Pragma"), "") << "never answered from a cache";
    }
}

}  // namespace
}  // namespace downloader_test
