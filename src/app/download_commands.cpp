#include "app/download_commands.h"

#include "app/main_window.h"
#include "queue/task_file.h"
#include "queue/task_restore.h"

namespace app {

void RestoreTasks(AppContext& context) {
    queue::RestoreTasks(queue::DecodeTaskText(context.state.taskFileText), context.tables.downloads);
}

void ResumeDownload(MainWindow& window) { window.Context().downloadQueue->ResumeDownload(); }

void PauseDownload(MainWindow& window) { window.Context().downloadQueue->PauseDownload(); }

void RemoveSelectedTask(MainWindow& window) {
    window.Context().downloadQueue->RemoveTask(window.List(kDownloadList).CurrentRow());
}

void RemoveAllTasks(MainWindow& window) { window.Context().downloadQueue->ClearTasks(); }

}  // namespace app
