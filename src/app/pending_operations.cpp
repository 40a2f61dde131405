// Empty until their subsystems arrive; see pending_operations.h.
#include "app/pending_operations.h"

namespace app {

void OpenHttpSession(AppState&) {}
void DestroyHttpSession(AppState&) {}
void SearchSongs(MainWindow&) {}
void SearchMvs(MainWindow&) {}
void DownloadSongBatch(MainWindow&) {}
void DownloadMvBatch(MainWindow&) {}
void EnqueueSelectedSong(MainWindow&, Quality) {}
void EnqueueSelectedMv(MainWindow&) {}

}  // namespace app
