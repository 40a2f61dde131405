#pragma once
// How the download queue talks to the user: title notices, the "下载失败！" box through the window's
// Prompter, and a refresh of the local song list when a download has finished.
#include <mutex>

#include "queue/queue_ui.h"

namespace app {

struct AppContext;
class MessageBoxes;

class AppQueueUi final : public queue::QueueUi {
public:
    explicit AppQueueUi(AppContext& context) : context_(context) {}

    // The main window hands over its Prompter when it is made and takes it back when it goes. A failure
    // box may still be on screen, on an engine thread, after that: the boxes must outlive the window.
    void SetMessageBoxes(MessageBoxes* boxes);

    void Notice(const std::wstring& text) override;
    void FailureBox() override;
    void RefreshLocalList() override;

private:
    AppContext& context_;
    std::mutex mutex_;
    MessageBoxes* boxes_ = nullptr;  // written by the window thread, read by engine threads; guarded by mutex_
};

}  // namespace app
