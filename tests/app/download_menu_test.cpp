// 下载菜单 through the main window, over the real downloader and a loopback server: the restored queue,
// failures, removing and clearing tasks, pause and resume while reports stream in.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "app/title_notice.h"
#include "queue/download_list.h"
#include "queue/task_file.h"
#include "support/http_test_server.h"
#include "win/file_io.h"
#include "win/list_view.h"
#include "win/text.h"
#include "window_fixture.h"

namespace apptest {
namespace {

using namespace app;
using namespace std::chrono_literals;
using testing_support::HttpTestServer;
using testing_support::RecordedRequest;
using testing_support::Response;

std::string Bytes(size_t size, unsigned seed) {
    std::mt19937 gen(seed);
    std::string s(size, '\0');
    for (auto& c : s) c = static_cast<char>(gen());
    return s;
}

struct Task {
    std::wstring name;
    std::string path;
};

class DownloadMenuTest : public WindowTest {
protected:
    DownloadMenuTest() {
        for (int i = 0; i < 3; ++i) songs["/s" + std::to_string(i)] = Bytes(1200000 + i * 500000, i + 1);
        songs["/slow"] = Bytes(8 * 1048576 + 1234, 7);
        server = std::make_unique<HttpTestServer>([this](const RecordedRequest& request) {
            Response r = testing_support::ServeBytes(songs)(request);
            if (request.Header("Range").empty()) r.dropAfter = 0;  // the length probe needs the head only
            if (request.target == "/slow") r.bytesPerSecond = 512 * 1024;
            return r;
        });
    }

    std::wstring Url(const std::string& path) const { return win::Utf8ToWide(server->BaseUrl() + path); }
    void SaveTasks(const std::vector<Task>& tasks) {
        std::wstring text;
        for (const Task& t : tasks) text += (text.empty() ? L"" : L"\r\n") + queue::TaskRecord(t.name, Url(t.path));
        ASSERT_TRUE(win::WriteFileAtomic(dir_ / queue::kTaskFileName, queue::EncodeTaskText(text)));
    }
    std::wstring TaskFileText() {
        return queue::DecodeTaskText(win::ReadWholeFile(dir_ / queue::kTaskFileName).value_or("<none>"));
    }
    win::TableModel& Downloads() { return Context().tables.downloads; }
    std::wstring State(int row) { return Downloads().Cell(row, queue::kStateColumn); }
    std::string OnDisk(const std::wstring& name) {
        return win::ReadWholeFile(dir_ / (L"Mymp3\\" + name)).value_or("<none>");
    }
    // Opens the window over the saved tasks and waits for the restore to show them.
    void OpenWithRows(int rows) {
        Open();
        ASSERT_TRUE(PumpUntil([&] { return Downloads().RowCount() == rows; }, 5s));
    }
    // The paths in the order the server first saw a ranged request for each.
    std::vector<std::string> FetchOrder() {
        std::vector<std::string> order;
        for (const auto& r : server->Requests())
            if (!r.Header("Range").empty() && std::find(order.begin(), order.end(), r.target) == order.end())
                order.push_back(r.target);
        return order;
    }

    std::map<std::string, std::string> songs;
    std::unique_ptr<HttpTestServer> server;
};

TEST_F(DownloadMenuTest, RestoredTasksWaitThenDownloadInOrderIntoTheFolderAndTheLocalList) {
    SaveTasks({{L"第一首.mp3", "/s0"}, {L"第二首.mp3", "/s1"}, {L"第三首.mp3", "/s2"}});
    OpenWithRows(3);
    for (int row = 0; row < 3; ++row) EXPECT_EQ(State(row), queue::kStateWaiting) << row;
    Pump();
    EXPECT_FALSE(Context().downloadQueue->Downloading()) << "a restored queue waits for 继续下载";
    EXPECT_EQ(server->RequestCount(), 0u);

    SelectRow(kDownloadList, 2);
    Command(kMenuResume);
    ASSERT_TRUE(PumpUntil([&] {
        return State(0) == queue::kStateDone && State(1) == queue::kStateDone && State(2) == queue::kStateDone;
    }, 60s));
    EXPECT_EQ(FetchOrder(), (std::vector<std::string>{"/s0", "/s1", "/s2"}));
    EXPECT_TRUE(OnDisk(L"第一首.mp3") == songs["/s0"]);
    EXPECT_TRUE(OnDisk(L"第二首.mp3") == songs["/s1"]);
    EXPECT_TRUE(OnDisk(L"第三首.mp3") == songs["/s2"]);
    EXPECT_TRUE(PumpUntil([&] { return TaskFileText().empty(); }, 5s)) << TaskFileText();

    // The view follows the model, and the finished files show in 歌曲列表.
    ASSERT_TRUE(PumpUntil([&] { return Context().tables.localSongs.RowCount() == 3; }, 10s));
    std::set<std::wstring> local;
    for (int row = 0; row < 3; ++row) local.insert(Context().tables.localSongs.Cell(row, 1));
    EXPECT_EQ(local, (std::set<std::wstring>{L"第一首.mp3", L"第二首.mp3", L"第三首.mp3"}));
    EXPECT_EQ(win::ListView(Control(kDownloadList)).Text(2, queue::kStateColumn), queue::kStateDone);

    // Nothing waits any more: 继续下载 is greyed, the rest of the menu is usable.
    SelectRow(kDownloadList, 0);
    RightClick(kDownloadList);
    ASSERT_EQ(menus_.shown.size(), 1u);
    EXPECT_EQ(menus_.shown[0].entries,
              (std::vector<MenuEntryState>{{L"继续下载", false}, {L"暂停下载", true}, {L"-", true},
                                           {L"移除任务", true}, {L"清空任务", true}}));
}

TEST_F(DownloadMenuTest, AFailedTaskShowsTheBoxAndTheNextOneStillDownloads) {
    SaveTasks({{L"坏链接.mp3", "/missing"}, {L"好链接.mp3", "/s0"}, {L"又一个坏链接.mp3", "/gone"}});
    OpenWithRows(3);
    SelectRow(kDownloadList, 0);
    Command(kMenuResume);
    ASSERT_TRUE(PumpUntil([&] { return State(2) == queue::kStateFailed && prompter_.Messages().size() == 2; }, 30s));
    EXPECT_EQ(State(0), queue::kStateFailed);
    EXPECT_EQ(State(1), queue::kStateDone);
    for (const ShownMessage& shown : prompter_.Messages()) {
        EXPECT_EQ(shown.text, L"下载失败！");
        EXPECT_EQ(shown.flags, static_cast<UINT>(MB_OK));
    }
    EXPECT_TRUE(OnDisk(L"好链接.mp3") == songs["/s0"]);
    // The failed tasks keep their records and come back at the next start.
    const std::wstring kept = queue::TaskRecord(L"坏链接.mp3", Url("/missing")) + L"\r\n" +
                              queue::TaskRecord(L"又一个坏链接.mp3", Url("/gone"));
    EXPECT_TRUE(PumpUntil([&] { return TaskFileText() == kept; }, 5s)) << TaskFileText();
    // The last task failed and nothing runs: the taskbar shows the error.
    EXPECT_TRUE(PumpUntil([&] { return Window().TaskbarShown().mode == TaskbarMode::Error; }, 5s));
}

TEST_F(DownloadMenuTest, RemoveTaskWorksWhileIdleIsRefusedWhileDownloadingAndClearEmptiesAll) {
    engine_ = std::make_unique<SilentEngine>();
    SaveTasks({{L"一.mp3", "/s0"}, {L"二.mp3", "/s1"}, {L"三.mp3", "/s2"}});
    OpenWithRows(3);

    SelectRow(kDownloadList, 1);
    Command(kMenuRemoveTask);
    ASSERT_EQ(Downloads().RowCount(), 2);
    EXPECT_EQ(Downloads().Cell(1, queue::kNameColumn), L"三.mp3");
    EXPECT_EQ(TaskFileText(), queue::TaskRecord(L"一.mp3", Url("/s0")) + L"\r\n" +
                                  queue::TaskRecord(L"三.mp3", Url("/s2")));

    Command(kMenuResume);
    ASSERT_TRUE(PumpUntil([&] { return Context().downloadQueue->Downloading(); }, 5s));
    const std::wstring before = TaskFileText();
    SelectRow(kDownloadList, 1);
    RecordTitles();
    Command(kMenuRemoveTask);
    EXPECT_EQ(Downloads().RowCount(), 2) << "refused while downloading";
    EXPECT_EQ(TaskFileText(), before);
    EXPECT_EQ(titles_, (std::vector<std::wstring>{L"下载状态操作无效", kMainTitle}));

    Command(kMenuClearTasks);
    EXPECT_EQ(Downloads().RowCount(), 0);
    EXPECT_EQ(TaskFileText(), L"");
    ASSERT_TRUE(PumpUntil([&] { return win::ListView(Control(kDownloadList)).RowCount() == 0; }, 5s));
}

// Pause and resume on the window thread while the job's workers keep reporting progress: neither side
// may wait for the other, and the file still ends up whole.
TEST_F(DownloadMenuTest, PauseAndResumeRepeatedlyDuringADownloadNeverBlockAndTheFileArrivesWhole) {
    SaveTasks({{L"慢歌.mp3", "/slow"}});
    OpenWithRows(1);
    SelectRow(kDownloadList, 0);
    Command(kMenuResume);
    ASSERT_TRUE(PumpUntil([&] { return State(0) == queue::kStateDownloading; }, 10s));
    RecordTitles();
    for (int round = 0; round < 3; ++round) {
        Command(kMenuPause);
        EXPECT_TRUE(Context().downloadQueue->Paused()) << round << " " << State(0);
        EXPECT_FALSE(Context().downloadQueue->Downloading());
        EXPECT_EQ(Window().TaskbarShown().mode, TaskbarMode::Paused);
        Command(kMenuResume);
        EXPECT_FALSE(Context().downloadQueue->Paused()) << round << " " << State(0);
        EXPECT_EQ(Window().TaskbarShown().mode, TaskbarMode::Normal);
    }
    EXPECT_EQ(titles_.size(), 12u);
    EXPECT_EQ(titles_[0], L"已暂停下载");
    EXPECT_EQ(titles_[2], L"已继续下载");
    ASSERT_TRUE(PumpUntil([&] { return State(0) == queue::kStateDone; }, 60s));
    EXPECT_TRUE(OnDisk(L"慢歌.mp3") == songs["/slow"]);
    EXPECT_TRUE(PumpUntil([&] { return TaskFileText().empty(); }, 5s)) << TaskFileText();
    EXPECT_TRUE(PumpUntil([&] { return Window().TaskbarShown() == TaskbarView{}; }, 5s));
}

}  // namespace
}  // namespace apptest
