#pragma once
// A main window created in the test process, in a fresh run directory, with message boxes, the folder
// dialog, the shell and the popup menus replaced by recorders.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "app/app_context.h"
#include "app/main_window.h"
#include "app/prompter.h"
#include "queue/download_engine.h"
#include "support/temp_dir.h"

namespace apptest {

struct ShownMessage {
    std::wstring text;
    std::wstring title;
    UINT flags;
};

class RecordingPrompter : public app::Prompter {
public:
    // The download queue's failure box comes on an engine thread: read those through Messages().
    int ShowMessage(HWND, const std::wstring& text, const std::wstring& title, UINT flags) override {
        std::lock_guard lock(mutex_);
        messages.push_back({text, title, flags});
        return answer;
    }
    std::vector<ShownMessage> Messages() const {
        std::lock_guard lock(mutex_);
        return messages;
    }
    std::wstring BrowseFolder(HWND, const std::wstring& title) override {
        browseTitles.push_back(title);
        return browseResult;
    }
    void Explore(HWND, const std::wstring& folder) override { explored.push_back(folder); }

    int answer = IDOK;
    std::wstring browseResult;
    std::vector<ShownMessage> messages;
    std::vector<std::wstring> browseTitles;
    std::vector<std::wstring> explored;

private:
    mutable std::mutex mutex_;
};

struct MenuEntryState {
    std::wstring text;  // "-" for a separator
    bool enabled;
    bool operator==(const MenuEntryState&) const = default;
};

class RecordingMenus : public app::MenuPresenter {
public:
    void Show(app::PopupMenu which, HMENU menu, HWND) override;
    struct Shown {
        app::PopupMenu which;
        std::vector<MenuEntryState> entries;
    };
    std::vector<Shown> shown;
};

std::vector<MenuEntryState> EntriesOf(HMENU menu);

// An engine whose jobs start and then never report: the queue stays downloading until the test ends.
class SilentEngine : public queue::DownloadEngine {
public:
    downloader::JobHandle Start(const std::wstring&, const std::wstring&, int, downloader::ReportRoutine) override {
        return 7;
    }
    bool SetControl(downloader::JobHandle, int) override { return true; }
};

// Processes every message waiting for this thread.
void Pump();

// Pumps this thread's messages until `done` holds or `limit` has passed; returns whether it held.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(20));

class WindowTest : public ::testing::Test {
protected:
    void TearDown() override;

    // Creates the window; its start-up runs in the run directory prepared so far.
    void Open();
    void Close();

    app::MainWindow& Window() { return *window_; }
    app::AppContext& Context() { return *context_; }
    HWND Control(app::CommandId id) { return window_->Control(id); }
    std::wstring TextOf(app::CommandId id);
    void Click(app::CommandId id) { SendMessageW(Control(id), BM_CLICK, 0, 0); }
    void Command(app::CommandId id) { SendMessageW(window_->hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    void RightClick(app::CommandId list);
    void SelectRow(app::CommandId list, int row);
    // Adds a task and waits (bounded) until the queue reports it downloading; needs a SilentEngine.
    void StartSilentDownload();
    // From now on every title the window is given goes into titles_ (the notices among them).
    void RecordTitles();

    testing_support::TempDir dir_;
    RecordingPrompter prompter_;
    RecordingMenus menus_;
    // Set before Open to replace the segmented downloader, the player or the link resolver.
    std::unique_ptr<queue::DownloadEngine> engine_;
    app::MainWindowOptions options_{.quitOnDestroy = false};
    std::vector<std::wstring> titles_;

private:
    std::unique_ptr<app::AppContext> context_;
    std::unique_ptr<app::MainWindow> window_;
};

}  // namespace apptest
