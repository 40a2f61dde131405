#include "queue/task_restore.h"

#include <gtest/gtest.h>

#include "queue/download_list.h"
#include "queue/task_file.h"
#include "support/temp_dir.h"
#include "win/file_io.h"

using namespace queue;

namespace {

class RestoreTest : public ::testing::Test {
protected:
    // Restores the file's text into a fresh list, as the next start of the program would.
    int Restart() {
        list.Clear();
        return RestoreTasks(file.ReadText(), list);
    }
    std::vector<std::wstring> Row(int r) const { return list.Row(r); }
    static std::vector<std::wstring> Waiting(const std::wstring& name, const std::wstring& link) {
        return {name, L"", L"", L"等待中", link, L""};
    }

    testing_support::TempDir dir;
    TaskFile file{dir / kTaskFileName};
    win::TableModel list{kDownloadColumnCount};
};

TEST_F(RestoreTest, RecordsComeBackAsWaitingRowsInFileOrder) {
    file.AppendTask(L"周杰伦 - 晴天.mp3", L"http://h/1.mp3?a=1&b=2");
    file.AppendTask(L"a]b[c.flac", L"http://h/2");  // "]" alone and "[" in a name survive
    file.AppendTask(L"아이유.mp3", L"http://h/3");    // the file is UTF-8 now
    ASSERT_EQ(Restart(), 3);
    EXPECT_EQ(Row(0), Waiting(L"周杰伦 - 晴天.mp3", L"http://h/1.mp3?a=1&b=2"));
    EXPECT_EQ(Row(1), Waiting(L"a]b[c.flac", L"http://h/2"));
    EXPECT_EQ(Row(2), Waiting(L"아이유.mp3", L"http://h/3"));
}

TEST_F(RestoreTest, LinkWithBracketIsCutAndNameWithSeparatorIsCut) {
    file.AppendTask(L"a.mp3", L"http://h/x]y");
    file.AppendTask(L"b]地址[c.mp3", L"u");
    ASSERT_EQ(Restart(), 2);
    EXPECT_EQ(Row(0), Waiting(L"a.mp3", L"http://h/x"));
    EXPECT_EQ(Row(1), Waiting(L"b", L"c.mp3"));
    // The cut name still drops its own record.
    file.DropTask(Row(1)[kNameColumn]);
    ASSERT_EQ(Restart(), 1);
    EXPECT_EQ(Row(0)[kNameColumn], L"a.mp3");
}

TEST_F(RestoreTest, DuplicatesRestoreTwiceAndLeaveOneAtATime) {
    file.AppendTask(L"a.mp3", L"u");
    file.AppendTask(L"a.mp3", L"u");
    EXPECT_EQ(Restart(), 2);
    file.DropTask(L"a.mp3");
    EXPECT_EQ(Restart(), 1);
    file.DropTask(L"a.mp3");
    EXPECT_EQ(Restart(), 0);
}

TEST_F(RestoreTest, DropThenAppendRestoresOneRowAndClearedFileRestoresNone) {
    file.AppendTask(L"a.mp3", L"u1");
    file.DropTask(L"a.mp3");
    file.AppendTask(L"b.mp3", L"u2");
    ASSERT_EQ(Restart(), 1);
    EXPECT_EQ(Row(0), Waiting(L"b.mp3", L"u2"));
    file.DropTask(L"b.mp3");
    EXPECT_EQ(Restart(), 0);
}

TEST_F(RestoreTest, TextOutsideRecordsIsIgnoredAndRecordsNeverSpanLines) {
    std::wstring text =
        L"junk 歌名[x\r\n]地址[y]\r\n前缀歌名[a.mp3]地址[u1]后缀歌名[b.mp3]地址[u2]\r\n歌名[c.mp3]地址[open\r\n]"
        L"\r\n歌名[]地址[]";
    auto tasks = ReadSavedTasks(text);
    ASSERT_EQ(tasks.size(), 3u);
    EXPECT_EQ(tasks[0].name, L"a.mp3");
    EXPECT_EQ(tasks[1].name, L"b.mp3");
    EXPECT_EQ(tasks[1].link, L"u2");
    EXPECT_EQ(tasks[2].name, L"");
    EXPECT_TRUE(ReadSavedTasks(L"").empty());
}

}  // namespace
