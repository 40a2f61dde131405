#include "app/app_queue_ui.h"

#include "app/app_state.h"
#include "app/prompter.h"
#include "app/title_notice.h"
#include "library/local_song_list.h"

namespace app {

void AppQueueUi::SetPrompter(Prompter* prompter) {
    std::lock_guard lock(mutex_);
    prompter_ = prompter;
}

void AppQueueUi::Notice(const std::wstring& text) { TitleNotice(text); }

void AppQueueUi::FailureBox() {
    Prompter* prompter;
    {
        std::lock_guard lock(mutex_);
        prompter = prompter_;
    }
    // No owner window: the box runs on an engine thread, and an owner on the window thread would make
    // that thread wait for the window thread, which may itself be waiting for the job.
    if (prompter) prompter->ShowMessage(nullptr, queue::kFailureText, L"信息：", MB_OK);
}

void AppQueueUi::RefreshLocalList() { localSongs_.StartRefresh(state_.DownloadFolder()); }

}  // namespace app
