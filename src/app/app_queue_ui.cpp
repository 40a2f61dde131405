#include "app/app_queue_ui.h"

#include "app/app_context.h"
#include "app/local_song_commands.h"
#include "app/message_boxes.h"
#include "app/title_notice.h"

namespace app {

void AppQueueUi::SetMessageBoxes(MessageBoxes* boxes) {
    std::lock_guard lock(mutex_);
    boxes_ = boxes;
}

void AppQueueUi::Notice(const std::wstring& text) { TitleNotice(text); }

void AppQueueUi::FailureBox() {
    MessageBoxes* boxes;
    {
        std::lock_guard lock(mutex_);
        boxes = boxes_;
    }
    // No owner window: the box runs on an engine thread, and an owner on the window thread would make
    // this thread wait for the window thread, which may itself be waiting for the job.
    if (boxes) boxes->ShowMessage(nullptr, queue::kFailureText, L"信息：", MB_OK);
}

void AppQueueUi::RefreshLocalList() { app::RefreshLocalList(context_); }

}  // namespace app
