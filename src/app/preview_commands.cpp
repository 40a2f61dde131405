#include "app/preview_commands.h"

#include <shellapi.h>

#include "app/link_resolution.h"
#include "app/main_window.h"
#include "app/title_notice.h"
#include "win/controls.h"

namespace app {

library::PreviewContext MakePreviewContext(MainWindow& window, library::MediaPlayer& player) {
    AppContext& context = window.Context();
    HWND hwnd = window.hwnd();
    library::PreviewContext c;
    c.player = &player;
    c.resolveLink = [&window](const std::wstring& hash) { return window.ResolveLink(hash); };
    c.setStatusCell = [status = window.Control(kStatusBar)](int cell, const std::wstring& text) {
        win::StatusBar(status).SetCellText(cell, text);
    };
    c.setTimerPeriod = [hwnd](unsigned periodMs) {
        if (periodMs)
            SetTimer(hwnd, kPreviewTimerId, periodMs, nullptr);
        else
            KillTimer(hwnd, kPreviewTimerId);
    };
    c.titleNotice = [](const std::wstring& text) { TitleNotice(text); };
    c.shellOpen = [hwnd](const std::wstring& path) {
        ShellExecuteW(hwnd, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    };
    c.songResults = &context.tables.songResults;
    c.selectedSongRow = [&window] { return window.List(kSongList).CurrentRow(); };
    c.localSongs = &context.tables.localSongs;
    c.selectedLocalRow = [&window] { return window.List(kLocalList).CurrentRow(); };
    c.downloadFolder = [&context] { return context.state.DownloadFolder(); };
    c.previewVolume = &context.state.previewVolume;
    c.videoWindow = hwnd;
    return c;
}

void PreviewSong(MainWindow& window) { window.Preview().PreviewSong(); }
void StopPreview(MainWindow& window) { window.Preview().StopPreview(); }
void PlayLocalSong(MainWindow& window) { window.Preview().PlayLocalSong(); }
void StopLocalPlayback(MainWindow& window) { window.Preview().StopLocalPlayback(); }
void CheckPreviewEnd(MainWindow& window) { window.Preview().CheckPreviewEnd(); }

void RegisterVolumeHotkeys(MainWindow& window) {
    AppState& state = window.Context().state;
    HotkeyRegistry& hotkeys = window.Hotkeys();
    // A key another program holds stays unregistered; the program runs on without it, silently.
    hotkeys.RegisterWindowHotkey(window.hwnd(), 0, VK_UP, [&window] { window.Preview().VolumeUp(); },
                                 state.upHotkeyId);
    hotkeys.RegisterWindowHotkey(window.hwnd(), 0, VK_DOWN, [&window] { window.Preview().VolumeDown(); },
                                 state.downHotkeyId);
}

}  // namespace app
