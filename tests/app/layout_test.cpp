// The main window as laid out at 96 DPI: every control's text, place and size, tabs, columns, menus,
// and what is enabled at start.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "app/title_notice.h"
#include "win/controls.h"
#include "win/list_view.h"
#include "window_fixture.h"

namespace apptest {
namespace {

using namespace app;

struct Expected {
    CommandId id;
    const char* name;
    int tab;  // -1: on the window
    int x, y, width, height;
    const wchar_t* text;
};

// Positions relative to the tab control; the folder controls sit in 分组框1 at 12, 326.
const Expected kExpected[] = {
    {kTabs, "选择夹1", -1, 0, 0, 480, 456, nullptr},
    {kStatusBar, "状态条1", -1, 0, 456, 380, 20, nullptr},
    {kOpenFolder, "按钮2", -1, 325, 0, 80, 20, L"打开下载目录"},
    {kSongKeywordLabel, "标签4", 0, 8, 29, 80, 24, L"歌手/歌曲名："},
    {kSongKeyword, "歌手框", 0, 91, 29, 128, 24, L"东来东往"},
    {kSongSearch, "按钮1", 0, 228, 29, 72, 24, L"搜索"},
    {kSongPagesLabel, "标签1", 0, 312, 29, 57, 24, L"搜索页数："},
    {kSongPages, "编辑框1", 0, 369, 29, 34, 24, L"3"},
    {kSongList, "超级列表框1", 0, 0, 57, 456, 367, nullptr},
    {kSongTickAll, "按钮_全选", 0, 5, 428, 51, 20, L"全选"},
    {kSongInvertTicks, "按钮_反选", 0, 62, 428, 51, 20, L"反选"},
    {kSongUntickAll, "按钮_取消", 0, 119, 428, 51, 20, L"取消"},
    {kQualityLabel, "标签8", 0, 189, 428, 78, 20, L"选择音质类别："},
    {kBatchQuality, "组合框1", 0, 274, 428, 64, 20, nullptr},
    {kSongBatch, "按钮_批量下载", 0, 345, 428, 64, 20, L"批量下载"},
    {kMvKeywordLabel, "标签6", 1, 8, 29, 80, 24, L"歌手/歌曲名："},
    {kMvKeyword, "歌手框1", 1, 91, 29, 128, 24, L"东来东往"},
    {kMvSearch, "按钮5", 1, 228, 29, 72, 24, L"搜索MV"},
    {kMvPagesLabel, "标签10", 1, 312, 29, 57, 24, L"搜索页数："},
    {kMvPages, "编辑框2", 1, 369, 29, 34, 24, L"1"},
    {kMvList, "超级列表框4", 1, 1, 57, 455, 367, nullptr},
    {kMvTickAll, "按钮_全选1", 1, 5, 428, 51, 20, L"全选"},
    {kMvInvertTicks, "按钮_反选1", 1, 62, 428, 51, 20, L"反选"},
    {kMvUntickAll, "按钮_取消1", 1, 119, 428, 51, 20, L"取消"},
    {kSkipStandardMv, "选择框_跳过标清", 1, 187, 431, 133, 16, L"批量下载时跳过标清"},
    {kMvBatch, "按钮_批量下载1", 1, 343, 428, 64, 20, L"批量下载"},
    {kDownloadList, "超级列表框2", 2, 0, 25, 456, 423, nullptr},
    {kLocalList, "超级列表框3", 3, 0, 25, 456, 423, nullptr},
    {kUsageGroup, "分组框3", 4, 12, 26, 392, 182, L"使用说明"},
    {kVolumeGroup, "分组框2", 4, 12, 222, 392, 72, L"试听音乐-音量调节"},
    {kFolderGroup, "分组框1", 4, 12, 326, 392, 64, L"设置下载保存目录"},
    {kFolderLabel, "标签7", 4, 12 + 13, 326 + 24, 56, 24, L"下载目录："},
    {kFolderBox, "目录框", 4, 12 + 74, 326 + 24, 197, 24, nullptr},
    {kBrowseFolder, "按钮4", 4, 12 + 272, 326 + 24, 32, 24, L"..."},
    {kSaveSettings, "按钮3", 4, 12 + 321, 326 + 24, 56, 24, L"保存设置"},
};

// The usage labels have no fixed place; they must sit inside their group box.
const std::pair<CommandId, const wchar_t*> kUsageLabels[] = {
    {kUsageLine1, L"批量下载高质/无损音质/及匹配的MV"},
    {kUsageLine2, L"提示：韩国歌曲名称显示“?”乱码 请修改名称后下载"},
    {kUsageLine3, L"本程序绿色无广告无毒 360纯属误报 建议从作者获取下载 防止他人挂马"},
    {kVolumeHelp, L"↑ 增加试听音量     ↓ 减少试听音量"},
};

class LayoutTest : public WindowTest {
protected:
    RECT RectOnTabs(CommandId id) {
        RECT rect;
        GetWindowRect(Control(id), &rect);
        MapWindowPoints(HWND_DESKTOP, Control(kTabs), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    bool Visible(CommandId id) { return (GetWindowLongW(Control(id), GWL_STYLE) & WS_VISIBLE) != 0; }
    void SelectTab(int tab) {
        TabCtrl_SetCurSel(Control(kTabs), tab);
        NMHDR change{Control(kTabs), static_cast<UINT_PTR>(kTabs), static_cast<UINT>(TCN_SELCHANGE)};
        SendMessageW(Window().hwnd(), WM_NOTIFY, kTabs, reinterpret_cast<LPARAM>(&change));
    }
};

TEST_F(LayoutTest, WindowTitlePlaceAndSize) {
    Open();
    ASSERT_EQ(GetDpiForWindow(Window().hwnd()), 96u);
    EXPECT_EQ(win::WindowText(Window().hwnd()), L"曲猎v1.6 [高音质/无损音质/MV]");
    RECT rect;
    GetWindowRect(Window().hwnd(), &rect);
    EXPECT_EQ(rect.left, 50);
    EXPECT_EQ(rect.top, 50);
    EXPECT_EQ(rect.right - rect.left, 423);
    EXPECT_EQ(rect.bottom - rect.top, 500);
    EXPECT_EQ(GetMenu(Window().hwnd()), nullptr);
}

TEST_F(LayoutTest, EveryControlHasItsTextPlaceAndSize) {
    Open();
    for (const auto& e : kExpected) {
        SCOPED_TRACE(e.name);
        ASSERT_NE(Control(e.id), nullptr);
        RECT rect = RectOnTabs(e.id);
        EXPECT_EQ(rect.left, e.x);
        EXPECT_EQ(rect.top, e.y);
        EXPECT_EQ(rect.right - rect.left, e.width);
        EXPECT_EQ(rect.bottom - rect.top, e.height);
        if (e.text) {
            EXPECT_EQ(TextOf(e.id), e.text);
        }
    }
    RECT usage = RectOnTabs(kUsageGroup), volume = RectOnTabs(kVolumeGroup);
    for (auto [id, text] : kUsageLabels) {
        EXPECT_EQ(TextOf(id), text);
        RECT label = RectOnTabs(id), group = id == kVolumeHelp ? volume : usage;
        EXPECT_TRUE(label.left >= group.left && label.right <= group.right && label.top >= group.top &&
                    label.bottom <= group.bottom)
            << TextOf(id).size();
    }
    EXPECT_EQ(TextOf(kAboutLine).rfind(L"曲猎v1.6", 0), 0u);
}

TEST_F(LayoutTest, FiveTabsEachShowOnlyTheirControls) {
    Open();
    win::TabControl tabs(Control(kTabs));
    const wchar_t* titles[] = {L"搜索歌曲", L"搜索MV", L"下载列表", L"歌曲列表", L"使用说明"};
    ASSERT_EQ(tabs.Count(), 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(tabs.Title(i), titles[i]);
    EXPECT_EQ(tabs.Current(), 0);

    for (int tab : {0, 3, 1, 4, 2, 0}) {
        if (tab != 0 || tabs.Current() != 0) SelectTab(tab);
        for (const auto& e : kExpected) EXPECT_EQ(Visible(e.id), e.tab == -1 || e.tab == tab) << e.name << tab;
        for (auto [id, text] : kUsageLabels) EXPECT_EQ(Visible(id), tab == 4);
    }
}

TEST_F(LayoutTest, ListColumnsAndTickBoxes) {
    Open();
    struct Column {
        const wchar_t* title;
        int width;
        int format;
    };
    const int L = LVCFMT_LEFT, C = LVCFMT_CENTER;
    const std::vector<std::pair<CommandId, std::vector<Column>>> lists = {
        {kSongList, {{L"歌名", 415, L}, {L"标准", 1, L}, {L"高质", 1, L}, {L"无损", 1, L}, {L"视频", 1, L}}},
        {kMvList, {{L"歌名", 350, L}, {L"质量", 50, C}, {L"HASH", 1, L}}},
        {kDownloadList,
         {{L"文件名", 240, L}, {L"总大小", 60, C}, {L"已下载", 60, C}, {L"状态", 50, C}, {L"地址", 1, L},
          {L"任务句柄", 1, L}}},
        {kLocalList, {{L"序号", 40, L}, {L"歌曲名称", 320, L}, {L"类别", 50, C}}},
    };
    for (const auto& [id, columns] : lists) {
        win::ListView list(Control(id));
        ASSERT_EQ(list.ColumnCount(), static_cast<int>(columns.size()));
        for (int i = 0; i < list.ColumnCount(); ++i) {
            EXPECT_EQ(list.ColumnTitle(i), columns[i].title);
            EXPECT_EQ(list.ColumnWidth(i), columns[i].width) << columns[i].title;
            EXPECT_EQ(list.ColumnFormat(i), columns[i].format) << columns[i].title;
        }
        EXPECT_EQ(GetWindowLongW(list.hwnd(), GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
        bool ticks = (list.ExtendedStyle() & LVS_EX_CHECKBOXES) != 0;
        EXPECT_EQ(ticks, id == kSongList || id == kMvList);
    }
}

TEST_F(LayoutTest, StartingStatesOfButtonsDropDownAndCheckBox) {
    Open();
    for (CommandId id : {kSongTickAll, kSongInvertTicks, kMvTickAll, kMvInvertTicks})
        EXPECT_FALSE(IsWindowEnabled(Control(id))) << id;
    for (CommandId id : {kSongUntickAll, kSongBatch, kMvUntickAll, kMvBatch, kSongSearch, kMvSearch, kSaveSettings,
                         kBrowseFolder})
        EXPECT_TRUE(IsWindowEnabled(Control(id))) << id;

    win::ComboBox quality(Control(kBatchQuality));
    ASSERT_EQ(quality.Count(), 4);
    const wchar_t* items[] = {L"标准", L"高音质", L"无损", L"音乐MV"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(quality.ItemText(i), items[i]);
    EXPECT_EQ(quality.Current(), 0);
    EXPECT_FALSE(win::CheckBox(Control(kSkipStandardMv)).Ticked());
}

TEST_F(LayoutTest, ControlsUseTheSystemMessageFont) {
    Open();
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    for (CommandId id : {kSongSearch, kFolderLabel, kSongList}) {
        auto font = reinterpret_cast<HFONT>(SendMessageW(Control(id), WM_GETFONT, 0, 0));
        ASSERT_NE(font, nullptr);
        LOGFONTW used{};
        GetObjectW(font, sizeof(used), &used);
        EXPECT_STREQ(used.lfFaceName, metrics.lfMessageFont.lfFaceName);
        EXPECT_EQ(used.lfHeight, metrics.lfMessageFont.lfHeight);
    }
}

// Moving to a 144 DPI monitor scales places, sizes and visible columns by 1.5; hidden columns stay 1.
TEST_F(LayoutTest, DpiChangeScalesTheLayout) {
    Open();
    RECT suggested{75, 75, 75 + 635, 75 + 750};
    SendMessageW(Window().hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    RECT window;
    GetWindowRect(Window().hwnd(), &window);
    EXPECT_EQ(window.right - window.left, 635);
    EXPECT_EQ(window.bottom - window.top, 750);
    struct Scaled {
        CommandId id;
        int x, y, width, height;
    };
    for (const Scaled& e : {Scaled{kOpenFolder, 488, 0, 120, 30}, Scaled{kSongList, 0, 86, 684, 551},
                            Scaled{kStatusBar, 0, 684, 570, 30}, Scaled{kBatchQuality, 411, 642, 96, 30},
                            Scaled{kSaveSettings, 500, 525, 84, 36}}) {
        RECT rect = RectOnTabs(e.id);
        EXPECT_EQ(rect.left, e.x) << e.id;
        EXPECT_EQ(rect.top, e.y) << e.id;
        EXPECT_EQ(rect.right - rect.left, e.width) << e.id;
        EXPECT_EQ(rect.bottom - rect.top, e.height) << e.id;
    }
    win::ListView songs(Control(kSongList));
    EXPECT_EQ(songs.ColumnWidth(0), 623);
    for (int column = 1; column < 5; ++column) EXPECT_EQ(songs.ColumnWidth(column), 1);
    EXPECT_EQ(win::StatusBar(Control(kStatusBar)).CellEdges(), (std::vector<int>{45, 533, 578, 623, 698}));
}

TEST_F(LayoutTest, PopupMenusHoldTheirEntriesInOrder) {
    Open();
    auto entries = [](std::initializer_list<const wchar_t*> texts) {
        std::vector<MenuEntryState> out;
        for (const wchar_t* t : texts) out.push_back({t, true});
        return out;
    };
    EXPECT_EQ(EntriesOf(Window().Menu(PopupMenu::List)),
              entries({L"试听", L"停止", L"-", L"修改歌名", L"-", L"下载[标准]", L"下载[高音质]", L"下载[无损]",
                       L"下载[音乐MV]"}));
    EXPECT_EQ(EntriesOf(Window().Menu(PopupMenu::Download)),
              entries({L"继续下载", L"暂停下载", L"-", L"移除任务", L"清空任务"}));
    EXPECT_EQ(EntriesOf(Window().Menu(PopupMenu::Music)),
              entries({L"播放", L"停止播放", L"-", L"刷新列表", L"移除", L"删除音乐"}));
    EXPECT_EQ(EntriesOf(Window().Menu(PopupMenu::Video)), entries({L"下载", L"-", L"修改歌名"}));
}

}  // namespace
}  // namespace apptest
