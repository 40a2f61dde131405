// Title notices on the main window, from its own thread and from workers, and PumpingWait keeping the
// window working.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/title_notice.h"
#include "win/controls.h"
#include "win/list_view.h"
#include "window_fixture.h"

namespace apptest {
namespace {

using namespace app;

// Records every title the window is given.
class NoticeTest : public WindowTest {
protected:
    void Open() {
        WindowTest::Open();
        RecordTitles();
    }
};

TEST_F(NoticeTest, NoticeOnTheWindowThreadShowsForASecondThenRestores) {
    Open();
    EXPECT_EQ(win::WindowText(Window().hwnd()), kMainTitle);
    ULONGLONG start = GetTickCount64();
    TitleNotice(L"已加入下载列表");
    EXPECT_GE(GetTickCount64() - start, 990u);
    EXPECT_EQ(titles_, (std::vector<std::wstring>{L"已加入下载列表", kMainTitle}));
    EXPECT_EQ(win::WindowText(Window().hwnd()), kMainTitle);
}

TEST_F(NoticeTest, WorkerNoticeOverlappingAWindowNoticeEachRestoreAfterTheirOwnSecond) {
    Open();
    std::thread worker([] {
        Sleep(300);
        TitleNotice(L"下载地址为空");
    });
    TitleNotice(L"已加入下载列表");  // holds the window thread for its second, pumping
    std::vector<std::wstring> afterFirst = titles_;
    PumpingWait(700);  // the worker's second ends at about 1.3 s
    worker.join();
    Pump();
    EXPECT_EQ(afterFirst, (std::vector<std::wstring>{L"已加入下载列表", L"下载地址为空", kMainTitle}));
    EXPECT_EQ(titles_, (std::vector<std::wstring>{L"已加入下载列表", L"下载地址为空", kMainTitle, kMainTitle}));
}

TEST_F(NoticeTest, TwoWorkerNoticesOverlap) {
    Open();
    std::thread first([] { TitleNotice(L"已暂停下载"); });
    std::thread second([] {
        Sleep(400);
        TitleNotice(L"删除成功");
    });
    PumpingWait(1800);
    first.join();
    second.join();
    Pump();
    EXPECT_EQ(titles_, (std::vector<std::wstring>{L"已暂停下载", L"删除成功", kMainTitle, kMainTitle}));
}

// A worker's notice must not wait for the window thread: here the window thread is busy the whole time.
TEST_F(NoticeTest, WorkerNoticeFinishesWhileTheWindowThreadIsBusy) {
    Open();
    std::atomic<bool> done{false};
    std::thread worker([&] {
        TitleNotice(L"已加入下载列表");
        done = true;
    });
    Sleep(2500);
    bool finishedWhileBusy = done;
    worker.join();
    Pump();
    EXPECT_TRUE(finishedWhileBusy);
    EXPECT_EQ(titles_, (std::vector<std::wstring>{L"已加入下载列表", kMainTitle}));
}

// Rows a worker adds during the wait reach the list view before the wait ends.
TEST_F(NoticeTest, PumpingWaitKeepsTheListsUpdating) {
    Open();
    std::thread worker([this] {
        Sleep(100);
        Context().tables.downloads.AppendRow({L"东来东往 - 回到过去.mp3", L"", L"", L"等待中"});
    });
    PumpingWait(600);
    worker.join();
    win::ListView list(Control(kDownloadList));
    ASSERT_EQ(list.RowCount(), 1);
    EXPECT_EQ(list.Text(0, 3), L"等待中");
}

}  // namespace
}  // namespace apptest
