#pragma once
// 音乐菜单's list commands (刷新列表, 移除, 删除音乐) over the local song list of the download folder.
namespace app {

struct AppContext;
class MainWindow;

// Refills the local song list from the current download folder on a thread of its own; returns at once.
void RefreshLocalList(AppContext& context);

void RemoveLocalSongRow(MainWindow& window);  // 移除: the selected row goes, its file stays
void DeleteLocalSong(MainWindow& window);     // 删除音乐: the selected row's file, then its row

}  // namespace app
