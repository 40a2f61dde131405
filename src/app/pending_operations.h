#pragma once
// Operations the shell calls whose work belongs to other subsystems that have not joined the program
// yet. Each one does nothing for now; the subsystem that owns it replaces the empty body with the real
// operation (and may change the signature with it).
#include "app/app_context.h"

namespace app {

class MainWindow;

enum class Quality { Standard, High, Lossless, Mv };  // 标准, 高音质, 无损, 音乐MV

// Program start and teardown: the one HTTP client object.
void OpenHttpSession(AppState& state);
void DestroyHttpSession(AppState& state);

// Searches (按钮1, 按钮5) and batches (按钮_批量下载, 按钮_批量下载1).
void SearchSongs(MainWindow& window);
void SearchMvs(MainWindow& window);
void DownloadSongBatch(MainWindow& window);
void DownloadMvBatch(MainWindow& window);

// 列表菜单 and 视频下载.
void EnqueueSelectedSong(MainWindow& window, Quality quality);
void EnqueueSelectedMv(MainWindow& window);

}  // namespace app
