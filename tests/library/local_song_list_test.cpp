#include "library/local_song_list.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <thread>

#include "support/temp_dir.h"
#include "win/file_io.h"
#include "win/handle.h"

using namespace library;

namespace {

class LocalListTest : public ::testing::Test {
protected:
    void Touch(const std::wstring& name) { ASSERT_TRUE(win::WriteFileAtomic(dir / name, "x")); }
    int RowOf(const std::wstring& name) const {
        for (int r = 0; r < model.RowCount(); ++r)
            if (model.Cell(r, kSongNameColumn) == name) return r;
        return -1;
    }
    std::wstring Folder() const { return dir.path() + L"\\"; }

    testing_support::TempDir dir;
    win::TableModel model{kLocalColumnCount};
    std::vector<std::wstring> notices;
    LocalSongList songs{model, [this](const std::wstring& n) { notices.push_back(n); }};
};

TEST(FileClass, OnlyAnExactLowerCaseMkvEndingIsVideo) {
    EXPECT_EQ(FileClass(L"a.mp3"), L"音乐");
    EXPECT_EQ(FileClass(L"b.mkv"), L"视频");
    EXPECT_EQ(FileClass(L"c.MKV"), L"音乐");
    EXPECT_EQ(FileClass(L"xmkv"), L"视频");
    EXPECT_EQ(FileClass(L"a.mkv.mp3"), L"音乐");
    EXPECT_EQ(FileClass(L""), L"音乐");
}

TEST(MusicMenu, EverythingButRefreshNeedsASelectedRow) {
    auto none = MusicMenuEnabling(false);
    EXPECT_TRUE(none.refresh);
    EXPECT_FALSE(none.play || none.stopPlay || none.remove || none.deleteSong);
    auto some = MusicMenuEnabling(true);
    EXPECT_TRUE(some.play && some.stopPlay && some.refresh && some.remove && some.deleteSong);
}

TEST_F(LocalListTest, ListsFilesNumberedWithTheirClassAndSkipsFolders) {
    for (auto name : {L"a.mp3", L"b.mkv", L"c.MKV", L"xmkv", L"周杰伦 - 晴天.flac"}) Touch(name);
    ASSERT_TRUE(CreateDirectoryW((dir / L"sub.mkv").c_str(), nullptr));
    ASSERT_TRUE(win::WriteFileAtomic(dir / L"sub.mkv\\inner.mp3", "x"));
    songs.RefreshLocalList(Folder());
    ASSERT_EQ(model.RowCount(), 5);
    for (int r = 0; r < 5; ++r) EXPECT_EQ(model.Cell(r, kNumberColumn), std::to_wstring(r + 1));
    EXPECT_EQ(model.Cell(RowOf(L"a.mp3"), kClassColumn), L"音乐");
    EXPECT_EQ(model.Cell(RowOf(L"b.mkv"), kClassColumn), L"视频");
    EXPECT_EQ(model.Cell(RowOf(L"c.MKV"), kClassColumn), L"音乐");
    EXPECT_EQ(model.Cell(RowOf(L"xmkv"), kClassColumn), L"视频");
    EXPECT_GE(RowOf(L"周杰伦 - 晴天.flac"), 0);
    EXPECT_EQ(RowOf(L"sub.mkv"), -1);
    EXPECT_EQ(RowOf(L"inner.mp3"), -1);

    songs.RefreshLocalList(dir.path());  // without the trailing "\" too; rows are replaced, not added
    EXPECT_EQ(model.RowCount(), 5);
}

TEST_F(LocalListTest, EmptyOrMissingFolderGivesNoRows) {
    model.AppendRow({L"1", L"old.mp3", L"音乐"});
    songs.RefreshLocalList(Folder());
    EXPECT_EQ(model.RowCount(), 0);
    model.AppendRow({L"1", L"old.mp3", L"音乐"});
    songs.RefreshLocalList(dir / L"missing\\");
    EXPECT_EQ(model.RowCount(), 0);
}

TEST_F(LocalListTest, RemoveKeepsTheFileAndTheOtherNumbers) {
    for (auto name : {L"a.mp3", L"b.mp3", L"c.mp3"}) Touch(name);
    songs.RefreshLocalList(Folder());
    std::wstring second = model.Cell(1, kSongNameColumn);
    EXPECT_TRUE(songs.RemoveRow(1));
    ASSERT_EQ(model.RowCount(), 2);
    EXPECT_EQ(model.Cell(0, kNumberColumn), L"1");
    EXPECT_EQ(model.Cell(1, kNumberColumn), L"3");
    EXPECT_TRUE(win::PathExists(dir / second));
    EXPECT_FALSE(songs.RemoveRow(7));
    songs.RefreshLocalList(Folder());
    EXPECT_EQ(model.RowCount(), 3);
}

TEST_F(LocalListTest, DeleteRemovesFileAndRowOrReportsFailure) {
    for (auto name : {L"a.mp3", L"b.mp3"}) Touch(name);
    songs.RefreshLocalList(Folder());
    int held = RowOf(L"b.mp3");
    {
        // Another program holds the file open without sharing deletion.
        win::UniqueFile open(CreateFileW((dir / L"b.mp3").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                         OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(open);
        EXPECT_FALSE(songs.DeleteSong(Folder(), held));
        EXPECT_EQ(notices.back(), L"删除失败");
        EXPECT_EQ(model.RowCount(), 2);
        EXPECT_TRUE(win::PathExists(dir / L"b.mp3"));
    }
    EXPECT_TRUE(songs.DeleteSong(dir.path(), RowOf(L"a.mp3")));
    EXPECT_EQ(notices.back(), L"删除成功");
    EXPECT_FALSE(win::PathExists(dir / L"a.mp3"));
    ASSERT_EQ(model.RowCount(), 1);
    EXPECT_EQ(model.Cell(0, kSongNameColumn), L"b.mp3");

    DeleteFileW((dir / L"b.mp3").c_str());  // already gone
    EXPECT_FALSE(songs.DeleteSong(Folder(), 0));
    EXPECT_EQ(notices.back(), L"删除失败");
    EXPECT_EQ(model.RowCount(), 1);
}

TEST_F(LocalListTest, DeleteNeverLeavesTheFolder) {
    Touch(L"victim.mp3");
    win::TableModel other{kLocalColumnCount};
    LocalSongList list{other, nullptr};
    other.AppendRow({L"1", L"..\\victim.mp3", L"音乐"});
    EXPECT_FALSE(list.DeleteSong(dir / L"sub\\", 0));
    EXPECT_TRUE(win::PathExists(dir / L"victim.mp3"));
}

TEST_F(LocalListTest, OverlappingRefreshesNeverMixRows) {
    testing_support::TempDir other;
    for (int i = 0; i < 40; ++i) Touch(L"a" + std::to_wstring(i) + L".mp3");
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(win::WriteFileAtomic(other / (L"b" + std::to_wstring(i)), "x"));
    for (int round = 0; round < 20; ++round) {
        std::thread t1([&] { songs.RefreshLocalList(Folder()); });
        std::thread t2([&] { songs.RefreshLocalList(other.path()); });
        t1.join();
        t2.join();
        auto rows = model.Take().cells;
        ASSERT_TRUE(rows.size() == 40 || rows.size() == 3) << rows.size();
        for (size_t r = 0; r < rows.size(); ++r) {
            EXPECT_EQ(rows[r][0], std::to_wstring(r + 1));
            EXPECT_EQ(rows[r][1][0], rows.size() == 40 ? L'a' : L'b');
        }
    }
    songs.StartRefresh(Folder());  // the object joins it when it goes
}

}  // namespace
