// What the window's start-up leaves behind: folder, settings, state, status bar.
#include <gtest/gtest.h>

#include "win/controls.h"
#include "win/file_io.h"
#include "window_fixture.h"

namespace apptest {
namespace {

using namespace app;

class StartUpTest : public WindowTest {};

TEST_F(StartUpTest, FirstRunCreatesTheDefaultFolderButNoSettingsFile) {
    Open();
    const std::wstring folder = dir_.path() + L"\\Mymp3\\";
    EXPECT_EQ(Context().state.DownloadFolder(), folder);
    EXPECT_EQ(TextOf(kFolderBox), folder);
    EXPECT_TRUE(win::IsDirectory(dir_ / L"Mymp3"));
    EXPECT_FALSE(IsWindowEnabled(Control(kOpenFolder)));
    EXPECT_FALSE(win::PathExists(dir_ / L"test.ini"));
}

TEST_F(StartUpTest, SecondRunWithTheFolderPresentEnablesOpenFolder) {
    ASSERT_TRUE(CreateDirectoryW((dir_ / L"Mymp3").c_str(), nullptr));
    Open();
    EXPECT_TRUE(IsWindowEnabled(Control(kOpenFolder)));
    Click(kOpenFolder);
    ASSERT_EQ(prompter_.explored.size(), 1u);
    EXPECT_EQ(prompter_.explored[0], dir_.path() + L"\\Mymp3\\");
}

TEST_F(StartUpTest, SavedFolderIsUsedAndCreatedWhenMissing) {
    const std::wstring saved = dir_.path() + L"\\下载\\";
    ASSERT_TRUE(WritePrivateProfileStringW(L"下载目录", L"目录", saved.c_str(), (dir_ / L"test.ini").c_str()));
    Open();
    EXPECT_EQ(Context().state.DownloadFolder(), saved);
    EXPECT_EQ(TextOf(kFolderBox), saved);
    EXPECT_TRUE(win::IsDirectory(dir_ / L"下载"));
    EXPECT_FALSE(win::PathExists(dir_ / L"Mymp3"));
    EXPECT_FALSE(IsWindowEnabled(Control(kOpenFolder)));
}

TEST_F(StartUpTest, EndpointOverridesAreRead) {
    ASSERT_TRUE(WritePrivateProfileStringW(L"接口", L"链接解析", L"http://127.0.0.1:8080",
                                           (dir_ / L"test.ini").c_str()));
    Open();
    EXPECT_EQ(Context().endpoints.linkResolver, L"http://127.0.0.1:8080");
    EXPECT_EQ(Context().endpoints.songSearch, L"http://songsearch.kugou.com");
}

TEST_F(StartUpTest, StartValuesStatusBarAndTaskFileText) {
    const std::string taskBytes = "\xB8\xE8\xC3\xFB.mp3|http://x/1\r\n";  // code page 936 bytes, kept as read
    ASSERT_TRUE(win::WriteFileAtomic(dir_ / L"下载任务.txt", taskBytes));
    Open();
    AppState& state = Context().state;
    EXPECT_FALSE(Context().downloadQueue->Downloading());
    EXPECT_FALSE(Context().downloadQueue->Paused());
    EXPECT_EQ(Context().downloadQueue->CurrentJob(), queue::kNeverStarted);
    EXPECT_EQ(Context().downloadQueue->DownloadFolder(), Context().state.DownloadFolder());
    EXPECT_EQ(state.previewVolume, 50);
    EXPECT_EQ(state.upHotkeyId, L"001");
    EXPECT_EQ(state.downHotkeyId, L"002");
    EXPECT_EQ(state.taskFileText, taskBytes);
    EXPECT_EQ(state.processHeap, nullptr);  // taken by the program's start, not by the window

    win::StatusBar status(Control(kStatusBar));
    ASSERT_EQ(status.CellCount(), 5);
    EXPECT_EQ(status.CellEdges(), (std::vector<int>{30, 355, 385, 415, 465}));
    const wchar_t* texts[] = {L"状态", L"等待选择试听歌曲", L"音量", L"50", L""};
    for (int cell = 0; cell < 5; ++cell) EXPECT_EQ(status.CellText(cell), texts[cell]) << cell;
}

TEST_F(StartUpTest, NoTaskFileGivesEmptyText) {
    Open();
    EXPECT_EQ(Context().state.taskFileText, "");
}

}  // namespace
}  // namespace apptest
