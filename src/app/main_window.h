#pragma once
// The program's one main window: five tabs of controls, four list views bound to the program's tables,
// a status bar, four popup menus, and the commands that belong to the window itself.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "app/app_context.h"
#include "app/command_ids.h"
#include "app/hotkeys.h"
#include "app/list_binding.h"
#include "app/prompter.h"
#include "app/rename_dialog.h"
#include "app/taskbar_progress.h"
#include "app/window_base.h"
#include "library/media_player.h"
#include "library/preview_controller.h"
#include "win/controls.h"
#include "win/handle.h"
#include "win/list_view.h"

namespace app {

struct MainWindowOptions {
    // The program ends its message loop when the window goes; tests keep their thread's queue clean.
    bool quitOnDestroy = true;
    // The player of 试听 and 播放; null makes the MCI player. Tests hand in their own.
    std::function<std::unique_ptr<library::MediaPlayer>()> makePlayer = nullptr;
    // 试听's link resolver; null means ResolveSongLink.
    std::function<std::wstring(AppContext&, const std::wstring& hash)> resolveSongLink = nullptr;
};

class MainWindow : public WindowBase {
public:
    MainWindow(AppContext& context, Prompter& prompter, MenuPresenter& menus, MainWindowOptions options = {});
    ~MainWindow() override;

    // Creates the window (its start-up runs during creation) and shows it with `show`.
    bool Create(HINSTANCE instance, int show);

    AppContext& Context() { return context_; }
    HWND Control(CommandId id) const;
    HMENU Menu(PopupMenu menu) const { return menus_[static_cast<int>(menu)].get(); }
    win::ListView List(CommandId id) const { return win::ListView(Control(id)); }
    win::TableModel* ModelOf(CommandId list);
    void ShowTab(int tab);

    // What the commands of the other files work with. Window thread only.
    library::PreviewController& Preview() { return *preview_; }
    HotkeyRegistry& Hotkeys() { return hotkeys_; }
    RenameDialog& Renamer() { return renameDialog_; }
    // The direct link of a song's standard-quality hash, "" when the resolver gives none (blocks).
    std::wstring ResolveLink(const std::wstring& hash);
    // What the taskbar button shows now.
    TaskbarView TaskbarShown() const { return taskbar_ ? taskbar_->Shown() : TaskbarView{}; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Building (main_window_build.cpp)
    void BuildControls();
    void BuildMenus();
    void BindLists();
    void ApplyLayout(UINT dpi);
    void ApplyFont(UINT dpi);

    // Window created (main_window_startup.cpp)
    void StartUp();
    void PrepareDownloadFolder();
    void StartPreview();
    void UpdateTaskbar();

    // Messages and commands (main_window.cpp)
    void OnCommand(int id);
    LRESULT OnNotify(const NMHDR& header);
    void OnClose();
    void OnDestroy();

    // The window's own commands (main_window_commands.cpp)
    void OpenDownloadFolder();
    void SaveSettings();
    void ChooseFolder();
    void OnSongListRightClick();
    void OnDownloadListRightClick();
    void OnLocalListRightClick();
    void OnMvListRightClick();
    void ShowMenu(PopupMenu menu);

    AppContext& context_;
    Prompter& prompter_;
    MenuPresenter& menuPresenter_;
    MainWindowOptions options_;
    std::map<int, HWND> controls_;
    std::array<win::UniqueMenu, 4> menus_;
    std::map<int, std::unique_ptr<ListBinding>> bindings_;
    win::UniqueFont font_;
    // Its procedure sits in front of the window's own until the window is gone (the destructor destroys
    // the window before any member goes).
    HotkeyRegistry hotkeys_;
    RenameDialog renameDialog_;
    // Made at start-up, on the window thread, which MCI and COM need.
    std::unique_ptr<library::MediaPlayer> player_;
    std::unique_ptr<library::PreviewController> preview_;
    std::unique_ptr<TaskbarProgress> taskbar_;
};

// Starts `work` on a detached thread; an exception ends that thread quietly instead of the program.
void StartWorker(std::function<void()> work);

}  // namespace app
