// Enqueueing through the main window: the menu entries of both result lists, the batch buttons, and a
// search followed by a download that arrives in the download folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <string>

#include "fake_service.h"
#include "queue/download_list.h"
#include "queue/fake_engine.h"
#include "support/search_answer_text.h"
#include "win/controls.h"
#include "win/file_io.h"
#include "window_fixture.h"

namespace apptest {
namespace {

using namespace app;
using namespace std::chrono_literals;
using Task = std::pair<std::wstring, std::wstring>;  // file name, link

class EnqueueWindowTest : public WindowTest {
protected:
    void OpenWithService(bool realEngine = false) {
        if (!realEngine) {
            auto fake = std::make_unique<queue_test::FakeEngine>();
            engine = fake.get();
            engine_ = std::move(fake);
        }
        service.WriteEndpoints(dir_.path());
        Open();
        Context().search.pageSpacing = 50ms;
    }
    std::vector<Task> Tasks() {
        std::vector<Task> tasks;
        const win::TableModel& list = Context().tables.downloads;
        for (int row = 0; row < list.RowCount(); ++row)
            tasks.emplace_back(list.Cell(row, queue::kNameColumn), list.Cell(row, queue::kLinkColumn));
        return tasks;
    }
    bool WaitForTasks(size_t count) {
        return PumpUntil([&] { return Tasks().size() >= count; });
    }
    std::string Link(const std::string& name) { return service.BaseUrl() + "/files/" + name; }
    std::wstring WideLink(const std::string& name) {
        std::string link = Link(name);
        return std::wstring(link.begin(), link.end());
    }

    FakeService service;
    queue_test::FakeEngine* engine = nullptr;
};

TEST_F(EnqueueWindowTest, SongMenuEntriesAskForTheRightClickedRowsHashes) {
    OpenWithService();
    Context().tables.songResults.AppendRow({L"路人", L"X1", L"X2", L"X3", L"X4"});
    Context().tables.songResults.AppendRow({L"片刻", L"S1", L"H1", L"L1", L"M1"});
    for (const char* hash : {"s1", "h1", "l1", "m1"}) service.SetLink(hash, Link(hash));
    SelectRow(kSongList, 1);
    RightClick(kSongList);

    for (CommandId entry : {kMenuDownloadStandard, kMenuDownloadHigh, kMenuDownloadLossless, kMenuDownloadMv})
        Command(entry);

    EXPECT_EQ(service.Targets("/kuwo/flac.php"),
              (std::vector<std::string>{"/kuwo/flac.php?i=mp3&hash=s1", "/kuwo/flac.php?i=mp3&hash=h1",
                                        "/kuwo/flac.php?i=mp3&hash=l1", "/kuwo/flac.php?i=mkv&hash=m1"}));
    EXPECT_EQ(Tasks(), (std::vector<Task>{{L"片刻.mp3", WideLink("s1")},
                                          {L"片刻.mp3", WideLink("h1")},
                                          {L"片刻.flac", WideLink("l1")},
                                          {L"片刻.mkv", WideLink("m1")}}));
    EXPECT_TRUE(engine->WaitForStarts(1));
}

TEST_F(EnqueueWindowTest, EmptyLinkQueuesNothing) {
    OpenWithService();
    Context().tables.songResults.AppendRow({L"片刻", L"S1", L"H1", L"L1", L"M1"});
    SelectRow(kSongList, 0);
    RightClick(kSongList);
    Command(kMenuDownloadHigh);
    EXPECT_EQ(service.Targets("/kuwo/flac.php").size(), 1u);
    EXPECT_TRUE(Tasks().empty());
}

TEST_F(EnqueueWindowTest, VideoMenuAndBatchButtonsQueueOnTheirOwnThreads) {
    OpenWithService();
    Context().tables.mvResults.AppendRow({L"标清版", L"标清", L"V1"});
    Context().tables.mvResults.AppendRow({L"高清版", L"高清", L"V2"});
    Context().tables.songResults.SetTicked(Context().tables.songResults.AppendRow({L"歌", L"S", L"H", L"L", L"M"}),
                                           true);
    service.SetLink("v1", Link("v1.mp4"));
    service.SetLink("v2", Link("v2.mkv"));
    service.SetLink("l", Link("l.flac"));

    SelectRow(kMvList, 0);
    Command(kMenuDownloadVideo);
    ASSERT_TRUE(WaitForTasks(1));

    win::ComboBox(Control(kBatchQuality)).SetCurrent(2);  // 无损
    Click(kSongBatch);
    ASSERT_TRUE(WaitForTasks(2));

    for (int row : {0, 1}) Context().tables.mvResults.SetTicked(row, true);
    win::CheckBox(Control(kSkipStandardMv)).SetTicked(true);
    Click(kMvBatch);
    ASSERT_TRUE(WaitForTasks(3));
    PumpUntil([&] { return service.Targets("/kuwo/flac.php").size() >= 4; });

    // The single video download keeps ".mkv"; the batch takes the link's own extension and skips 标清.
    EXPECT_EQ(Tasks(), (std::vector<Task>{{L"标清版.mkv", WideLink("v1.mp4")},
                                          {L"歌.flac", WideLink("l.flac")},
                                          {L"高清版.mkv", WideLink("v2.mkv")}}));
    EXPECT_EQ(service.Targets("/kuwo/flac.php").back(), "/kuwo/flac.php?i=mkv&hash=v1");
}

// The main job end to end: search, right-click the result, 下载[高音质], and the file is there.
TEST_F(EnqueueWindowTest, SearchedSongDownloadsIntoTheFolderAndShowsInTheSongList) {
    std::string bytes;
    for (int i = 0; bytes.size() < 2 * 1024 * 1024 + 4321; ++i) bytes += static_cast<char>((i * 7919) >> 3);
    service.SetSongPage(1, testing_support::SongAnswerJson({{R"(<em>东来东往<\/em> - 片刻)", "S1",
                                                             "0A1B2C3D4E5F60718293A4B5C6D7E8F9", "", ""}}));
    service.SetLink("0a1b2c3d4e5f60718293a4b5c6d7e8f9", Link("hq.mp3") + "\n");
    service.SetFile("/files/hq.mp3", bytes);
    OpenWithService(true);

    SetWindowTextW(Control(kSongPages), L"1");
    Click(kSongSearch);
    ASSERT_TRUE(PumpUntil([&] { return Context().tables.songResults.RowCount() == 1; }));
    SelectRow(kSongList, 0);
    RightClick(kSongList);
    ASSERT_FALSE(menus_.shown.empty());
    Command(kMenuDownloadHigh);

    const std::wstring file = dir_.path() + L"\\Mymp3\\东来东往 - 片刻.mp3";
    const win::TableModel& local = Context().tables.localSongs;
    auto listed = [&] {
        for (int row = 0; row < local.RowCount(); ++row)
            if (local.Cell(row, 1) == L"东来东往 - 片刻.mp3") return true;
        return false;
    };
    ASSERT_TRUE(
        PumpUntil([&] { return Context().tables.downloads.Cell(0, queue::kStateColumn) == L"已下载"; }, 30s));
    EXPECT_EQ(win::ReadWholeFile(file).value_or(""), bytes);
    EXPECT_TRUE(PumpUntil(listed));
    EXPECT_EQ(Context().taskFile.ReadText(), L"");
}

}  // namespace
}  // namespace apptest
