#pragma once
// Preview ("试听") of a search result from the web, local play ("播放") of a downloaded file, and the
// preview volume. Everything runs on the window thread. The window hands in its pieces through
// PreviewContext, so the controller works against any player and without a window.
#include <windows.h>

#include <functional>
#include <string>

#include "library/media_player.h"
#include "win/table_model.h"

namespace library {

struct PreviewContext {
    MediaPlayer* player = nullptr;
    // A song's standard-quality hash -> its direct link, or "" (may block until the resolver answers).
    std::function<std::wstring(const std::wstring& hash)> resolveLink;
    // Writes one cell of the status bar.
    std::function<void(int cell, const std::wstring& text)> setStatusCell;
    // Sets the preview timer's period; 0 stops it.
    std::function<void(unsigned periodMs)> setTimerPeriod;
    // A one-second notice in the title (keeps the window responsive while it shows).
    std::function<void(const std::wstring& text)> titleNotice;
    // Hands a file to the system's associated program (the shell's "open").
    std::function<void(const std::wstring& path)> shellOpen;
    // SongResultList (column 0 name, column 1 standard hash) and its selected row (-1: none).
    const win::TableModel* songResults = nullptr;
    std::function<int()> selectedSongRow;
    // LocalSongList (column 1 file name, column 2 kind) and its selected row (-1: none).
    const win::TableModel* localSongs = nullptr;
    std::function<int()> selectedLocalRow;
    // The download folder, ending with "\".
    std::function<std::wstring()> downloadFolder;
    // The program-wide preview volume (0–100 scale, unbounded); written only on the window thread.
    int* previewVolume = nullptr;
    // Video output of the player (the main window).
    HWND videoWindow = nullptr;
};

class PreviewController {
public:
    explicit PreviewController(PreviewContext context);

    void PreviewSong();        // "试听" of the selected search result
    void StopPreview();        // "停止"
    void CheckPreviewEnd();    // the preview timer's tick
    void PlayLocalSong();      // "播放" of the selected local file
    void StopLocalPlayback();  // "停止播放"
    void VolumeUp();           // Up hotkey
    void VolumeDown();         // Down hotkey

    bool PreviewRunning() const { return previewRunning_; }

private:
    void EndPlayback(const wchar_t* statusText);
    void StepVolume(int delta);

    PreviewContext c_;
    bool previewRunning_ = false;  // the preview timer runs
    bool previewSeenPlaying_ = false;
};

}  // namespace library
