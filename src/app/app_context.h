#pragma once
// Everything the program owns for its whole run: the run directory, the program-wide state, the four
// tables behind the list views and the endpoint settings. It outlives the main window.
#include <string>

#include "app/app_state.h"
#include "app/settings.h"
#include "win/table_model.h"

namespace app {

struct AppTables {
    win::TableModel songResults{5, true};  // SongResultList: 歌名, 标准, 高质, 无损, 视频
    win::TableModel mvResults{3, true};    // MvResultList: 歌名, 质量, HASH
    win::TableModel downloads{6};          // DownloadList: 文件名, 总大小, 已下载, 状态, 地址, 任务句柄
    win::TableModel localSongs{3};         // LocalSongList: 序号, 歌曲名称, 类别
};

struct AppContext {
    explicit AppContext(std::wstring runDir) : runDirectory(std::move(runDir)) {}
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    // The folder that holds test.ini, 下载任务.txt and (by default) Mymp3; no trailing "\".
    // Set before the window exists; read-only afterwards.
    const std::wstring runDirectory;
    AppState state;
    AppTables tables;
    // Read by the window thread during start-up, before any worker starts; read-only afterwards.
    Endpoints endpoints;
};

}  // namespace app
