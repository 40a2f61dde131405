#pragma once
// The program-wide variables. They start out empty (0 or "") and get their start values when the
// main window is created. Fields that worker threads touch are atomics or sit behind a lock; the
// comment on each says who writes it.
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>

namespace app {

class AppState {
public:
    // Set at program start before any worker exists; read-only afterwards.
    HANDLE processHeap = nullptr;

    // Written by the window thread (start-up) and the preview hotkeys (window thread). Window thread only.
    int previewVolume = 0;
    // The page the newest search starts next. Each page's worker is handed its number when it starts;
    // this only tells where the search stands. Written by the window thread; atomic for readers.
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
    // The rename dialog keeps the list and row it edits, and the hotkey registry its registrations and
    // the window procedure it replaced; both belong to the main window.

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
