// 音乐菜单 and 列表菜单 through the main window: removing and deleting local songs, preview with its
// timer and the volume hotkeys (over a recording player), and 修改歌名 in both result lists.
#include <gtest/gtest.h>

#include "app/title_notice.h"
#include "library/fake_media_player.h"
#include "library/media_player.h"
#include "win/controls.h"
#include "win/file_io.h"
#include "window_fixture.h"

namespace apptest {
namespace {

using namespace app;
using namespace std::chrono_literals;

class LibraryMenuTest : public WindowTest {
protected:
    std::wstring Cell(int cell) { return win::StatusBar(Control(kStatusBar)).CellText(cell); }
    int LocalRowOf(const std::wstring& name) {
        win::TableModel& local = Context().tables.localSongs;
        for (int row = 0; row < local.RowCount(); ++row)
            if (local.Cell(row, 1) == name) return row;
        return -1;
    }
};

TEST_F(LibraryMenuTest, RemoveKeepsTheFileDeleteRemovesItAndRefreshListsWhatIsLeft) {
    ASSERT_TRUE(CreateDirectoryW((dir_ / L"Mymp3").c_str(), nullptr));
    ASSERT_TRUE(win::WriteFileAtomic(dir_ / L"Mymp3\\留下.mp3", "a"));
    ASSERT_TRUE(win::WriteFileAtomic(dir_ / L"Mymp3\\删掉.mkv", "b"));
    Open();
    win::TableModel& local = Context().tables.localSongs;
    ASSERT_TRUE(PumpUntil([&] { return local.RowCount() == 2; }, 5s));

    SelectRow(kLocalList, LocalRowOf(L"留下.mp3"));
    Command(kMenuRemoveSong);
    EXPECT_EQ(local.RowCount(), 1);
    EXPECT_TRUE(win::PathExists(dir_ / L"Mymp3\\留下.mp3"));

    SelectRow(kLocalList, LocalRowOf(L"删掉.mkv"));
    RecordTitles();
    Command(kMenuDeleteSong);
    EXPECT_EQ(titles_, (std::vector<std::wstring>{L"删除成功", kMainTitle}));
    EXPECT_EQ(local.RowCount(), 0);
    EXPECT_FALSE(win::PathExists(dir_ / L"Mymp3\\删掉.mkv"));

    Command(kMenuRefreshList);
    ASSERT_TRUE(PumpUntil([&] { return local.RowCount() == 1; }, 5s));
    EXPECT_EQ(local.Cell(0, 1), L"留下.mp3");
}

TEST_F(LibraryMenuTest, PreviewPlaysTheResolvedLinkHotkeysChangeTheVolumeAndStopSaysSo) {
    std::vector<std::wstring> log;
    testing_support::FakeMediaPlayer* player = nullptr;
    options_.makePlayer = [&] {
        auto made = std::make_unique<testing_support::FakeMediaPlayer>(log);
        player = made.get();
        return made;
    };
    options_.resolveSongLink = [](AppContext&, const std::wstring& hash) {
        return hash == L"HASH1" ? std::wstring(L"http://127.0.0.1:9/1.mp3") : std::wstring();
    };
    Open();
    ASSERT_NE(player, nullptr);
    player->window = Window().hwnd();
    win::TableModel& songs = Context().tables.songResults;
    songs.AppendRow({L"无链接", L"HASH0", L"", L"", L""});
    songs.AppendRow({L"东来东往 - 回到过去", L"HASH1", L"", L"", L""});

    SelectRow(kSongList, 0);
    Command(kMenuPreview);
    EXPECT_EQ(Cell(1), L"获取试听地址失败,请重试");
    EXPECT_TRUE(log.empty());

    SelectRow(kSongList, 1);
    Command(kMenuPreview);
    EXPECT_EQ(Cell(1), L"正在试听：东来东往 - 回到过去");
    EXPECT_EQ(log, (std::vector<std::wstring>{L"stop", L"open http://127.0.0.1:9/1.mp3", L"volume 50,50",
                                              L"play -1 main"}));

    // The hotkeys act only while something plays.
    const int up = Window().Hotkeys().HotkeyIdOf(L"001");
    const int down = Window().Hotkeys().HotkeyIdOf(L"002");
    SendMessageW(Window().hwnd(), WM_HOTKEY, up, MAKELPARAM(0, VK_UP));
    EXPECT_EQ(Cell(3), L"50");
    player->state = library::kPlaying;
    PostMessageW(Window().hwnd(), WM_HOTKEY, up, MAKELPARAM(0, VK_UP));
    Pump();
    EXPECT_EQ(Cell(3), L"60");
    EXPECT_EQ(log.back(), L"volume 60,60");
    for (int i = 0; i < 3; ++i) PostMessageW(Window().hwnd(), WM_HOTKEY, down, MAKELPARAM(0, VK_DOWN));
    Pump();
    EXPECT_EQ(Cell(3), L"30");
    EXPECT_EQ(Context().state.previewVolume, 30);

    // 时钟1 stops the preview at its end.
    player->position = player->length = 2500;
    SendMessageW(Window().hwnd(), WM_TIMER, kPreviewTimerId, 0);
    EXPECT_EQ(Cell(1), L"试听完毕");

    Command(kMenuStopPreview);
    EXPECT_EQ(Cell(1), L"已停止试听");
    EXPECT_EQ(log.back(), L"stop");
}

struct RenameCase {
    CommandId entry, list;
    win::TableModel AppTables::*model;
};

TEST_F(LibraryMenuTest, RenameFromEitherResultListWritesTheTypedName) {
    Open();
    const RenameCase cases[] = {{kMenuRenameSong, kSongList, &AppTables::songResults},
                                {kMenuRenameVideo, kMvList, &AppTables::mvResults}};
    for (const RenameCase& c : cases) {
        win::TableModel& model = Context().tables.*c.model;
        model.AppendRow({L"原来的名字", L"H"});
        model.AppendRow({L"첫눈 - 韩文歌", L"H"});
        SelectRow(c.list, 1);
        Command(c.entry);
        HWND dialog = Window().Renamer().Window();
        ASSERT_NE(dialog, nullptr) << c.entry;
        EXPECT_EQ(win::WindowText(GetDlgItem(dialog, RenameDialog::kOldNameEdit)), L"첫눈 - 韩文歌");
        SetWindowTextW(GetDlgItem(dialog, RenameDialog::kNewNameEdit), L"初雪");
        SendMessageW(GetDlgItem(dialog, RenameDialog::kRenameButton), BM_CLICK, 0, 0);
        EXPECT_EQ(model.Cell(1, 0), L"初雪") << c.entry;
        EXPECT_EQ(model.Cell(0, 0), L"原来的名字");
        EXPECT_EQ(Window().Renamer().Window(), nullptr);
    }
    EXPECT_EQ(Context().tables.songResults.Cell(1, 0), L"初雪");
}

}  // namespace
}  // namespace apptest
