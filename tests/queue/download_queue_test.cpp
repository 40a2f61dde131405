#include "queue/download_queue.h"

#include <gtest/gtest.h>

#include "fake_engine.h"
#include "queue/download_list.h"
#include "queue/task_restore.h"
#include "support/temp_dir.h"
#include "win/file_io.h"
#include "win/text.h"

using namespace queue;
using namespace queue_test;

namespace {

class QueueTest : public ::testing::Test {
protected:
    QueueTest() { q.SetDownloadFolder(dir.path()); }

    std::wstring State(int row) const { return list.Cell(row, kStateColumn); }
    std::wstring FileText() const { return file.ReadText(); }
    std::wstring Rec(const wchar_t* name, const wchar_t* link) const { return TaskRecord(name, link); }
    bool Noticed(const std::wstring& text) const {
        auto n = ui.Notices();
        return std::find(n.begin(), n.end(), text) != n.end();
    }
    // Finishes job i after one progress report of its whole length.
    void Finish(size_t i, std::int64_t length = 1048576) {
        engine.Report(i, downloader::kProgress, length, length);
        engine.Report(i, downloader::kFinished, length, length);
    }

    testing_support::TempDir dir;
    win::TableModel list{kDownloadColumnCount};
    TaskFile file{dir / kTaskFileName};
    FakeEngine engine;
    FakeUi ui;
    DownloadQueue q{list, file, engine, ui};  // last: goes first, joining its threads
};

TEST(MbText, RoundsToTwoDecimalsWithoutTrailingZeros) {
    struct {
        std::int64_t bytes;
        const wchar_t* text;
    } cases[] = {{3670016, L"3.5MB"},    {1048576, L"1MB"},       {0, L"0MB"},
                 {123456789, L"117.74MB"}, {131072, L"0.13MB"},  // 0.125: half away from zero
                 {104858, L"0.1MB"},      {5242879, L"5MB"},     {1099511627776LL, L"1048576MB"}};
    for (const auto& c : cases) EXPECT_EQ(MbText(c.bytes), c.text) << c.bytes;
}

TEST_F(QueueTest, ThreeWaitingRowsRunInOrderAndNothingAfterTheLast) {
    q.AddTask(L"a.mp3", L"http://h/a");
    q.AddTask(L"b.mp3", L"http://h/b");
    q.AddTask(L"c.mp3", L"http://h/c");
    ASSERT_TRUE(engine.WaitForStarts(1));
    auto job = engine.JobAt(0);
    EXPECT_EQ(job.url, L"http://h/a");
    EXPECT_EQ(job.path, dir / L"a.mp3");
    EXPECT_EQ(job.connections, 2);
    EXPECT_TRUE(q.Downloading());

    engine.Report(0, downloader::kProgress, 3670016, 1048576);
    EXPECT_EQ(list.Row(0), (std::vector<std::wstring>{L"a.mp3", L"3.5MB", L"1MB", L"下载中", L"http://h/a", L"100"}));
    EXPECT_EQ(State(1), L"等待中");
    EXPECT_EQ(list.Cell(1, kTotalColumn), L"");

    engine.Report(0, downloader::kFinished, 3670016, 3670016);
    EXPECT_EQ(State(0), L"已下载");
    EXPECT_EQ(FileText(), Rec(L"b.mp3", L"http://h/b") + L"\r\n" + Rec(L"c.mp3", L"http://h/c"));
    EXPECT_EQ(ui.refreshes, 1);
    ASSERT_TRUE(engine.WaitForStarts(2));
    EXPECT_EQ(engine.JobAt(1).url, L"http://h/b");
    Finish(1);
    ASSERT_TRUE(engine.WaitForStarts(3));
    EXPECT_EQ(engine.JobAt(2).url, L"http://h/c");
    engine.Report(2, downloader::kProgress, 123456789, 0);
    EXPECT_EQ(list.Cell(2, kTotalColumn), L"117.74MB");
    EXPECT_EQ(list.Cell(2, kReceivedColumn), L"0MB");
    EXPECT_EQ(list.Cell(2, kJobColumn), L"102");
    engine.Report(2, downloader::kFinished, 123456789, 123456789);
    Settle();
    EXPECT_EQ(engine.Starts(), 3u);
    EXPECT_FALSE(q.Downloading());
    EXPECT_EQ(win::ReadWholeFile(file.Path()), std::string());
    EXPECT_FALSE(q.ResumeEntryEnabled());  // every row has finished: 继续下载 greyed
}

TEST_F(QueueTest, TargetStaysInsideTheDownloadFolder) {
    q.AddTask(L"..\\..\\CON.mp3", L"u");
    ASSERT_TRUE(engine.WaitForStarts(1));
    EXPECT_EQ(engine.JobAt(0).path, dir / L".._.._CON.mp3");
    Finish(0);
    EXPECT_EQ(FileText(), L"");  // the record goes by the row's own name
}

TEST_F(QueueTest, PauseThenEnqueueThenResume) {
    q.AddTask(L"a.mp3", L"ua");
    ASSERT_TRUE(engine.WaitForStarts(1));
    engine.Report(0, downloader::kProgress, 2097152, 1048576);
    q.PauseDownload();
    EXPECT_TRUE(q.Paused());
    EXPECT_FALSE(q.Downloading());
    EXPECT_EQ(State(0), L"已暂停");
    EXPECT_TRUE(Noticed(L"已暂停下载"));
    ASSERT_EQ(engine.Controls().size(), 1u);
    EXPECT_EQ(engine.Controls()[0].job, 100);
    EXPECT_EQ(engine.Controls()[0].control, downloader::kPaused);

    engine.Report(0, downloader::kProgress, 2097152, 1200000);  // already on its way
    EXPECT_EQ(State(0), L"等待中");
    q.AddTask(L"b.mp3", L"ub");
    Settle();
    EXPECT_EQ(engine.Starts(), 1u);
    EXPECT_TRUE(q.ResumeEntryEnabled());

    q.ResumeDownload();
    EXPECT_EQ(engine.Controls().back().control, downloader::kRun);
    EXPECT_EQ(State(0), L"下载中");
    EXPECT_TRUE(Noticed(L"已继续下载"));
    EXPECT_TRUE(q.Downloading());
    Finish(0);
    ASSERT_TRUE(engine.WaitForStarts(2));
    EXPECT_EQ(engine.JobAt(1).url, L"ub");
}

TEST_F(QueueTest, ResumeRightAfterStartRunsRestoredTasks) {
    file.AppendTask(L"a.mp3", L"ua");
    file.AppendTask(L"b.mp3", L"ub");
    ASSERT_EQ(RestoreTasks(file.ReadText(), list), 2);
    Settle();
    EXPECT_EQ(engine.Starts(), 0u);
    EXPECT_TRUE(q.ResumeEntryEnabled());
    q.PauseDownload();  // nothing runs: does nothing
    EXPECT_FALSE(q.Paused());
    q.ResumeDownload();
    ASSERT_TRUE(engine.WaitForStarts(1));
    EXPECT_EQ(engine.JobAt(0).url, L"ua");
    EXPECT_TRUE(engine.Controls().empty());
    EXPECT_TRUE(ui.Notices().empty());
}

TEST_F(QueueTest, FailedStartAndFailureReportShowTheBoxAndTheQueueMovesOn) {
    engine.FailStartOf(L"ua");
    q.AddTask(L"a.mp3", L"ua");
    q.AddTask(L"b.mp3", L"ub");
    q.AddTask(L"c.mp3", L"uc");
    ASSERT_TRUE(engine.WaitForStarts(2));  // a failed to start, b runs
    EXPECT_TRUE(WaitUntil([&] { return ui.failureBoxes == 1; }));
    EXPECT_EQ(State(0), L"下载失败");
    EXPECT_EQ(q.CurrentRow(), 1);
    engine.Report(1, downloader::kProgress, 4194304, 1048576);
    engine.Report(1, downloader::kFailedReport);
    EXPECT_EQ(ui.failureBoxes, 2);
    EXPECT_EQ(State(1), L"下载失败");
    EXPECT_EQ(list.Cell(1, kReceivedColumn), L"1MB");
    ASSERT_TRUE(engine.WaitForStarts(3));
    EXPECT_EQ(engine.JobAt(2).url, L"uc");
    Finish(2);
    Settle();
    EXPECT_FALSE(q.Downloading());
    // The failed tasks keep their records, to come back at the next start.
    EXPECT_EQ(FileText(), Rec(L"a.mp3", L"ua") + L"\r\n" + Rec(L"b.mp3", L"ub"));
    q.ResumeDownload();  // the failed job is dead: nothing is woken, nothing waits
    Settle();
    EXPECT_EQ(engine.Starts(), 3u);
    for (const auto& c : engine.Controls()) EXPECT_TRUE(c.accepted);
}

TEST_F(QueueTest, CompletionOfTheLastRowStartsAWaitingRowAboveIt) {
    AppendWaitingRow(list, L"a.mp3", L"ua");
    AppendWaitingRow(list, L"b.mp3", L"ub");
    list.SetCell(0, kStateColumn, kStatePaused);
    q.ResumeDownload();
    ASSERT_TRUE(engine.WaitForStarts(1));
    EXPECT_EQ(engine.JobAt(0).url, L"ub");
    list.SetCell(0, kStateColumn, kStateWaiting);
    Finish(0);
    ASSERT_TRUE(engine.WaitForStarts(2));
    EXPECT_EQ(engine.JobAt(1).url, L"ua");
}

TEST_F(QueueTest, RemovingIsRefusedWhileDownloading) {
    q.AddTask(L"a.mp3", L"ua");
    q.AddTask(L"b.mp3", L"ub");
    ASSERT_TRUE(engine.WaitForStarts(1));
    std::wstring before = FileText();
    EXPECT_FALSE(q.RemoveTask(1));
    EXPECT_TRUE(Noticed(L"下载状态操作无效"));
    EXPECT_EQ(list.RowCount(), 2);
    EXPECT_EQ(FileText(), before);

    q.PauseDownload();
    EXPECT_TRUE(q.RemoveTask(1));
    EXPECT_EQ(list.RowCount(), 1);
    EXPECT_EQ(FileText(), Rec(L"a.mp3", L"ua"));
    EXPECT_FALSE(q.RemoveTask(5));
}

TEST_F(QueueTest, RemovingAFinishedRowKeepsTheOtherRecords) {
    q.AddTask(L"a.mp3", L"ua");
    ASSERT_TRUE(engine.WaitForStarts(1));
    Finish(0);
    AppendWaitingRow(list, L"b.mp3", L"ub");  // restored: its record is already in the file
    file.AppendTask(L"b.mp3", L"ub");
    EXPECT_TRUE(q.RemoveTask(0));
    EXPECT_EQ(FileText(), L"\r\n" + Rec(L"b.mp3", L"ub"));
}

TEST_F(QueueTest, JobFinishingWhilePausedCompletesItsRow) {
    q.AddTask(L"a.mp3", L"ua");
    q.AddTask(L"b.mp3", L"ub");
    ASSERT_TRUE(engine.WaitForStarts(1));
    q.PauseDownload();
    q.ResumeDownload();  // the job waits in its drain and reports completion once resumed
    Finish(0);
    EXPECT_EQ(State(0), L"已下载");
    ASSERT_TRUE(engine.WaitForStarts(2));

    q.PauseDownload();
    engine.Report(1, downloader::kFinished, 10, 10);  // completion reported during the pause
    EXPECT_EQ(State(1), L"已下载");
    EXPECT_EQ(FileText(), L"");
    EXPECT_TRUE(q.Paused());
    q.ResumeDownload();  // nothing left to wake
    EXPECT_FALSE(q.Downloading());
    EXPECT_FALSE(q.Paused());
    EXPECT_EQ(State(1), L"已下载");
}

TEST_F(QueueTest, JobEndingSilentlyWhilePausedIsFetchedAgainOnResume) {
    q.AddTask(L"a.mp3", L"ua");
    ASSERT_TRUE(engine.WaitForStarts(1));
    q.PauseDownload();
    engine.EndSilently(0);
    q.ResumeDownload();
    ASSERT_TRUE(engine.WaitForStarts(2));  // not a dead row marked 下载中
    EXPECT_EQ(engine.JobAt(1).url, L"ua");
    EXPECT_TRUE(q.Downloading());
    EXPECT_FALSE(engine.Controls().back().accepted);
}

TEST_F(QueueTest, ReportsAfterClearingChangeNoOtherRow) {
    q.AddTask(L"a.mp3", L"ua");
    q.AddTask(L"b.mp3", L"ub");
    ASSERT_TRUE(engine.WaitForStarts(1));
    q.ClearTasks();
    EXPECT_EQ(list.RowCount(), 0);
    EXPECT_EQ(win::ReadWholeFile(file.Path()), std::string());
    EXPECT_TRUE(q.Downloading());  // the job goes on

    q.AddTask(L"c.mp3", L"uc");  // takes row 0, where the cleared job's row was
    engine.Report(0, downloader::kProgress, 1048576, 524288);
    EXPECT_EQ(list.Row(0), (std::vector<std::wstring>{L"c.mp3", L"", L"", L"等待中", L"uc", L""}));
    engine.Report(0, downloader::kFinished, 1048576, 1048576);
    EXPECT_EQ(FileText(), L"\r\n" + Rec(L"c.mp3", L"uc"));  // the cleared file was empty, not missing
    ASSERT_TRUE(engine.WaitForStarts(2));
    EXPECT_EQ(engine.JobAt(1).url, L"uc");
}

TEST_F(QueueTest, PauseWhileTheJobStartsReachesTheJob) {
    engine.HoldStarts(true);
    q.AddTask(L"a.mp3", L"ua");
    ASSERT_TRUE(WaitUntil([&] { return engine.EnteredStarts() == 1; }));
    for (int i = 0; i < 4; ++i) q.StartRunNextTask();  // a second start must not begin meanwhile
    q.PauseDownload();
    EXPECT_TRUE(engine.Controls().empty());
    engine.HoldStarts(false);
    ASSERT_TRUE(WaitUntil([&] { return !engine.Controls().empty(); }));
    EXPECT_EQ(engine.Controls()[0].job, 100);
    EXPECT_EQ(engine.Controls()[0].control, downloader::kPaused);
    q.ResumeDownload();
    EXPECT_EQ(engine.Controls().back().control, downloader::kRun);
    EXPECT_TRUE(engine.Controls().back().accepted);
    Settle();
    EXPECT_EQ(engine.EnteredStarts(), 1u);
}

TEST_F(QueueTest, ManyQuickEnqueuesStartOneTaskAtATime) {
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 5; ++i)
                q.AddTask(std::to_wstring(t) + L"_" + std::to_wstring(i) + L".mp3", L"u");
        });
    for (auto& th : threads) th.join();
    ASSERT_TRUE(engine.WaitForStarts(1));
    Settle();
    EXPECT_EQ(engine.Starts(), 1u);
    EXPECT_EQ(list.RowCount(), 20);
}

}  // namespace
