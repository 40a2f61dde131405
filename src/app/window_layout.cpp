#include "app/window_layout.h"

#include <iterator>

namespace app {

const wchar_t* const kTabTitles[kTabCount] = {L"搜索歌曲", L"搜索MV", L"下载列表", L"歌曲列表", L"使用说明"};

namespace {

using K = ControlKind;

// Group box 分组框1 sits at 12, 326; its controls are placed relative to it.
constexpr int kFolderGroupX = 12, kFolderGroupY = 326;

const ControlDef kControls[] = {
    {kTabs, K::Tabs, kAlwaysShown, 0, 0, 480, 456, L""},
    {kStatusBar, K::StatusBar, kAlwaysShown, 0, 456, 380, 20, L""},
    {kOpenFolder, K::Button, kAlwaysShown, 325, 0, 80, 20, L"打开下载目录"},

    {kSongKeywordLabel, K::Label, 0, 8, 29, 80, 24, L"歌手/歌曲名："},
    {kSongKeyword, K::Edit, 0, 91, 29, 128, 24, L"东来东往"},
    {kSongSearch, K::Button, 0, 228, 29, 72, 24, L"搜索"},
    {kSongPagesLabel, K::Label, 0, 312, 29, 57, 24, L"搜索页数："},
    {kSongPages, K::Edit, 0, 369, 29, 34, 24, L"3"},
    {kSongList, K::TickList, 0, 0, 57, 456, 367, L""},
    {kSongTickAll, K::Button, 0, 5, 428, 51, 20, L"全选"},
    {kSongInvertTicks, K::Button, 0, 62, 428, 51, 20, L"反选"},
    {kSongUntickAll, K::Button, 0, 119, 428, 51, 20, L"取消"},
    {kQualityLabel, K::Label, 0, 189, 428, 78, 20, L"选择音质类别："},
    {kBatchQuality, K::ComboBox, 0, 274, 428, 64, 20, L""},
    {kSongBatch, K::Button, 0, 345, 428, 64, 20, L"批量下载"},

    {kMvKeywordLabel, K::Label, 1, 8, 29, 80, 24, L"歌手/歌曲名："},
    {kMvKeyword, K::Edit, 1, 91, 29, 128, 24, L"东来东往"},
    {kMvSearch, K::Button, 1, 228, 29, 72, 24, L"搜索MV"},
    {kMvPagesLabel, K::Label, 1, 312, 29, 57, 24, L"搜索页数："},
    {kMvPages, K::Edit, 1, 369, 29, 34, 24, L"1"},
    {kMvList, K::TickList, 1, 1, 57, 455, 367, L""},
    {kMvTickAll, K::Button, 1, 5, 428, 51, 20, L"全选"},
    {kMvInvertTicks, K::Button, 1, 62, 428, 51, 20, L"反选"},
    {kMvUntickAll, K::Button, 1, 119, 428, 51, 20, L"取消"},
    {kSkipStandardMv, K::CheckBox, 1, 187, 431, 133, 16, L"批量下载时跳过标清"},
    {kMvBatch, K::Button, 1, 343, 428, 64, 20, L"批量下载"},

    {kDownloadList, K::List, 2, 0, 25, 456, 423, L""},
    {kLocalList, K::List, 3, 0, 25, 456, 423, L""},

    {kUsageGroup, K::GroupBox, 4, 12, 26, 392, 182, L"使用说明"},
    {kUsageLine1, K::Label, 4, 24, 50, 368, 20, L"批量下载高质/无损音质/及匹配的MV"},
    {kUsageLine2, K::Label, 4, 24, 80, 368, 20, L"提示：韩国歌曲名称显示“?”乱码 请修改名称后下载"},
    {kUsageLine3, K::Label, 4, 24, 110, 368, 40, L"本程序绿色无广告无毒 360纯属误报 建议从作者获取下载 防止他人挂马"},
    {kAboutLine, K::Label, 4, 24, 165, 368, 20, L"曲猎v1.6  作者：曲猎工作室  发布日期：2026年12月"},
    {kVolumeGroup, K::GroupBox, 4, 12, 222, 392, 72, L"试听音乐-音量调节"},
    {kVolumeHelp, K::Label, 4, 24, 250, 368, 20, L"↑ 增加试听音量     ↓ 减少试听音量"},
    {kFolderGroup, K::GroupBox, 4, kFolderGroupX, kFolderGroupY, 392, 64, L"设置下载保存目录"},
    {kFolderLabel, K::Label, 4, kFolderGroupX + 13, kFolderGroupY + 24, 56, 24, L"下载目录："},
    {kFolderBox, K::Edit, 4, kFolderGroupX + 74, kFolderGroupY + 24, 197, 24, L""},
    {kBrowseFolder, K::Button, 4, kFolderGroupX + 272, kFolderGroupY + 24, 32, 24, L"..."},
    {kSaveSettings, K::Button, 4, kFolderGroupX + 321, kFolderGroupY + 24, 56, 24, L"保存设置"},
};

// Width 1 keeps a column (the hashes, the link, the job handle) in the table while hiding it.
const ColumnDef kSongColumns[] = {
    {L"歌名", 415, false}, {L"标准", 1, false}, {L"高质", 1, false}, {L"无损", 1, false}, {L"视频", 1, false}};
const ColumnDef kMvColumns[] = {{L"歌名", 350, false}, {L"质量", 50, true}, {L"HASH", 1, false}};
const ColumnDef kDownloadColumns[] = {{L"文件名", 240, false}, {L"总大小", 60, true}, {L"已下载", 60, true},
                                       {L"状态", 50, true},     {L"地址", 1, false},    {L"任务句柄", 1, false}};
const ColumnDef kLocalColumns[] = {{L"序号", 40, false}, {L"歌曲名称", 320, false}, {L"类别", 50, true}};

const MenuEntry kListMenu[] = {
    {L"试听", kMenuPreview},           {L"停止", kMenuStopPreview},        {nullptr, kNoCommand},
    {L"修改歌名", kMenuRenameSong},    {nullptr, kNoCommand},              {L"下载[标准]", kMenuDownloadStandard},
    {L"下载[高音质]", kMenuDownloadHigh}, {L"下载[无损]", kMenuDownloadLossless}, {L"下载[音乐MV]", kMenuDownloadMv},
};
const MenuEntry kDownloadMenu[] = {{L"继续下载", kMenuResume}, {L"暂停下载", kMenuPause}, {nullptr, kNoCommand},
                                   {L"移除任务", kMenuRemoveTask}, {L"清空任务", kMenuClearTasks}};
const MenuEntry kMusicMenu[] = {{L"播放", kMenuPlay},         {L"停止播放", kMenuStopPlay},
                                {nullptr, kNoCommand},        {L"刷新列表", kMenuRefreshList},
                                {L"移除", kMenuRemoveSong},   {L"删除音乐", kMenuDeleteSong}};
const MenuEntry kVideoMenu[] = {{L"下载", kMenuDownloadVideo}, {nullptr, kNoCommand}, {L"修改歌名", kMenuRenameVideo}};

}  // namespace

const int kStatusCellWidths[5] = {30, 325, 30, 30, 50};
const wchar_t* const kStatusCellTexts[5] = {L"状态", L"等待选择试听歌曲", L"音量", L"50", L""};
const wchar_t* const kQualityItems[4] = {L"标准", L"高音质", L"无损", L"音乐MV"};

std::span<const ControlDef> ControlDefs() { return kControls; }

const ControlDef* FindControlDef(CommandId id) {
    for (const auto& def : kControls)
        if (def.id == id) return &def;
    return nullptr;
}

std::span<const ColumnDef> ColumnDefs(CommandId list) {
    switch (list) {
        case kSongList: return kSongColumns;
        case kMvList: return kMvColumns;
        case kDownloadList: return kDownloadColumns;
        case kLocalList: return kLocalColumns;
        default: return {};
    }
}

std::span<const MenuEntry> MenuEntries(PopupMenu menu) {
    switch (menu) {
        case PopupMenu::List: return kListMenu;
        case PopupMenu::Download: return kDownloadMenu;
        case PopupMenu::Music: return kMusicMenu;
        case PopupMenu::Video: return kVideoMenu;
    }
    return {};
}

}  // namespace app
