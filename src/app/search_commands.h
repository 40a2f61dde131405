#pragma once
// 按钮1 (搜索) and 按钮5 (搜索MV): one worker per result page, started 1500 ms apart while the window
// keeps handling its messages.
namespace app {

class MainWindow;

void SearchSongs(MainWindow& window);
void SearchMvs(MainWindow& window);

}  // namespace app
