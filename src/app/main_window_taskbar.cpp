// The taskbar button follows the download queue each time the download list's model has changed.
#include "app/main_window.h"

namespace app {

void MainWindow::UpdateTaskbar() {
    if (!taskbar_) return;
    queue::DownloadQueue& queue = *context_.downloadQueue;
    int row = queue.CurrentRow();
    taskbar_->Show(TaskbarViewOf(queue.Downloading(), queue.Paused(),
                                 row >= 0 ? context_.tables.downloads.Row(row) : std::vector<std::wstring>{}));
}

}  // namespace app
