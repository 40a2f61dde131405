// What the main window does once it has been created, in this order: hotkeys, status bar, start values,
// the saved queue, the download folder, the local song list.
#include "app/main_window.h"
#include "app/pending_operations.h"
#include "app/settings.h"
#include "app/window_layout.h"
#include "win/file_io.h"

namespace app {

void MainWindow::StartUp() {
    AppState& state = context_.state;
    state.upHotkeyId = L"001";
    state.downHotkeyId = L"002";
    RegisterVolumeHotkeys(*this);

    win::StatusBar status(Control(kStatusBar));
    for (int cell = 0; cell < 4; ++cell) status.SetCellText(cell, kStatusCellTexts[cell]);

    state.downloading = 0;
    state.currentJob = 1;
    state.previewVolume = 50;
    state.paused = 0;

    state.taskFileText = win::ReadWholeFile(context_.runDirectory + L"\\下载任务.txt").value_or(std::string());
    if (!state.taskFileText.empty()) StartWorker([&context = context_] { RestoreTasks(context); });

    context_.endpoints = ReadEndpoints(context_.runDirectory);
    PrepareDownloadFolder();

    StartWorker([&context = context_] { RefreshLocalList(context); });
}

void MainWindow::PrepareDownloadFolder() {
    AppState& state = context_.state;
    std::wstring folder = ReadDownloadFolderSetting(context_.runDirectory);
    if (folder.empty()) folder = context_.runDirectory + L"\\Mymp3\\";
    state.SetDownloadFolder(folder);
    win::EditBox(Control(kFolderBox)).SetText(folder);

    // The folder exists already: the button can open it. Otherwise make it (one level) and leave the
    // button disabled for this run.
    std::wstring withoutSlash = folder.substr(0, folder.size() - 1);
    bool exists = win::PathExists(withoutSlash);
    if (!exists) CreateDirectoryW(withoutSlash.c_str(), nullptr);
    win::Button(Control(kOpenFolder)).Enable(exists);
}

}  // namespace app
