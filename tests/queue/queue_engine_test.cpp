// The queue over the real segmented downloader and a loopback server.
#include <gtest/gtest.h>

#include <random>

#include "fake_engine.h"
#include "queue/download_list.h"
#include "queue/download_queue.h"
#include "support/http_test_server.h"
#include "support/temp_dir.h"
#include "win/file_io.h"
#include "win/text.h"

using namespace queue;
using namespace queue_test;
using testing_support::HttpTestServer;
using testing_support::RecordedRequest;
using testing_support::Response;

namespace {

std::string Bytes(size_t size, unsigned seed) {
    std::mt19937 gen(seed);
    std::string s(size, '\0');
    for (auto& c : s) c = static_cast<char>(gen());
    return s;
}

// Serves the songs with Range support; the probe (no Range) gets the head only. Three faulty paths:
// /missing answers 404, /drop cuts every segment short, /nolength sends no Content-Length.
testing_support::Handler Serve(std::map<std::string, std::string> songs) {
    auto serve = testing_support::ServeBytes(songs);
    return [serve](const RecordedRequest& request) {
        bool probe = request.Header("Range").empty();
        if (request.target == "/drop") {
            Response r = serve(RecordedRequest{request.connection, request.method, "/ok", request.version,
                                               request.headers, request.head, request.body});
            r.dropAfter = probe ? 0 : 1000;
            r.reset = !probe;
            return r;
        }
        if (request.target == "/nolength") {
            Response r;
            r.body = "whatever";
            r.contentLength = false;
            return r;
        }
        Response r = serve(request);
        if (probe) r.dropAfter = 0;
        return r;
    };
}

class QueueEngineTest : public ::testing::Test {
protected:
    QueueEngineTest() {
        q.SetDownloadFolder(dir.path());
        for (int i = 0; i < 3; ++i) songs["/s" + std::to_string(i)] = Bytes(1500000 + i * 700000, i + 1);
        songs["/ok"] = Bytes(3 * 1048576, 9);
        server = std::make_unique<HttpTestServer>(Serve(songs));
    }
    std::wstring Url(const std::string& path) const { return win::Utf8ToWide(server->BaseUrl() + path); }
    bool WaitForState(int row, const std::wstring& state) {
        return WaitUntil([&] { return list.Cell(row, kStateColumn) == state; }, 30s);
    }
    std::string OnDisk(const std::wstring& name) const { return win::ReadWholeFile(dir / name).value_or("<none>"); }

    std::map<std::string, std::string> songs;
    std::unique_ptr<HttpTestServer> server;
    testing_support::TempDir dir;
    win::TableModel list{kDownloadColumnCount};
    TaskFile file{dir / kTaskFileName};
    std::unique_ptr<DownloadEngine> engine = MakeSegmentedDownloadEngine([] {
        downloader::JobOptions options;
        options.connectTimeoutMs = options.receiveTimeoutMs = 5000;
        return options;
    }());
    FakeUi ui;
    DownloadQueue q{list, file, *engine, ui};
};

TEST_F(QueueEngineTest, ThreeRowsDownloadInOrderIntoTheirFiles) {
    for (int i = 0; i < 3; ++i)
        q.AddTask(L"歌" + std::to_wstring(i) + L".mp3", Url("/s" + std::to_string(i)));
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(WaitForState(i, kStateDone)) << i << " " << list.Cell(i, kStateColumn);
        EXPECT_EQ(OnDisk(L"歌" + std::to_wstring(i) + L".mp3"), songs["/s" + std::to_string(i)]);
    }
    EXPECT_EQ(list.Cell(0, kTotalColumn), MbText(1500000));
    EXPECT_EQ(list.Cell(2, kReceivedColumn), MbText(2900000));
    EXPECT_FALSE(list.Cell(2, kJobColumn).empty());
    EXPECT_TRUE(WaitUntil([&] { return !q.Downloading(); }));
    EXPECT_EQ(file.ReadText(), L"");
    EXPECT_EQ(ui.refreshes, 3);
    EXPECT_EQ(ui.failureBoxes, 0);
    // One task at a time: every request of a song came after the last one of the song before.
    auto requests = server->Requests();
    std::string last;
    int switches = 0;
    for (const auto& r : requests)
        if (r.target != last) ++switches, last = r.target;
    EXPECT_EQ(switches, 3);
}

TEST_F(QueueEngineTest, BrokenDownloadsFailAndTheNextOneStillRuns) {
    q.AddTask(L"a.mp3", Url("/missing"));
    q.AddTask(L"b.mp3", Url("/drop"));
    q.AddTask(L"c.mp3", Url("/nolength"));
    q.AddTask(L"d.mp3", Url("/s0"));
    ASSERT_TRUE(WaitForState(3, kStateDone)) << list.Cell(3, kStateColumn);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(list.Cell(i, kStateColumn), kStateFailed) << i;
    EXPECT_TRUE(WaitUntil([&] { return ui.failureBoxes == 3; }));
    EXPECT_EQ(OnDisk(L"d.mp3"), songs["/s0"]);
    EXPECT_EQ(file.ReadText(), TaskRecord(L"a.mp3", Url("/missing")) + L"\r\n" +
                                   TaskRecord(L"b.mp3", Url("/drop")) + L"\r\n" +
                                   TaskRecord(L"c.mp3", Url("/nolength")));
}

TEST_F(QueueEngineTest, PauseAndResumeARealJob) {
    server->SetHandler([inner = Serve(songs)](const RecordedRequest& request) {
        Response r = inner(request);
        if (!request.Header("Range").empty()) r.bytesPerSecond = 4 * 1048576;  // long enough to pause
        return r;
    });
    q.AddTask(L"ok.mp3", Url("/ok"));
    ASSERT_TRUE(WaitForState(0, kStateDownloading));
    q.PauseDownload();
    EXPECT_TRUE(q.Paused());
    q.ResumeDownload();
    ASSERT_TRUE(WaitForState(0, kStateDone));
    EXPECT_EQ(OnDisk(L"ok.mp3"), songs["/ok"]);
    EXPECT_EQ(file.ReadText(), L"");
}

}  // namespace
