#pragma once
// Every control and menu-entry id of the main window, in one place. Control ids double as the
// WM_COMMAND ids of the buttons.
namespace app {

enum CommandId : int {
    kNoCommand = 0,

    // Controls directly on the window
    kTabs = 100,       // 选择夹1
    kStatusBar,        // 状态条1
    kOpenFolder,       // 按钮2 "打开下载目录"

    // Tab 0: song search
    kSongKeywordLabel,  // 标签4
    kSongKeyword,       // 歌手框
    kSongSearch,        // 按钮1
    kSongPagesLabel,    // 标签1
    kSongPages,         // 编辑框1
    kSongList,          // 超级列表框1
    kSongTickAll,       // 按钮_全选
    kSongInvertTicks,   // 按钮_反选
    kSongUntickAll,     // 按钮_取消
    kQualityLabel,      // 标签8
    kBatchQuality,      // 组合框1
    kSongBatch,         // 按钮_批量下载

    // Tab 1: MV search
    kMvKeywordLabel,  // 标签6
    kMvKeyword,       // 歌手框1
    kMvSearch,        // 按钮5
    kMvPagesLabel,    // 标签10
    kMvPages,         // 编辑框2
    kMvList,          // 超级列表框4
    kMvTickAll,       // 按钮_全选1
    kMvInvertTicks,   // 按钮_反选1
    kMvUntickAll,     // 按钮_取消1
    kSkipStandardMv,  // 选择框_跳过标清
    kMvBatch,         // 按钮_批量下载1

    // Tab 2 and 3
    kDownloadList,  // 超级列表框2
    kLocalList,     // 超级列表框3

    // Tab 4: usage and settings
    kUsageGroup,        // 分组框3
    kUsageLine1,        // 标签3
    kUsageLine2,        // 标签11
    kUsageLine3,        // 标签2
    kAboutLine,         // 标签5
    kVolumeGroup,       // 分组框2
    kVolumeHelp,        // 标签9
    kFolderGroup,       // 分组框1
    kFolderLabel,       // 标签7
    kFolderBox,         // 目录框
    kBrowseFolder,      // 按钮4 "..."
    kSaveSettings,      // 按钮3 "保存设置"

    // 列表菜单
    kMenuPreview = 200,     // 试听
    kMenuStopPreview,       // 停止
    kMenuRenameSong,        // 修改歌名
    kMenuDownloadStandard,  // 下载[标准]
    kMenuDownloadHigh,      // 下载[高音质]
    kMenuDownloadLossless,  // 下载[无损]
    kMenuDownloadMv,        // 下载[音乐MV]
    // 下载菜单
    kMenuResume,      // 继续下载
    kMenuPause,       // 暂停下载
    kMenuRemoveTask,  // 移除任务
    kMenuClearTasks,  // 清空任务
    // 音乐菜单
    kMenuPlay,         // 播放
    kMenuStopPlay,     // 停止播放
    kMenuRefreshList,  // 刷新列表
    kMenuRemoveSong,   // 移除
    kMenuDeleteSong,   // 删除音乐
    // 视频下载
    kMenuDownloadVideo,  // 下载
    kMenuRenameVideo,    // 修改歌名
};

// 时钟1: the preview timer's id on the main window.
constexpr unsigned kPreviewTimerId = 1;

}  // namespace app
