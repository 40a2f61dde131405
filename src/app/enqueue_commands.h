#pragma once
// The window's ways into enqueueing: 下载[…] of 列表菜单 (on the window thread), 下载 of 视频下载 and the
// two 批量下载 buttons (each on a thread of its own). What the workers need of the window's controls is
// read on the window thread before they start.
#include "app/enqueue.h"

namespace app {

class MainWindow;
struct AppContext;

// Enqueueing over the program's own pieces: the link resolver on its session, its download queue, title
// notices, and its background jobs' stop.
Enqueuer ProgramEnqueuer(AppContext& context);

void EnqueueSelectedSong(MainWindow& window, Quality quality);
void EnqueueSelectedMv(MainWindow& window);
void DownloadSongBatch(MainWindow& window);
void DownloadMvBatch(MainWindow& window);

}  // namespace app
