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

// Main window created: the Up and Down volume hotkeys.
void RegisterVolumeHotkeys(MainWindow& window);
// Worker threads started by the window's start-up and by 刷新列表.
void RestoreTasks(AppContext& context);
void RefreshLocalList(AppContext& context);

// Searches (按钮1, 按钮5) and batches (按钮_批量下载, 按钮_批量下载1).
void SearchSongs(MainWindow& window);
void SearchMvs(MainWindow& window);
void DownloadSongBatch(MainWindow& window);
void DownloadMvBatch(MainWindow& window);

// 列表菜单 and 视频下载.
void PreviewSong(MainWindow& window);
void StopPreview(MainWindow& window);
void RenameResult(MainWindow& window, int list);  // 1 = songs, 2 = MVs
void EnqueueSelectedSong(MainWindow& window, Quality quality);
void EnqueueSelectedMv(MainWindow& window);

// 下载菜单.
void ResumeDownload(MainWindow& window);
void PauseDownload(MainWindow& window);
void RemoveSelectedTask(MainWindow& window);
void RemoveAllTasks(MainWindow& window);

// 音乐菜单 and the preview timer 时钟1.
void PlayLocalSong(MainWindow& window);
void StopLocalPlayback(MainWindow& window);
void RemoveLocalSongRow(MainWindow& window);
void DeleteLocalSong(MainWindow& window);
void CheckPreviewEnd(MainWindow& window);

}  // namespace app
