#pragma once
// Everything the program owns for its whole run: the run directory, the program-wide state, the four
// tables behind the list views, the endpoint settings, the one HTTP session, the download queue with its
// task file and engine, and the local song list. It outlives the main window.
#include <memory>
#include <string>

#include "app/app_queue_ui.h"
#include "app/app_state.h"
#include "app/background_jobs.h"
#include "app/search_state.h"
#include "app/settings.h"
#include "http/http_session.h"
#include "library/local_song_list.h"
#include "queue/download_engine.h"
#include "queue/download_queue.h"
#include "queue/task_file.h"
#include "win/table_model.h"
#include "win/worker_threads.h"

namespace app {

struct AppTables {
    win::TableModel songResults{5, true};  // SongResultList: 歌名, 标准, 高质, 无损, 视频
    win::TableModel mvResults{3, true};    // MvResultList: 歌名, 质量, HASH
    win::TableModel downloads{6};          // DownloadList: 文件名, 总大小, 已下载, 状态, 地址, 任务句柄
    win::TableModel localSongs{3};         // LocalSongList: 序号, 歌曲名称, 类别
};

struct AppContext {
    // `engine` replaces the segmented downloader (tests); null means the real one.
    explicit AppContext(std::wstring runDir, std::unique_ptr<queue::DownloadEngine> engine = nullptr);
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    // The folder that holds test.ini, 下载任务.txt and (by default) Mymp3; no trailing "\".
    // Set before the window exists; read-only afterwards.
    const std::wstring runDirectory;
    AppState state;
    AppTables tables;
    // Read by the window thread during start-up, before any worker starts; read-only afterwards.
    Endpoints endpoints;
    // The program's one HTTP client, opened with its user agent here and torn down with the context.
    // Every open–send–read on it holds its own lock, so any thread may use it.
    http::HttpSession http;
    SearchState search{tables.songResults, tables.mvResults};

    // The members below are declared in the order they depend on each other, so they go in the reverse:
    // the queue first (its threads joined, late reports shut out), then what its reports use.
    queue::TaskFile taskFile;  // runDirectory + "\下载任务.txt"
    std::unique_ptr<queue::DownloadEngine> downloadEngine;
    library::LocalSongList localSongs;  // over tables.localSongs
    AppQueueUi queueUi;
    // Owns the queue's state (downloading, paused, current row and job); the download folder it uses is
    // fed from state.DownloadFolder() at start-up and whenever the settings change it.
    std::unique_ptr<queue::DownloadQueue> downloadQueue;
    // Start-up work on threads of its own (the restore of the saved tasks); joined first when the context
    // goes, before the tables it fills.
    win::WorkerThreads workers;
    // Keep this member last: it stops and joins the search and enqueue threads before anything they use
    // (the session, the tables, the queue) is destroyed.
    BackgroundJobs jobs;
};

}  // namespace app
