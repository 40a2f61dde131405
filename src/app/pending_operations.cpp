// Empty until their subsystems arrive; see pending_operations.h.
#include "app/pending_operations.h"

namespace app {

void RegisterVolumeHotkeys(MainWindow&) {}
void RestoreTasks(AppContext&) {}
void RefreshLocalList(AppContext&) {}
void PreviewSong(MainWindow&) {}
void StopPreview(MainWindow&) {}
void RenameResult(MainWindow&, int) {}
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
