#pragma once
// How the download queue talks to the user: title notices, the "下载失败！" box through the window's
// Prompter, and a refresh of the local song list when a download has finished.
#include <mutex>

#include "queue/queue_ui.h"

namespace library {
class LocalSongList;
}

namespace app {

class AppState;
class Prompter;

class AppQueueUi final : public queue::QueueUi {
public:
    AppQueueUi(AppState& state, library::LocalSongList& localSongs) : state_(state), localSongs_(localSongs) {}

    // The main window hands over its Prompter when it is created. The prompter must outlive the queue:
    // a failure box may still be on screen, on an engine thread, while the window goes.
    void SetPrompter(Prompter* prompter);

    void Notice(const std::wstring& text) override;
    void FailureBox() override;
    void RefreshLocalList() override;

private:
    AppState& state_;
    library::LocalSongList& localSongs_;
    std::mutex mutex_;
    Prompter* prompter_ = nullptr;  // written by the window thread, read by engine threads; guarded by mutex_
};

}  // namespace app
