#pragma once
// What the preview and local play need of a media player: open a file or a web link, play it into a
// window, stop, and report mode, position, length; a volume on a 0–100 scale. Every call is made from
// the window thread.
#include <windows.h>

#include <string>

namespace library {

enum PlayerState : int {
    kNothingOpen = 0,  // nothing open, or a mode the program does not use
    kPlaying = 1,
    kStopped = 2,
    kPaused = 3,
};

class MediaPlayer {
public:
    virtual ~MediaPlayer() = default;

    // Opens a file path or a web link, replacing whatever was open.
    virtual void Open(const std::wstring& pathOrLink) = 0;
    // Plays from `fromMs` (-1: from the current position); video goes into `videoWindow` (may be null).
    virtual void Play(int fromMs, HWND videoWindow) = 0;
    // Stops and goes back to the start.
    virtual void Stop() = 0;
    virtual int State() = 0;     // a PlayerState
    virtual int Position() = 0;  // milliseconds; -1 when it cannot be read (nothing open)
    virtual int Length() = 0;    // milliseconds; 0 when it cannot be read
    // Volume of the medium open now, per channel, on a 0–100 scale; nothing bounds the values here.
    // A medium opened later starts at the device's own volume.
    virtual void SetVolume(int left, int right) = 0;
};

}  // namespace library
