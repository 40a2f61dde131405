#pragma once
// What the queue tells the user, and the one thing it asks of the rest of the program. The window
// implements it; tests record the calls. The queue never calls it while holding one of its locks.
#include <string>

namespace queue {

constexpr wchar_t kFailureText[] = L"下载失败！";
constexpr wchar_t kNoticePaused[] = L"已暂停下载";
constexpr wchar_t kNoticeResumed[] = L"已继续下载";
constexpr wchar_t kNoticeRefused[] = L"下载状态操作无效";

class QueueUi {
public:
    virtual ~QueueUi() = default;
    // A one-second title notice. May be called on any thread.
    virtual void Notice(const std::wstring& text) = 0;
    // The "下载失败！" box. Called on an engine thread; the queue has already moved on to the next task.
    virtual void FailureBox() = 0;
    // Starts a refresh of the local song list on a thread of its own (a download has finished).
    virtual void RefreshLocalList() = 0;
};

}  // namespace queue
