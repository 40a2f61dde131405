#pragma once
// 下载菜单's commands over the download queue, and the start-up restore of the saved tasks.
namespace app {

struct AppContext;
class MainWindow;

// The task file's text, read at start-up into AppState, becomes waiting rows. Runs on a thread of its own.
void RestoreTasks(AppContext& context);

void ResumeDownload(MainWindow& window);      // 继续下载
void PauseDownload(MainWindow& window);       // 暂停下载
void RemoveSelectedTask(MainWindow& window);  // 移除任务: the current row, refused while downloading
void RemoveAllTasks(MainWindow& window);      // 清空任务

}  // namespace app
