// The commands that belong to the main window itself: the download-folder settings and the
// right-clicks that prepare and open the popup menus.
#include "app/main_window.h"
#include "app/settings.h"
#include "app/tick_commands.h"

namespace app {
namespace {

constexpr wchar_t kInfoTitle[] = L"信息：";

void EnableEntry(HMENU menu, CommandId id, bool enabled) {
    EnableMenuItem(menu, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

}  // namespace

void MainWindow::OpenDownloadFolder() { prompter_.Explore(hwnd(), context_.state.DownloadFolder()); }

void MainWindow::SaveSettings() {
    std::wstring folder = win::EditBox(Control(kFolderBox)).Text();
    if (folder.empty()) return;
    if (folder.back() != L'\\') folder += L'\\';

    if (!WriteDownloadFolderSetting(context_.runDirectory, folder)) {
        // Saying "saved" here would be a lie, and reading the file back could empty the folder.
        prompter_.ShowMessage(hwnd(), L"保存设置失败！", kInfoTitle, MB_ICONERROR | MB_OK);
        return;
    }
    if (!context_.downloadQueue->Downloading()) {
        std::wstring saved = ReadDownloadFolderSetting(context_.runDirectory);
        context_.state.SetDownloadFolder(saved.empty() ? folder : saved);
        context_.downloadQueue->SetDownloadFolder(context_.state.DownloadFolder());
        prompter_.ShowMessage(hwnd(), L"已保存设置，下载目录已变更！", kInfoTitle, MB_ICONINFORMATION | MB_OK);
    } else {
        prompter_.ShowMessage(hwnd(), L"已保存设置，下次运行本程序生效！", kInfoTitle, MB_ICONINFORMATION | MB_OK);
    }
}

void MainWindow::ChooseFolder() {
    win::EditBox box(Control(kFolderBox));
    box.SetText(prompter_.BrowseFolder(hwnd(), L"选择目录"));
    if (box.Text().empty()) box.SetText(context_.state.DownloadFolder());
}

void MainWindow::ShowMenu(PopupMenu menu) { menuPresenter_.Show(menu, Menu(menu), hwnd()); }

void MainWindow::OnSongListRightClick() {
    int row = List(kSongList).CurrentRow();
    if (row < 0) return;
    AppState& state = context_.state;
    win::TableModel& songs = context_.tables.songResults;
    state.selectedStandardHash = songs.Cell(row, 1);
    state.selectedHighHash = songs.Cell(row, 2);
    state.selectedLosslessHash = songs.Cell(row, 3);
    state.selectedMvHash = songs.Cell(row, 4);

    HMENU menu = Menu(PopupMenu::List);
    EnableEntry(menu, kMenuDownloadStandard, HashOffered(state.selectedStandardHash));
    EnableEntry(menu, kMenuDownloadHigh, HashOffered(state.selectedHighHash));
    EnableEntry(menu, kMenuDownloadLossless, LosslessHashOffered(state.selectedLosslessHash));
    EnableEntry(menu, kMenuDownloadMv, HashOffered(state.selectedMvHash));
    ShowMenu(PopupMenu::List);
}

void MainWindow::OnDownloadListRightClick() {
    if (List(kDownloadList).CurrentRow() < 0) return;
    EnableEntry(Menu(PopupMenu::Download), kMenuResume, context_.downloadQueue->ResumeEntryEnabled());
    ShowMenu(PopupMenu::Download);
}

void MainWindow::OnLocalListRightClick() {
    library::MusicMenuState enabled = library::MusicMenuEnabling(List(kLocalList).CurrentRow() >= 0);
    HMENU menu = Menu(PopupMenu::Music);
    EnableEntry(menu, kMenuPlay, enabled.play);
    EnableEntry(menu, kMenuStopPlay, enabled.stopPlay);
    EnableEntry(menu, kMenuRefreshList, enabled.refresh);
    EnableEntry(menu, kMenuRemoveSong, enabled.remove);
    EnableEntry(menu, kMenuDeleteSong, enabled.deleteSong);
    ShowMenu(PopupMenu::Music);
}

void MainWindow::OnMvListRightClick() {
    if (List(kMvList).CurrentRow() >= 0) ShowMenu(PopupMenu::Video);
}

}  // namespace app
