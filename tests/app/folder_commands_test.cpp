// 保存设置, the folder dialog and the close question.
#include <gtest/gtest.h>

#include "win/file_io.h"
#include "window_fixture.h"

namespace apptest {
namespace {

using namespace app;

class FolderCommandsTest : public WindowTest {
protected:
    std::wstring SavedFolder() {
        wchar_t value[512] = {};
        GetPrivateProfileStringW(L"下载目录", L"目录", L"", value, 512, (dir_ / L"test.ini").c_str());
        return value;
    }
    void Type(const std::wstring& text) { SetWindowTextW(Control(kFolderBox), text.c_str()); }
};

TEST_F(FolderCommandsTest, SavingWhileIdleWritesAppendsSlashAndChangesTheFolder) {
    Open();
    const std::wstring chosen = dir_.path() + L"\\新目录";
    Type(chosen);
    Click(kSaveSettings);
    EXPECT_EQ(SavedFolder(), chosen + L"\\");
    EXPECT_EQ(Context().state.DownloadFolder(), chosen + L"\\");
    EXPECT_EQ(Context().downloadQueue->DownloadFolder(), chosen + L"\\");
    ASSERT_EQ(prompter_.messages.size(), 1u);
    EXPECT_EQ(prompter_.messages[0].text, L"已保存设置，下载目录已变更！");
    EXPECT_EQ(prompter_.messages[0].title, L"信息：");
    EXPECT_EQ(prompter_.messages[0].flags, static_cast<UINT>(MB_ICONINFORMATION | MB_OK));
    // Saving creates nothing and leaves the open-folder button as start-up set it.
    EXPECT_FALSE(win::PathExists(chosen));
    EXPECT_FALSE(IsWindowEnabled(Control(kOpenFolder)));
}

TEST_F(FolderCommandsTest, SavingDuringADownloadWritesOnly) {
    engine_ = std::make_unique<SilentEngine>();
    Open();
    const std::wstring before = Context().state.DownloadFolder();
    StartSilentDownload();
    Type(L"D:\\歌\\");
    Click(kSaveSettings);
    EXPECT_EQ(SavedFolder(), L"D:\\歌\\");
    EXPECT_EQ(Context().state.DownloadFolder(), before);
    EXPECT_EQ(Context().downloadQueue->DownloadFolder(), before);
    ASSERT_EQ(prompter_.messages.size(), 1u);
    EXPECT_EQ(prompter_.messages[0].text, L"已保存设置，下次运行本程序生效！");
    EXPECT_EQ(prompter_.messages[0].title, L"信息：");
    EXPECT_EQ(prompter_.messages[0].flags, static_cast<UINT>(MB_ICONINFORMATION | MB_OK));
}

TEST_F(FolderCommandsTest, EmptyBoxSavesNothing) {
    Open();
    Type(L"");
    Click(kSaveSettings);
    EXPECT_TRUE(prompter_.messages.empty());
    EXPECT_FALSE(win::PathExists(dir_ / L"test.ini"));
    EXPECT_EQ(Context().state.DownloadFolder(), dir_.path() + L"\\Mymp3\\");
}

// A settings file that cannot be written must not be reported as saved, nor empty the folder.
TEST_F(FolderCommandsTest, UnwritableSettingsFileIsReportedAndKeepsTheFolder) {
    ASSERT_TRUE(CreateDirectoryW((dir_ / L"test.ini").c_str(), nullptr));
    Open();
    const std::wstring before = Context().state.DownloadFolder();
    Type(L"D:\\歌");
    Click(kSaveSettings);
    EXPECT_EQ(Context().state.DownloadFolder(), before);
    ASSERT_EQ(prompter_.messages.size(), 1u);
    EXPECT_EQ(prompter_.messages[0].text, L"保存设置失败！");
}

TEST_F(FolderCommandsTest, BrowsePutsTheChoiceInTheBoxAndCancelRestoresTheFolder) {
    Open();
    prompter_.browseResult = L"E:\\音乐";
    Click(kBrowseFolder);
    EXPECT_EQ(TextOf(kFolderBox), L"E:\\音乐");
    EXPECT_EQ(Context().state.DownloadFolder(), dir_.path() + L"\\Mymp3\\");  // only saving changes it

    prompter_.browseResult = L"";
    Click(kBrowseFolder);
    EXPECT_EQ(TextOf(kFolderBox), dir_.path() + L"\\Mymp3\\");
    EXPECT_EQ(prompter_.browseTitles, (std::vector<std::wstring>{L"选择目录", L"选择目录"}));
}

TEST_F(FolderCommandsTest, CloseWhileIdleOrPausedAsksNothing) {
    Open();
    HWND window = Window().hwnd();
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(prompter_.messages.empty());
}

TEST_F(FolderCommandsTest, CloseDuringADownloadAsksAndNoKeepsTheWindow) {
    engine_ = std::make_unique<SilentEngine>();
    Open();
    HWND window = Window().hwnd();
    StartSilentDownload();
    prompter_.answer = IDNO;
    SendMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(IsWindow(window));
    ASSERT_EQ(prompter_.messages.size(), 1u);
    EXPECT_EQ(prompter_.messages[0].text, L"当前有下载任务进行中，是否退出？");
    EXPECT_EQ(prompter_.messages[0].title, L"信息：");
    EXPECT_EQ(prompter_.messages[0].flags, static_cast<UINT>(MB_YESNO));
    EXPECT_TRUE(Context().downloadQueue->Downloading());

    prompter_.answer = IDYES;
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
}

}  // namespace
}  // namespace apptest
