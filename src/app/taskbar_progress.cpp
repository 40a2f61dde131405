#include "app/taskbar_progress.h"

#include <shobjidl.h>

#include <algorithm>
#include <cmath>
#include <cwchar>

#include "queue/download_list.h"

namespace app {
namespace {

// "117.74MB" -> 11774; anything unreadable -> 0.
std::uint64_t Hundredths(const std::wstring& mbText) {
    wchar_t* end = nullptr;
    double mb = std::wcstod(mbText.c_str(), &end);
    if (end == mbText.c_str() || !(mb > 0)) return 0;
    return static_cast<std::uint64_t>(std::llround(mb * 100));
}

}  // namespace

TaskbarView TaskbarViewOf(bool downloading, bool paused, const std::vector<std::wstring>& currentRow) {
    TaskbarView view;
    if (currentRow.size() > queue::kStateColumn) {
        view.total = Hundredths(currentRow[queue::kTotalColumn]);
        view.done = view.total ? std::min(Hundredths(currentRow[queue::kReceivedColumn]), view.total) : 0;
    }
    if (downloading)
        view.mode = TaskbarMode::Normal;
    else if (paused)
        view.mode = TaskbarMode::Paused;
    else if (currentRow.size() > queue::kStateColumn && currentRow[queue::kStateColumn] == queue::kStateFailed)
        view.mode = TaskbarMode::Error;
    else
        view = TaskbarView{};
    return view;
}

TaskbarProgress::TaskbarProgress(HWND window) : window_(window) {
    HRESULT started = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    comStarted_ = SUCCEEDED(started);
    if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
                                reinterpret_cast<void**>(&list_)))) {
        list_ = nullptr;
        return;
    }
    if (FAILED(list_->HrInit())) {
        list_->Release();
        list_ = nullptr;
    }
}

TaskbarProgress::~TaskbarProgress() {
    if (list_) list_->Release();
    if (comStarted_) CoUninitialize();
}

UINT TaskbarProgress::ButtonCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarButtonCreated");
    return message;
}

void TaskbarProgress::Show(const TaskbarView& view) {
    if (view == shown_) return;
    shown_ = view;
    Apply();
}

void TaskbarProgress::ShowAgain() { Apply(); }

void TaskbarProgress::Apply() {
    if (!list_) return;
    const TaskbarView& view = shown_;
    // Failures are ignored: the button is a courtesy, and it may not exist yet.
    switch (view.mode) {
        case TaskbarMode::None: list_->SetProgressState(window_, TBPF_NOPROGRESS); return;
        case TaskbarMode::Normal: list_->SetProgressState(window_, TBPF_NORMAL); break;
        case TaskbarMode::Paused: list_->SetProgressState(window_, TBPF_PAUSED); break;
        case TaskbarMode::Error: list_->SetProgressState(window_, TBPF_ERROR); break;
    }
    // An error with no known size still shows a full red bar.
    if (view.total)
        list_->SetProgressValue(window_, view.done, view.total);
    else
        list_->SetProgressValue(window_, view.mode == TaskbarMode::Error ? 1 : 0, 1);
}

}  // namespace app
