// What the main window does once it has been created, in this order: hotkeys, status bar, start values,
// the saved queue, the download folder, the local song list.
#include "app/download_commands.h"
#include "app/local_song_commands.h"
#include "app/main_window.h"
#include "app/preview_commands.h"
#include "app/settings.h"
#include "app/window_layout.h"
#include "library/mci_player.h"
#include "win/file_io.h"

namespace app {

void MainWindow::StartUp() {
    AppState& state = context_.state;
    StartPreview();
    state.upHotkeyId = L"001";
    state.downHotkeyId = L"002";
    RegisterVolumeHotkeys(*this);

    win::StatusBar status(Control(kStatusBar));
    for (int cell = 0; cell < 4; ++cell) status.SetCellText(cell, kStatusCellTexts[cell]);

    // The queue's own state (downloading, paused, current row and job) starts out idle with the queue.
    state.previewVolume = 50;

    state.taskFileText = win::ReadWholeFile(context_.taskFile.Path()).value_or(std::string());
    if (!state.taskFileText.empty()) context_.workers.Start([&context = context_] { RestoreTasks(context); });

    context_.endpoints = ReadEndpoints(context_.runDirectory);
    PrepareDownloadFolder();

    RefreshLocalList(context_);
    taskbar_ = std::make_unique<TaskbarProgress>(hwnd());
}

void MainWindow::StartPreview() {
    player_ = options_.makePlayer ? options_.makePlayer() : nullptr;
    if (!player_) player_ = std::make_unique<library::MciPlayer>();
    preview_ = std::make_unique<library::PreviewController>(MakePreviewContext(*this, *player_));
}

void MainWindow::PrepareDownloadFolder() {
    AppState& state = context_.state;
    std::wstring folder = ReadDownloadFolderSetting(context_.runDirectory);
    if (folder.empty()) folder = context_.runDirectory + L"\\Mymp3\\";
    state.SetDownloadFolder(folder);
    context_.downloadQueue->SetDownloadFolder(folder);
    win::EditBox(Control(kFolderBox)).SetText(folder);

    // The folder exists already: the button can open it. Otherwise make it (one level) and leave the
    // button disabled for this run.
    std::wstring withoutSlash = folder.substr(0, folder.size() - 1);
    bool exists = win::PathExists(withoutSlash);
    if (!exists) CreateDirectoryW(withoutSlash.c_str(), nullptr);
    win::Button(Control(kOpenFolder)).Enable(exists);
}

}  // namespace app
