#include "app/main_window.h"

#include <thread>

#include "app/app_messages.h"
#include "app/download_commands.h"
#include "app/enqueue_commands.h"
#include "app/link_resolution.h"
#include "app/local_song_commands.h"
#include "app/preview_commands.h"
#include "app/rename_command.h"
#include "app/search_commands.h"
#include "app/tick_commands.h"
#include "app/title_notice.h"
#include "app/window_layout.h"

namespace app {
namespace {

constexpr wchar_t kClassName[] = L"QulieMainWindow";
constexpr int kIconResource = 1;

}  // namespace

void StartWorker(std::function<void()> work) {
    std::thread([work = std::move(work)] {
        try {
            work();
        } catch (...) {
        }
    }).detach();
}

MainWindow::MainWindow(AppContext& context, Prompter& prompter, MenuPresenter& menus, MainWindowOptions options)
    : context_(context),
      prompter_(prompter),
      menuPresenter_(menus),
      options_(std::move(options)),
      hotkeys_(prompter),
      renameDialog_(context.tables.songResults, context.tables.mvResults) {
    context_.queueUi.SetMessageBoxes(&prompter_);
}

MainWindow::~MainWindow() {
    // Without its window a failed download shows no box.
    context_.queueUi.SetMessageBoxes(nullptr);
    // Destroy the window while the bindings and menus it uses still exist.
    if (hwnd()) DestroyWindow(hwnd());
}

bool MainWindow::Create(HINSTANCE instance, int show) {
    HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(kIconResource));
    if (!RegisterWindowClass(instance, kClassName, icon)) return false;
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    if (!CreateBase(kClassName, kMainTitle, style, kWindowX, kWindowY, kWindowWidth, kWindowHeight, instance))
        return false;
    ShowWindow(hwnd(), show);
    UpdateWindow(hwnd());
    return true;
}

HWND MainWindow::Control(CommandId id) const {
    auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

win::TableModel* MainWindow::ModelOf(CommandId list) {
    auto found = bindings_.find(list);
    return found == bindings_.end() ? nullptr : &found->second->Model();
}

std::wstring MainWindow::ResolveLink(const std::wstring& hash) {
    return options_.resolveSongLink ? options_.resolveSongLink(context_, hash) : ResolveSongLink(context_, hash);
}

void MainWindow::ShowTab(int tab) {
    win::TabControl(Control(kTabs)).SetCurrent(tab);
    for (const auto& def : ControlDefs())
        if (def.tab != kAlwaysShown) win::Control(Control(def.id)).Show(def.tab == tab);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == TaskbarProgress::ButtonCreatedMessage() && taskbar_) {
        taskbar_->ShowAgain();
        return 0;
    }
    switch (message) {
        case WM_CREATE:
            SetNoticeWindow(hwnd());
            BuildControls();
            BuildMenus();
            BindLists();
            StartUp();
            return 0;
        case WM_COMMAND:
            // Buttons and menu entries only; edit boxes and the drop-down box also report other events.
            // A greyed-out button may still be "clicked" by a program; it must do nothing.
            if (lParam == 0 || (HIWORD(wParam) == BN_CLICKED && IsWindowEnabled(reinterpret_cast<HWND>(lParam))))
                OnCommand(LOWORD(wParam));
            return 0;
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_TIMER:
            if (wParam == kPreviewTimerId) CheckPreviewEnd(*this);
            return 0;
        case kMsgModelChanged: {
            auto found = bindings_.find(static_cast<int>(wParam));
            if (found != bindings_.end()) found->second->Sync();
            if (wParam == kDownloadList) UpdateTaskbar();
            return 0;
        }
        case kMsgNoticeTitle: {
            std::unique_ptr<std::wstring> text(reinterpret_cast<std::wstring*>(lParam));
            if (text) SetWindowTextW(hwnd(), text->c_str());
            return 0;
        }
        case WM_DPICHANGED: {
            const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                         suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
            ApplyFont(HIWORD(wParam));
            ApplyLayout(HIWORD(wParam));
            return 0;
        }
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_DESTROY:
            OnDestroy();
            return 0;
    }
    return DefWindowProcW(hwnd(), message, wParam, lParam);
}

void MainWindow::OnCommand(int id) {
    AppTables& tables = context_.tables;
    switch (id) {
        case kOpenFolder: OpenDownloadFolder(); break;
        case kSaveSettings: SaveSettings(); break;
        case kBrowseFolder: ChooseFolder(); break;
        case kSongSearch: SearchSongs(*this); break;
        case kMvSearch: SearchMvs(*this); break;
        case kSongTickAll: TickAll(tables.songResults); break;
        case kSongInvertTicks: InvertTicks(tables.songResults); break;
        case kSongUntickAll: UntickAll(tables.songResults); break;
        case kMvTickAll: TickAll(tables.mvResults); break;
        case kMvInvertTicks: InvertTicks(tables.mvResults); break;
        case kMvUntickAll: UntickAll(tables.mvResults); break;
        case kSongBatch: DownloadSongBatch(*this); break;
        case kMvBatch: DownloadMvBatch(*this); break;
        case kMenuPreview: PreviewSong(*this); break;
        case kMenuStopPreview: StopPreview(*this); break;
        case kMenuRenameSong: RenameResult(*this, 1); break;
        case kMenuDownloadStandard: EnqueueSelectedSong(*this, Quality::Standard); break;
        case kMenuDownloadHigh: EnqueueSelectedSong(*this, Quality::High); break;
        case kMenuDownloadLossless: EnqueueSelectedSong(*this, Quality::Lossless); break;
        case kMenuDownloadMv: EnqueueSelectedSong(*this, Quality::Mv); break;
        case kMenuResume: ResumeDownload(*this); break;
        case kMenuPause: PauseDownload(*this); break;
        case kMenuRemoveTask: RemoveSelectedTask(*this); break;
        case kMenuClearTasks: RemoveAllTasks(*this); break;
        case kMenuPlay: PlayLocalSong(*this); break;
        case kMenuStopPlay: StopLocalPlayback(*this); break;
        case kMenuRefreshList: RefreshLocalList(context_); break;
        case kMenuRemoveSong: RemoveLocalSongRow(*this); break;
        case kMenuDeleteSong: DeleteLocalSong(*this); break;
        case kMenuDownloadVideo: EnqueueSelectedMv(*this); break;
        case kMenuRenameVideo: RenameResult(*this, 2); break;
        default: break;
    }
}

LRESULT MainWindow::OnNotify(const NMHDR& header) {
    const int id = static_cast<int>(header.idFrom);
    if (header.code == TCN_SELCHANGE && id == kTabs) {
        ShowTab(win::TabControl(Control(kTabs)).Current());
        return 0;
    }
    if (header.code == LVN_ITEMCHANGED) {
        auto found = bindings_.find(id);
        if (found != bindings_.end()) found->second->OnItemChanged(reinterpret_cast<const NMLISTVIEW&>(header));
        return 0;
    }
    if (header.code == NM_RCLICK) {
        switch (id) {
            case kSongList: OnSongListRightClick(); break;
            case kDownloadList: OnDownloadListRightClick(); break;
            case kLocalList: OnLocalListRightClick(); break;
            case kMvList: OnMvListRightClick(); break;
        }
    }
    return 0;
}

void MainWindow::OnClose() {
    if (context_.downloadQueue->Downloading() &&
        prompter_.ShowMessage(hwnd(), L"当前有下载任务进行中，是否退出？", L"信息：", MB_YESNO) != IDYES)
        return;
    DestroyWindow(hwnd());
}

void MainWindow::OnDestroy() {
    if (NoticeWindow() == hwnd()) SetNoticeWindow(nullptr);
    KillTimer(hwnd(), kPreviewTimerId);
    taskbar_.reset();
    // Notice texts still queued for this window would never be freed otherwise.
    MSG pending;
    while (PeekMessageW(&pending, hwnd(), kMsgNoticeTitle, kMsgNoticeTitle, PM_REMOVE))
        delete reinterpret_cast<std::wstring*>(pending.lParam);
    if (options_.quitOnDestroy) PostQuitMessage(0);
}

}  // namespace app
