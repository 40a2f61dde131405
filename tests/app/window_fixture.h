#pragma once
// A main window created in the test process, in a fresh run directory, with message boxes, the folder
// dialog, the shell and the popup menus replaced by recorders.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/app_context.h"
#include "app/main_window.h"
#include "app/prompter.h"
#include "support/temp_dir.h"

namespace apptest {

struct ShownMessage {
    std::wstring text;
    std::wstring title;
    UINT flags;
};

class RecordingPrompter : public app::Prompter {
public:
    int ShowMessage(HWND, const std::wstring& text, const std::wstring& title, UINT flags) override {
        messages.push_back({text, title, flags});
        return answer;
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

// Processes every message waiting for this thread.
void Pump();

class WindowTest : public ::testing::Test {
protected:
    void TearDown() override { Close(); }

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

    testing_support::TempDir dir_;
    RecordingPrompter prompter_;
    RecordingMenus menus_;

private:
    std::unique_ptr<app::AppContext> context_;
    std::unique_ptr<app::MainWindow> window_;
};

}  // namespace apptest
