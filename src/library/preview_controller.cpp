#include "library/preview_controller.h"

#include <utility>

#include "library/preview_texts.h"

namespace library {

PreviewController::PreviewController(PreviewContext context) : c_(std::move(context)) {}

void PreviewController::PreviewSong() {
    const int row = c_.selectedSongRow();
    if (row < 0) return;
    // The name is taken with the hash: the selection may move while the notice below shows, and the
    // status bar must name the song that actually plays.
    const std::wstring hash = c_.songResults->Cell(row, 1);
    const std::wstring name = c_.songResults->Cell(row, 0);
    const std::wstring link = c_.resolveLink(hash);
    if (link.empty()) {
        c_.setStatusCell(kPlayingCell, kPreviewNoLinkText);
        return;
    }
    c_.titleNotice(kPreviewStartingNotice);
    c_.setStatusCell(kPlayingCell, kPreviewPlayingPrefix + name);

    MediaPlayer& player = *c_.player;
    player.Stop();
    player.Open(link);
    // The volume belongs to the open medium: set before the open it would be lost.
    player.SetVolume(*c_.previewVolume, *c_.previewVolume);
    player.Play(-1, c_.videoWindow);
    c_.setTimerPeriod(kPreviewTimerMs);
    previewRunning_ = true;
    previewSeenPlaying_ = false;
}

void PreviewController::EndPlayback(const wchar_t* statusText) {
    c_.player->Stop();
    c_.setTimerPeriod(0);
    previewRunning_ = false;
    c_.setStatusCell(kPlayingCell, statusText);
}

void PreviewController::StopPreview() { EndPlayback(kPreviewStoppedText); }

void PreviewController::CheckPreviewEnd() {
    if (!previewRunning_) return;  // a tick that was already queued when the preview ended
    MediaPlayer& player = *c_.player;
    const int position = player.Position();
    const int length = player.Length();
    const int state = player.State();
    // Some players report position 0 instead of the length after the end, so a medium that stopped
    // by itself after it had been playing has ended too.
    const bool stoppedBySelf = previewSeenPlaying_ && state == kStopped;
    if (state == kPlaying) previewSeenPlaying_ = true;
    if (position == length || stoppedBySelf) EndPlayback(kPreviewFinishedText);
}

void PreviewController::PlayLocalSong() {
    const int row = c_.selectedLocalRow();
    if (row < 0) return;
    const std::wstring path = c_.downloadFolder() + c_.localSongs->Cell(row, 1);
    if (c_.localSongs->Cell(row, 2) != kMusicKind) {
        c_.shellOpen(path);
        return;
    }
    // A preview still waiting for its medium counts as running: left alone, its timer would report
    // the end of the local song as the end of the preview.
    if (c_.player->State() == kPlaying || previewRunning_) EndPlayback(kPreviewStoppedText);
    c_.player->Open(path);
    c_.player->Play(-1, c_.videoWindow);
}

void PreviewController::StopLocalPlayback() {
    if (c_.player->State() == kPlaying) EndPlayback(kPreviewStoppedText);
}

void PreviewController::StepVolume(int delta) {
    if (c_.player->State() != kPlaying) return;
    int& volume = *c_.previewVolume;
    volume += delta;
    c_.player->SetVolume(volume, volume);
    c_.setStatusCell(kVolumeCell, std::to_wstring(volume));
}

void PreviewController::VolumeUp() { StepVolume(10); }
void PreviewController::VolumeDown() { StepVolume(-10); }

}  // namespace library
