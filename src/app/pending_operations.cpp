// Empty until their subsystems arrive; see pending_operations.h.
#include "app/pending_operations.h"

namespace app {

void OpenHttpSession(AppState&) {}
void DestroyHttpSession(AppState&) {}
void RegisterVolumeHotkeys(MainWindow&) {}
void RestoreTasks(AppContext&) {}
void RefreshLocalList(AppContext&) {}
void SearchSongs(MainWindow&) {}
void SearchMvs(MainWindow&) {}
void DownloadSongBatch(MainWindow&) {}
void DownloadMvBatch(MainWindow&) {}
void PreviewSong(MainWindow&) {}
void StopPreview(MainWindow&) {}
void RenameResult(MainWindow&, int) {}
void EnqueueSelectedSong(MainWindow&, Quality) {}
void EnqueueSelectedMv(MainWindow&) {}
void ResumeDownload(MainWindow&) {}
void PauseDownload(MainWindow&) {}
void RemoveSelectedTask(MainWindow&) {}
void RemoveAllTasks(MainWindow&) {}
void PlayLocalSong(MainWindow&) {}
void StopLocalPlayback(MainWindow&) {}
void RemoveLocalSongRow(MainWindow&) {}
void DeleteLocalSong(MainWindow&) {}
void CheckPreviewEnd(MainWindow&) {}

}  // namespace app
