#include "app/title_notice.h"

#include <atomic>
#include <memory>

#include "app/app_messages.h"
#include "win/handle.h"

namespace app {

const wchar_t kMainTitle[] = L"曲猎v1.6 [高音质/无损音质/MV]";

namespace {

// Written by the window thread when the main window is created and destroyed; read by any thread.
std::atomic<HWND> noticeWindow{nullptr};

constexpr DWORD kNoticeMilliseconds = 1000;

bool OnWindowThread(HWND window) { return GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId(); }

// The window thread takes ownership of the text; if the post fails nobody will, so free it here.
void PostTitle(HWND window, const std::wstring& text) {
    auto copy = std::make_unique<std::wstring>(text);
    if (PostMessageW(window, kMsgNoticeTitle, 0, reinterpret_cast<LPARAM>(copy.get()))) copy.release();
}

long long MillisecondsPerUnit(int unit) {
    switch (unit) {
        case 1: return 1000;
        case 2: return 60'000;
        case 3: return 3'600'000;
        default: return 1;
    }
}

}  // namespace

void SetNoticeWindow(HWND window) { noticeWindow.store(window); }
HWND NoticeWindow() { return noticeWindow.load(); }

void TitleNotice(const std::wstring& text) {
    HWND window = noticeWindow.load();
    if (!window) return;
    if (OnWindowThread(window)) {
        SetWindowTextW(window, text.c_str());
        PumpingWait(kNoticeMilliseconds);
        SetWindowTextW(window, kMainTitle);
        return;
    }
    PostTitle(window, text);
    Sleep(kNoticeMilliseconds);
    PostTitle(window, kMainTitle);
}

bool PumpingWait(long long duration, int unit) {
    win::UniqueKernelHandle timer(CreateWaitableTimerW(nullptr, FALSE, nullptr));
    if (!timer) return false;
    LARGE_INTEGER due;
    due.QuadPart = -(duration * MillisecondsPerUnit(unit) * 10'000);
    if (!SetWaitableTimer(timer.get(), &due, 0, nullptr, nullptr, FALSE)) return false;

    bool quit = false;
    WPARAM quitCode = 0;
    HANDLE handles[] = {timer.get()};
    for (;;) {
        DWORD woke = MsgWaitForMultipleObjects(1, handles, FALSE, INFINITE, QS_ALLINPUT);
        if (woke == WAIT_OBJECT_0) break;
        if (woke != WAIT_OBJECT_0 + 1) return false;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                // Keep the quit for the real message loop, after the wait.
                quit = true;
                quitCode = msg.wParam;
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (quit) PostQuitMessage(static_cast<int>(quitCode));
    return true;
}

}  // namespace app
