#include "app/rename_dialog.h"

#include <gtest/gtest.h>

#include <string>

#include "pump.h"

namespace {

using app::RenameDialog;

std::wstring TextOf(HWND window) {
    wchar_t buffer[256] = {};
    GetWindowTextW(window, buffer, 256);
    return buffer;
}

class RenameDialogTest : public testing::Test {
protected:
    RenameDialogTest() {
        songs.AppendRow({L"周杰伦 - 晴天", L"HASH_A"});
        songs.AppendRow({L"???? - 강남스타일", L"HASH_B"});
        mvs.AppendRow({L"林俊杰 - 江南MV", L"MV_HASH"});
    }
    ~RenameDialogTest() override { testing_support::PumpMessages(); }

    HWND Control(int id) const { return GetDlgItem(dialog.Window(), id); }
    void Type(const std::wstring& text) { SetWindowTextW(Control(RenameDialog::kNewNameEdit), text.c_str()); }
    void ClickRename() { SendMessageW(Control(RenameDialog::kRenameButton), BM_CLICK, 0, 0); }

    win::TableModel songs{5, true};
    win::TableModel mvs{4, true};
    RenameDialog dialog{songs, mvs};
};

TEST_F(RenameDialogTest, WindowShowsItsControlsWithTheRowsName) {
    ASSERT_TRUE(dialog.Open(app::kRenameSongList, 1));
    const HWND window = dialog.Window();
    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(TextOf(window), L"修改歌名");
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(r.left, 50);
    EXPECT_EQ(r.top, 50);
    EXPECT_EQ(r.right - r.left, 312);
    EXPECT_EQ(r.bottom - r.top, 180);

    struct Expected {
        int id;
        const wchar_t* className;
        int x, y, width, height;
        const wchar_t* text;
    };
    const Expected controls[] = {
        {RenameDialog::kLabel1, L"Static", 8, 8, 40, 24, L"原名称："},
        {RenameDialog::kOldNameEdit, L"Edit", 55, 9, 240, 24, L"???? - 강남스타일"},
        {RenameDialog::kLabel2, L"Static", 8, 40, 40, 24, L"新名称："},
        {RenameDialog::kNewNameEdit, L"Edit", 55, 41, 240, 24, L"请输入新的歌名"},
        {RenameDialog::kRenameButton, L"Button", 81, 73, 144, 32, L"修改"},
        {RenameDialog::kHintLabel, L"Static", 8, 120, 288, 20, L"提示：韩国歌名显示?号,下载后无文件 改名后可解决"},
    };
    for (const Expected& c : controls) {
        SCOPED_TRACE(c.id);
        const HWND control = Control(c.id);
        ASSERT_NE(control, nullptr);
        wchar_t className[32] = {};
        GetClassNameW(control, className, 32);
        EXPECT_EQ(_wcsicmp(className, c.className), 0) << className;
        RECT cr;
        GetWindowRect(control, &cr);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&cr), 2);
        EXPECT_EQ(cr.left, c.x);
        EXPECT_EQ(cr.top, c.y);
        EXPECT_EQ(cr.right - cr.left, c.width);
        EXPECT_EQ(cr.bottom - cr.top, c.height);
        EXPECT_EQ(TextOf(control), c.text);
    }
}

TEST_F(RenameDialogTest, RenameWritesTheTypedTextIntoTheTargetListAndCloses) {
    struct Case {
        int list, row;
        const wchar_t* typed;
        const wchar_t* name;  // what the row is called afterwards
    };
    const Case cases[] = {
        {app::kRenameSongList, 1, L"鸟叔 - 江南Style", L"鸟叔 - 江南Style"},
        {app::kRenameMvList, 0, L"  江南MV  ", L"  江南MV  "},      // taken as typed, not trimmed
        {app::kRenameSongList, 0, nullptr, L"请输入新的歌名"},       // 修改 without typing
        {app::kRenameMvList, 0, L"", L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto songsBefore = songs.Take().cells;
        const auto mvsBefore = mvs.Take().cells;
        ASSERT_TRUE(dialog.Open(c.list, c.row));
        if (c.typed) Type(c.typed);
        const HWND window = dialog.Window();
        ClickRename();
        EXPECT_FALSE(IsWindow(window));
        EXPECT_EQ(dialog.Window(), nullptr);

        auto expectSongs = songsBefore;
        auto expectMvs = mvsBefore;
        (c.list == app::kRenameSongList ? expectSongs : expectMvs)[c.row][0] = c.name;
        EXPECT_EQ(songs.Take().cells, expectSongs);  // the hashes and the other list stay
        EXPECT_EQ(mvs.Take().cells, expectMvs);
    }
}

TEST_F(RenameDialogTest, ClosingOtherwiseChangesNothing) {
    const auto before = songs.Take().cells;
    ASSERT_TRUE(dialog.Open(app::kRenameSongList, 0));
    Type(L"不要这个");
    const HWND window = dialog.Window();
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(dialog.Window(), nullptr);
    EXPECT_EQ(songs.Take().cells, before);
}

TEST_F(RenameDialogTest, VanishedTargetRowChangesNothingButStillCloses) {
    ASSERT_TRUE(dialog.Open(app::kRenameSongList, 1));
    Type(L"新名字");
    songs.Clear();
    ClickRename();
    EXPECT_EQ(songs.RowCount(), 0);
    EXPECT_EQ(dialog.Window(), nullptr);

    // A list cleared and refilled by a new search: the new row with the same index is another song.
    songs.AppendRow({L"甲", L"H1"});
    songs.AppendRow({L"乙", L"H2"});
    ASSERT_TRUE(dialog.Open(app::kRenameSongList, 1));
    Type(L"新名字");
    songs.Clear();
    songs.AppendRow({L"丙", L"H3"});
    songs.AppendRow({L"丁", L"H4"});
    ClickRename();
    EXPECT_EQ(songs.Cell(1, 0), L"丁");
    EXPECT_EQ(dialog.Window(), nullptr);
}

TEST_F(RenameDialogTest, OpeningAgainRetargetsTheSameWindow) {
    ASSERT_TRUE(dialog.Open(app::kRenameSongList, 0));
    const HWND window = dialog.Window();
    Type(L"新名字");
    ASSERT_TRUE(dialog.Open(app::kRenameMvList, 0));
    EXPECT_EQ(dialog.Window(), window);
    EXPECT_EQ(dialog.RenameList(), app::kRenameMvList);
    EXPECT_EQ(dialog.RenameRow(), 0);
    EXPECT_EQ(TextOf(Control(RenameDialog::kOldNameEdit)), L"林俊杰 - 江南MV");
    ClickRename();
    EXPECT_EQ(mvs.Cell(0, 0), L"新名字");
    EXPECT_EQ(songs.Cell(0, 0), L"周杰伦 - 晴天");
}

TEST_F(RenameDialogTest, UnknownListOrRowOpensNothing) {
    EXPECT_FALSE(dialog.Open(app::kRenameSongList, 2));
    EXPECT_FALSE(dialog.Open(app::kRenameMvList, -1));
    EXPECT_FALSE(dialog.Open(3, 0));
    EXPECT_EQ(dialog.Window(), nullptr);
}

}  // namespace
