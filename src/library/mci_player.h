#pragma once
// The media player over MCI command strings (device type mpegvideo, which covers audio and video
// files). MCI cannot open a web link on every system, so a link is first fetched into a temporary
// file by a LinkFetch; until that file is open the player answers like one that could not open the
// medium (state 0, position -1, length 0). A play or volume asked for meanwhile is applied when the
// file opens.
//
// MCI device commands belong to the thread that opened the device, so every method must be called
// on the same (window) thread. The fetch thread only downloads; the player notices on its next call
// that the file is ready and opens it then. The timer that watches a preview calls it every second.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "library/link_fetch.h"
#include "library/media_player.h"

namespace library {

// Sends one MCI command string; returns MCI's error code (0 = done) and fills `reply`.
using MciSend = std::function<unsigned long(const std::wstring& command, std::wstring& reply)>;
unsigned long SendMciString(const std::wstring& command, std::wstring& reply);

// True for http:// and https:// links (letter case ignored).
bool IsWebLink(const std::wstring& pathOrLink);

class MciPlayer final : public MediaPlayer {
public:
    // Temporary files go to `tempFolder` (the system's temporary folder when empty).
    explicit MciPlayer(std::wstring tempFolder = L"", MciSend send = SendMciString);
    ~MciPlayer() override;  // closes the device, ends the fetches, removes the temporary files
    MciPlayer(const MciPlayer&) = delete;
    MciPlayer& operator=(const MciPlayer&) = delete;

    void Open(const std::wstring& pathOrLink) override;
    void Play(int fromMs, HWND videoWindow) override;
    void Stop() override;
    int State() override;
    int Position() override;
    int Length() override;
    void SetVolume(int left, int right) override;

    // True while a link is still being fetched.
    bool LinkPending();
    const std::wstring& Alias() const { return alias_; }

private:
    void Poll();
    void ReleaseMedium();
    bool OpenDevice(const std::wstring& path);
    void StartPlay(int fromMs, HWND videoWindow);
    void ApplyVolume(int left, int right);
    unsigned long Send(const std::wstring& command, std::wstring* reply = nullptr);
    std::optional<int> StatusNumber(const wchar_t* item);
    std::wstring TempPathFor(const std::wstring& link);

    const std::wstring alias_;
    const std::wstring tempFolder_;
    const MciSend send_;

    bool deviceOpen_ = false;
    bool rewound_ = false;  // stopped: the next play from the current position starts at 0
    // The link being fetched, or the one whose temporary file is open.
    std::unique_ptr<LinkFetch> fetch_;
    bool fetchPending_ = false;
    // Fetches of replaced links, waiting for their threads to notice the cancel.
    std::vector<std::unique_ptr<LinkFetch>> retired_;
    // What was asked for while the link was pending.
    std::optional<std::pair<int, HWND>> pendingPlay_;
    std::optional<std::pair<int, int>> pendingVolume_;
};

}  // namespace library
