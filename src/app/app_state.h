#pragma once
// The program-wide variables. They start out empty (0 or "") and get their start values when the
// main window is created. Fields that worker threads touch are atomics or sit behind a lock; the
// comment on each says who writes it.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

class HttpSession;  // the program's HTTP client; created at start-up by its own module

namespace app {

struct HotkeyRegistration {
    UINT modifiers = 0;
    UINT key = 0;
    std::wstring identifier;
    std::function<void()> routine;
};

class AppState {
public:
    // Set at program start before any worker exists; destroyed at teardown after the window is gone.
    HttpSession* httpSession = nullptr;
    // Set at program start before any worker exists; read-only afterwards.
    HANDLE processHeap = nullptr;

    // Written by the queue runner (its worker threads) and the window thread; read by all. Atomic.
    std::atomic<int> downloading{0};
    // Written and read by the queue runner and the window thread. Atomic.
    std::atomic<int> paused{0};
    // Written and read by the queue runner and the window thread. Atomic.
    std::atomic<int> currentRow{0};
    // Handle of the running download job, 1 while none was ever started. Written by the queue runner
    // and the window thread. Atomic.
    std::atomic<std::intptr_t> currentJob{0};
    // Written by the queue runner's FindWaitingRow on any thread; read by the window thread. Atomic.
    std::atomic<int> lastWaitingRow{0};
    // Written by the window thread (start-up) and the preview hotkeys (window thread); atomic for readers.
    std::atomic<int> previewVolume{0};
    // Page counter of the running search; written by search workers. Atomic.
    std::atomic<int> searchPage{0};

    // Set by the window thread during start-up before the restore worker starts; read-only afterwards.
    std::string taskFileText;

    // Window thread only.
    std::wstring upHotkeyId;
    std::wstring downHotkeyId;
    // Hash columns of the song row last right-clicked. Window thread only.
    std::wstring selectedStandardHash;
    std::wstring selectedHighHash;
    std::wstring selectedLosslessHash;
    std::wstring selectedMvHash;
    // List (1 = songs, 2 = MVs) and row the rename dialog edits. Window thread only.
    int renameList = 0;
    int renameRow = 0;
    // Hotkey registrations, windows found by the own-window lookup, and the window procedure that the
    // hotkey procedure replaced. Window thread only.
    std::vector<HotkeyRegistration> hotkeyTable;
    std::vector<HWND> windowList;
    WNDPROC previousWindowProc = nullptr;

    // The folder downloads go to, ending with "\". Written by the window thread (start-up, saving the
    // settings); read by any thread. Guarded by folderMutex_.
    std::wstring DownloadFolder() const {
        std::lock_guard lock(folderMutex_);
        return downloadFolder_;
    }
    void SetDownloadFolder(std::wstring folder) {
        std::lock_guard lock(folderMutex_);
        downloadFolder_ = std::move(folder);
    }

private:
    mutable std::mutex folderMutex_;
    std::wstring downloadFolder_;  // guarded by folderMutex_
};

}  // namespace app
