// The result lists' tick buttons, the list bindings and the right-click menus.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <thread>

#include "app/app_messages.h"
#include "win/list_view.h"
#include "window_fixture.h"

namespace apptest {
namespace {

using namespace app;

const std::wstring kZeros(32, L'0');

class ListCommandsTest : public WindowTest {
protected:
    std::vector<bool> ViewTicks(CommandId id) {
        Pump();
        win::ListView list(Control(id));
        std::vector<bool> ticks;
        for (int row = 0; row < list.RowCount(); ++row) ticks.push_back(list.Ticked(row));
        return ticks;
    }
    void Fill(win::TableModel& model, const std::vector<bool>& ticks) {
        for (bool ticked : ticks) model.SetTicked(model.AppendRow({L"东来东往 - 回到过去"}), ticked);
        Pump();
    }
    // The searches enable 全选 and 反选; here the test does.
    void EnableTickButtons() {
        for (CommandId id : {kSongTickAll, kSongInvertTicks, kMvTickAll, kMvInvertTicks})
            EnableWindow(Control(id), TRUE);
    }
};

struct TickButtons {
    CommandId list, all, invert, untick;
    win::TableModel AppTables::*model;
};
const TickButtons kTickButtons[] = {
    {kSongList, kSongTickAll, kSongInvertTicks, kSongUntickAll, &AppTables::songResults},
    {kMvList, kMvTickAll, kMvInvertTicks, kMvUntickAll, &AppTables::mvResults},
};

TEST_F(ListCommandsTest, TickButtonsWorkOnTheirOwnListAndShowInTheView) {
    Open();
    EnableTickButtons();
    for (const auto& buttons : kTickButtons) {
        SCOPED_TRACE(buttons.list);
        win::TableModel& model = Context().tables.*buttons.model;
        Fill(model, {true, false, true, false});
        Click(buttons.all);
        EXPECT_EQ(ViewTicks(buttons.list), (std::vector<bool>{true, true, true, true}));
        Click(buttons.untick);
        Click(buttons.invert);
        EXPECT_EQ(ViewTicks(buttons.list), (std::vector<bool>{true, true, true, true}));
        model.SetTicked(1, false);
        Click(buttons.invert);
        Click(buttons.invert);
        EXPECT_EQ(ViewTicks(buttons.list), (std::vector<bool>{true, false, true, true}));
        Click(buttons.untick);
        EXPECT_EQ(ViewTicks(buttons.list), (std::vector<bool>{false, false, false, false}));
    }
    // The other list's ticks were left alone by each list's buttons.
    EXPECT_EQ(Context().tables.songResults.RowCount(), 4);
}

TEST_F(ListCommandsTest, DisabledTickButtonsDoNothingAndUntickOnAnEmptyListIsHarmless) {
    Open();
    Click(kSongUntickAll);
    Click(kMvUntickAll);
    EXPECT_EQ(Context().tables.songResults.RowCount(), 0);
    Fill(Context().tables.songResults, {false, false});
    Click(kSongTickAll);  // still disabled before the first search
    EXPECT_EQ(ViewTicks(kSongList), (std::vector<bool>{false, false}));
}

TEST_F(ListCommandsTest, UserTickClicksGoIntoTheModel) {
    Open();
    Fill(Context().tables.mvResults, {false, false, false});
    win::ListView view(Control(kMvList));
    view.SetTicked(1, true);  // what a click on the tick box does
    EXPECT_TRUE(Context().tables.mvResults.Ticked(1));
    view.SetTicked(1, false);
    EXPECT_FALSE(Context().tables.mvResults.Ticked(1));
    view.SetTicked(2, true);
    EXPECT_EQ(ViewTicks(kMvList), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(Context().tables.mvResults.Take().ticks, (std::vector<bool>{false, false, true}));
}

// Thousands of changes from a worker reach the window as one message and one re-sync.
TEST_F(ListCommandsTest, AFloodOfChangesPostsOneMessage) {
    Open();
    std::thread worker([this] {
        for (int i = 0; i < 2000; ++i)
            Context().tables.downloads.AppendRow({L"歌" + std::to_wstring(i) + L".mp3", L"", L"", L"等待中"});
        Context().tables.downloads.SetCell(1999, 3, L"下载中");
    });
    worker.join();
    int posted = 0;
    MSG msg;
    while (PeekMessageW(&msg, Window().hwnd(), kMsgModelChanged, kMsgModelChanged, PM_REMOVE)) {
        ++posted;
        DispatchMessageW(&msg);
    }
    EXPECT_EQ(posted, 1);
    win::ListView view(Control(kDownloadList));
    ASSERT_EQ(view.RowCount(), 2000);
    EXPECT_EQ(view.Text(1999, 0), L"歌1999.mp3");
    EXPECT_EQ(view.Text(1999, 3), L"下载中");

    Context().tables.downloads.DeleteRow(0);
    Context().tables.downloads.SetCell(0, 3, L"已下载");
    Pump();
    ASSERT_EQ(view.RowCount(), 1999);
    EXPECT_EQ(view.Text(0, 0), L"歌1.mp3");
    EXPECT_EQ(view.Text(0, 3), L"已下载");
}

TEST_F(ListCommandsTest, RightClickInEmptyResultOrDownloadListsOpensNoMenu) {
    Open();
    RightClick(kSongList);
    RightClick(kMvList);
    RightClick(kDownloadList);
    EXPECT_TRUE(menus_.shown.empty());
}

struct SongRow {
    const wchar_t* name;
    std::wstring standard, high, lossless, mv;
    bool standardOn, highOn, losslessOn, mvOn;
};

TEST_F(ListCommandsTest, SongRightClickKeepsTheHashesAndEnablesOfferedQualities) {
    const SongRow rows[] = {
        {L"all offered", L"A", L"B", L"C", L"D", true, true, true, true},
        {L"lossless zeros, no MV", L"A", L"B", kZeros, L"", true, true, false, false},
        {L"only lossless", L"", L"", L"C", L"", false, false, true, false},
        {L"zeros count as offered outside lossless", kZeros, kZeros, L"", kZeros, true, true, false, true},
    };
    Open();
    win::TableModel& songs = Context().tables.songResults;
    for (const auto& r : rows) songs.AppendRow({r.name, r.standard, r.high, r.lossless, r.mv});
    for (int i = 0; i < static_cast<int>(std::size(rows)); ++i) {
        const SongRow& r = rows[i];
        SCOPED_TRACE(r.name);
        SelectRow(kSongList, i);
        RightClick(kSongList);
        ASSERT_EQ(menus_.shown.size(), static_cast<size_t>(i + 1));
        EXPECT_EQ(menus_.shown.back().which, PopupMenu::List);
        const auto& entries = menus_.shown.back().entries;
        EXPECT_TRUE(entries[0].enabled && entries[1].enabled && entries[3].enabled);
        EXPECT_EQ(entries[5], (MenuEntryState{L"下载[标准]", r.standardOn}));
        EXPECT_EQ(entries[6], (MenuEntryState{L"下载[高音质]", r.highOn}));
        EXPECT_EQ(entries[7], (MenuEntryState{L"下载[无损]", r.losslessOn}));
        EXPECT_EQ(entries[8], (MenuEntryState{L"下载[音乐MV]", r.mvOn}));
        AppState& state = Context().state;
        EXPECT_EQ(state.selectedStandardHash, r.standard);
        EXPECT_EQ(state.selectedHighHash, r.high);
        EXPECT_EQ(state.selectedLosslessHash, r.lossless);
        EXPECT_EQ(state.selectedMvHash, r.mv);
    }
}

TEST_F(ListCommandsTest, LocalListMenuOpensWithoutARowWithOnlyRefreshUsable) {
    Open();
    Context().tables.localSongs.AppendRow({L"1", L"东来东往 - 回到过去", L"mp3"});
    Pump();
    RightClick(kLocalList);
    ASSERT_EQ(menus_.shown.size(), 1u);
    EXPECT_EQ(menus_.shown[0].which, PopupMenu::Music);
    EXPECT_EQ(menus_.shown[0].entries,
              (std::vector<MenuEntryState>{{L"播放", false}, {L"停止播放", false}, {L"-", true},
                                           {L"刷新列表", true}, {L"移除", false}, {L"删除音乐", false}}));
    SelectRow(kLocalList, 0);
    RightClick(kLocalList);
    ASSERT_EQ(menus_.shown.size(), 2u);
    for (const auto& entry : menus_.shown[1].entries) EXPECT_TRUE(entry.enabled) << entry.text.size();
}

TEST_F(ListCommandsTest, MvAndDownloadMenusOpenOnlyWithACurrentRow) {
    Open();
    Context().tables.mvResults.AppendRow({L"东来东往 - 回到过去", L"高清", L"E1"});
    Context().tables.downloads.AppendRow({L"a.mp3", L"", L"", L"等待中"});
    Pump();
    RightClick(kMvList);
    RightClick(kDownloadList);
    EXPECT_TRUE(menus_.shown.empty());
    SelectRow(kMvList, 0);
    SelectRow(kDownloadList, 0);
    RightClick(kMvList);
    RightClick(kDownloadList);
    ASSERT_EQ(menus_.shown.size(), 2u);
    EXPECT_EQ(menus_.shown[0].which, PopupMenu::Video);
    EXPECT_EQ(menus_.shown[1].which, PopupMenu::Download);
    EXPECT_EQ(menus_.shown[1].entries[0], (MenuEntryState{L"继续下载", true}));
}

}  // namespace
}  // namespace apptest
