#pragma once
// 试听 and 停止 (列表菜单), 播放 and 停止播放 (音乐菜单), the preview timer 时钟1 and the Up and Down
// volume hotkeys, all over the window's PreviewController. Window thread only.
#include "library/preview_controller.h"

namespace app {

class MainWindow;

// The controller's view of the window: its player, status bar, timer, lists and the link resolver.
library::PreviewContext MakePreviewContext(MainWindow& window, library::MediaPlayer& player);

void PreviewSong(MainWindow& window);
void StopPreview(MainWindow& window);
void PlayLocalSong(MainWindow& window);
void StopLocalPlayback(MainWindow& window);
void CheckPreviewEnd(MainWindow& window);

// Up ("001") and Down ("002") on the main window, without modifiers, calling VolumeUp and VolumeDown.
void RegisterVolumeHotkeys(MainWindow& window);

}  // namespace app
