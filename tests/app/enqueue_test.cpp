// Enqueueing over the program's context (its session, resolver host and download queue) with a
// scripted download engine and the resolver played by a loopback server. Notices are recorded rather
// than shown.
#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/app_context.h"
#include "app/enqueue_commands.h"
#include "fake_service.h"
#include "queue/download_list.h"
#include "queue/fake_engine.h"
#include "queue/task_file.h"
#include "support/temp_dir.h"

namespace apptest {
namespace {

using namespace app;
using Task = std::pair<std::wstring, std::wstring>;  // file name, link

const std::wstring kZeros(32, L'0');

class EnqueueTest : public ::testing::Test {
protected:
    EnqueueTest() {
        auto fake = std::make_unique<queue_test::FakeEngine>();
        engine = fake.get();
        context = std::make_unique<AppContext>(dir.path(), std::move(fake));
        std::string base = service.BaseUrl();
        context->endpoints.linkResolver.assign(base.begin(), base.end());
        enqueuer = ProgramEnqueuer(*context);
        enqueuer.notice = [this](const std::wstring& text) {
            std::lock_guard lock(mutex);
            notices.push_back(text);
        };
    }

    std::vector<Task> Tasks() const {
        std::vector<Task> tasks;
        const win::TableModel& list = context->tables.downloads;
        for (int row = 0; row < list.RowCount(); ++row)
            tasks.emplace_back(list.Cell(row, queue::kNameColumn), list.Cell(row, queue::kLinkColumn));
        return tasks;
    }
    std::vector<std::wstring> Notices() {
        std::lock_guard lock(mutex);
        return notices;
    }
    std::wstring TaskFileText() const { return context->taskFile.ReadText(); }
    void AddRow(win::TableModel& list, std::vector<std::wstring> cells, bool ticked) {
        list.SetTicked(list.AppendRow(std::move(cells)), ticked);
    }

    testing_support::TempDir dir;
    FakeService service;
    queue_test::FakeEngine* engine = nullptr;
    std::unique_ptr<AppContext> context;
    Enqueuer enqueuer;
    std::mutex mutex;
    std::vector<std::wstring> notices;  // guarded by mutex
};

TEST_F(EnqueueTest, NoLinkOrNotALinkQueuesNothing) {
    for (const char* answer : {"", "  \r\n", "<html><body>hash not found</body></html>", "file:///C:/x.mp3"}) {
        service.SetLink("abc", answer);
        EXPECT_FALSE(EnqueueOne(enqueuer, L"片刻", L".mp3", false, L"ABC"));
        EXPECT_FALSE(EnqueueOne(enqueuer, L"片刻", L".mkv", true, L"ABC"));
    }
    EXPECT_EQ(Notices(), std::vector<std::wstring>(8, L"下载地址为空"));
    EXPECT_TRUE(Tasks().empty());
    EXPECT_EQ(TaskFileText(), L"");
    EXPECT_EQ(service.Targets("/kuwo/flac.php").size(), 8u);
}

TEST_F(EnqueueTest, OneSongIsQueuedUnderASafeNameAndStartsTheQueue) {
    service.SetLink("abc", "http://127.0.0.1:9/a.mp3\r\n");
    ASSERT_TRUE(EnqueueOne(enqueuer, L"AC/DC: Back? <Live>", L".mp3", false, L"ABC"));
    ASSERT_TRUE(EnqueueOne(enqueuer, L"东来东往 - 사랑해", L".flac", false, L"abc"));

    EXPECT_EQ(Tasks(), (std::vector<Task>{{L"AC_DC_ Back_ _Live_.mp3", L"http://127.0.0.1:9/a.mp3"},
                                          {L"东来东往 - 사랑해.flac", L"http://127.0.0.1:9/a.mp3"}}));
    EXPECT_EQ(TaskFileText(), queue::TaskRecord(L"AC_DC_ Back_ _Live_.mp3", L"http://127.0.0.1:9/a.mp3") + L"\r\n" +
                                  queue::TaskRecord(L"东来东往 - 사랑해.flac", L"http://127.0.0.1:9/a.mp3"));
    EXPECT_EQ(Notices(), (std::vector<std::wstring>{L"已加入下载列表", L"已加入下载列表"}));
    ASSERT_TRUE(engine->WaitForStarts(1));
    queue_test::Settle();
    EXPECT_EQ(engine->Starts(), 1u);  // the second task waits behind the first
}

TEST_F(EnqueueTest, SongBatchWalksTickedRowsBottomUpAndSkipsRowsWithoutTheHash) {
    win::TableModel& songs = context->tables.songResults;
    AddRow(songs, {L"甲", L"s1", L"H1", L"L1", L"M1"}, true);
    AddRow(songs, {L"乙", L"s2", L"", L"L2", L"M2"}, true);  // no 高音质 file
    AddRow(songs, {L"未选", L"s3", L"H3", L"L3", L"M3"}, false);
    AddRow(songs, {L"零", L"s4", kZeros, L"L4", L"M4"}, true);  // thirty-two zeros: none either
    AddRow(songs, {L"丙", L"s5", L"H5", L"L5", L"M5"}, true);
    service.SetLink("h1", "http://127.0.0.1:9/1.mp3");
    service.SetLink("h5", "http://127.0.0.1:9/5.mp3");

    EnqueueSongBatch(enqueuer, songs, Quality::High);

    EXPECT_EQ(service.Targets("/kuwo/flac.php"),
              (std::vector<std::string>{"/kuwo/flac.php?i=mp3&hash=h5", "/kuwo/flac.php?i=mp3&hash=h1"}));
    EXPECT_EQ(Tasks(), (std::vector<Task>{{L"丙.mp3", L"http://127.0.0.1:9/5.mp3"},
                                          {L"甲.mp3", L"http://127.0.0.1:9/1.mp3"}}));
    EXPECT_EQ(Notices(), (std::vector<std::wstring>{L"已加入1个", L"已加入2个"}));
    ASSERT_TRUE(engine->WaitForStarts(1));
    EXPECT_EQ(engine->JobAt(0).url, L"http://127.0.0.1:9/5.mp3");  // the lowest ticked result first
    EXPECT_EQ(songs.Ticked(0), true);                              // ticks stay as they were
}

TEST_F(EnqueueTest, SongBatchInEachQualityUsesItsColumnResolverAndExtension) {
    win::TableModel& songs = context->tables.songResults;
    AddRow(songs, {L"歌", L"S", L"H", L"L", L"M"}, true);
    for (const char* hash : {"s", "h", "l", "m"}) service.SetLink(hash, std::string("http://127.0.0.1:9/") + hash);
    const std::pair<Quality, std::string> cases[] = {{Quality::Standard, "i=mp3&hash=s"},
                                                     {Quality::High, "i=mp3&hash=h"},
                                                     {Quality::Lossless, "i=mp3&hash=l"},
                                                     {Quality::Mv, "i=mkv&hash=m"}};
    for (const auto& [quality, query] : cases) EnqueueSongBatch(enqueuer, songs, quality);

    std::vector<std::string> expected;
    for (const auto& [quality, query] : cases) expected.push_back("/kuwo/flac.php?" + query);
    EXPECT_EQ(service.Targets("/kuwo/flac.php"), expected);
    EXPECT_EQ(Tasks(), (std::vector<Task>{{L"歌.mp3", L"http://127.0.0.1:9/s"},
                                          {L"歌.mp3", L"http://127.0.0.1:9/h"},
                                          {L"歌.flac", L"http://127.0.0.1:9/l"},
                                          {L"歌.mkv", L"http://127.0.0.1:9/m"}}));
}

TEST_F(EnqueueTest, BatchPassesOverARowWhoseLinkDoesNotCome) {
    win::TableModel& songs = context->tables.songResults;
    AddRow(songs, {L"甲", L"A"}, true);
    AddRow(songs, {L"乙", L"B"}, true);
    service.SetLink("a", "http://127.0.0.1:9/a.mp3");
    service.SetLink("b", "Warning: quota exceeded");

    EnqueueSongBatch(enqueuer, songs, Quality::Standard);

    EXPECT_EQ(Notices(), (std::vector<std::wstring>{L"加入失败", L"已加入1个"}));
    EXPECT_EQ(Tasks(), (std::vector<Task>{{L"甲.mp3", L"http://127.0.0.1:9/a.mp3"}}));
}

TEST_F(EnqueueTest, MvBatchAsksForAStandardDefinitionVideoBeforeSkippingIt) {
    win::TableModel& mvs = context->tables.mvResults;
    AddRow(mvs, {L"高清版", L"高清", L"AA"}, true);
    AddRow(mvs, {L"标清版", L"标清", L"BB"}, true);
    service.SetLink("aa", "http://127.0.0.1:9/v/a.mp4");
    service.SetLink("bb", "http://127.0.0.1:9/v/b.mkv");

    EnqueueMvBatch(enqueuer, mvs, true);
    EXPECT_EQ(service.Targets("/kuwo/flac.php"),
              (std::vector<std::string>{"/kuwo/flac.php?i=mkv&hash=bb", "/kuwo/flac.php?i=mkv&hash=aa"}));
    EXPECT_EQ(Notices(), (std::vector<std::wstring>{L"已过滤标清MV", L"已加入1个"}));
    EXPECT_EQ(Tasks(), (std::vector<Task>{{L"高清版.mp4", L"http://127.0.0.1:9/v/a.mp4"}}));

    EnqueueMvBatch(enqueuer, mvs, false);
    EXPECT_EQ(Tasks(), (std::vector<Task>{{L"高清版.mp4", L"http://127.0.0.1:9/v/a.mp4"},
                                          {L"标清版.mkv", L"http://127.0.0.1:9/v/b.mkv"},
                                          {L"高清版.mp4", L"http://127.0.0.1:9/v/a.mp4"}}));
}

TEST_F(EnqueueTest, BatchWithoutTickedRowsDoesNothing) {
    AddRow(context->tables.songResults, {L"甲", L"A", L"A", L"A", L"A"}, false);
    AddRow(context->tables.mvResults, {L"乙", L"高清", L"B"}, false);
    EnqueueSongBatch(enqueuer, context->tables.songResults, Quality::Standard);
    EnqueueMvBatch(enqueuer, context->tables.mvResults, true);
    win::TableModel empty(5, true);
    EnqueueSongBatch(enqueuer, empty, Quality::Standard);
    EXPECT_TRUE(Notices().empty());
    EXPECT_EQ(service.RequestCount(), 0u);
    EXPECT_TRUE(Tasks().empty());
}

TEST_F(EnqueueTest, EnqueuesFromSeveralThreadsAtOnceStartOneDownload) {
    win::TableModel& songs = context->tables.songResults;
    win::TableModel& mvs = context->tables.mvResults;
    for (int i = 0; i < 5; ++i) {
        AddRow(songs, {L"歌" + std::to_wstring(i), L"S" + std::to_wstring(i)}, true);
        AddRow(mvs, {L"视频" + std::to_wstring(i), L"高清", L"V" + std::to_wstring(i)}, true);
        service.SetLink("s" + std::to_string(i), "http://127.0.0.1:9/s" + std::to_string(i) + ".mp3");
        service.SetLink("v" + std::to_string(i), "http://127.0.0.1:9/v" + std::to_string(i) + ".mkv");
    }
    std::vector<std::thread> paths;
    paths.emplace_back([&] { EnqueueSongBatch(enqueuer, songs, Quality::Standard); });
    paths.emplace_back([&] { EnqueueMvBatch(enqueuer, mvs, false); });
    for (int i = 0; i < 4; ++i)
        paths.emplace_back([&, i] { EnqueueOne(enqueuer, L"单曲", L".mp3", false, L"S" + std::to_wstring(i)); });
    for (auto& path : paths) path.join();

    EXPECT_EQ(Tasks().size(), 14u);
    ASSERT_TRUE(engine->WaitForStarts(1));
    queue_test::Settle();
    EXPECT_EQ(engine->Starts(), 1u);
    EXPECT_TRUE(context->downloadQueue->Downloading());
}

}  // namespace
}  // namespace apptest
