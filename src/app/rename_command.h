#pragma once
// 修改歌名 in 列表菜单 and in 视频下载: opens the window's rename dialog for the current row.
namespace app {

class MainWindow;

// `list` is kRenameSongList or kRenameMvList; nothing opens when that list has no current row.
void RenameResult(MainWindow& window, int list);

}  // namespace app
