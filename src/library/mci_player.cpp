#include "library/mci_player.h"

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <atomic>
#include <cwctype>
#include <iterator>

namespace library {

namespace {

std::atomic<unsigned> playerCount{0};
std::atomic<unsigned> tempFileCount{0};

std::wstring DefaultTempFolder() {
    wchar_t buffer[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathW(MAX_PATH + 1, buffer);
    std::wstring folder(buffer, n <= MAX_PATH ? n : 0);
    while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
    return folder;
}

// The media extension of the link's last path segment (".flac"), else ".mp3": some decoders choose
// by extension, and a link may well end in ".php" or nothing at all.
std::wstring ExtensionOf(const std::wstring& link) {
    static const wchar_t* const kMedia[] = {L".mp3", L".m4a", L".aac", L".flac", L".wav", L".wma", L".ogg",
                                            L".ape", L".mp4", L".mkv", L".flv", L".avi", L".wmv"};
    const std::wstring path = link.substr(0, link.find_first_of(L"?#"));
    const size_t dot = path.rfind(L'.');
    if (dot == std::wstring::npos || path.find(L'/', dot) != std::wstring::npos) return L".mp3";
    std::wstring ext = path.substr(dot);
    for (wchar_t& c : ext) c = static_cast<wchar_t>(std::towlower(c));
    const bool media = std::any_of(std::begin(kMedia), std::end(kMedia), [&](const wchar_t* m) { return ext == m; });
    return media ? ext : L".mp3";
}

int DeviceVolume(int volume) { return std::clamp(volume, 0, 100) * 10; }

}  // namespace

unsigned long SendMciString(const std::wstring& command, std::wstring& reply) {
    wchar_t buffer[256] = {};
    const MCIERROR error = mciSendStringW(command.c_str(), buffer, 256, nullptr);
    reply = buffer;
    return error;
}

bool IsWebLink(const std::wstring& pathOrLink) {
    auto startsWith = [&](std::wstring_view prefix) {
        if (pathOrLink.size() < prefix.size()) return false;
        for (size_t i = 0; i < prefix.size(); ++i) {
            if (std::towlower(pathOrLink[i]) != prefix[i]) return false;
        }
        return true;
    };
    return startsWith(L"http://") || startsWith(L"https://");
}

MciPlayer::MciPlayer(std::wstring tempFolder, MciSend send)
    : alias_(L"qulie_player_" + std::to_wstring(++playerCount)),
      tempFolder_(tempFolder.empty() ? DefaultTempFolder() : std::move(tempFolder)),
      send_(std::move(send)) {}

MciPlayer::~MciPlayer() {
    ReleaseMedium();
    retired_.clear();
}

unsigned long MciPlayer::Send(const std::wstring& command, std::wstring* reply) {
    std::wstring ignored;
    return send_(command, reply ? *reply : ignored);
}

std::optional<int> MciPlayer::StatusNumber(const wchar_t* item) {
    std::wstring reply;
    if (Send(L"status " + alias_ + L" " + item, &reply) != 0) return std::nullopt;
    try {
        return std::stoi(reply);
    } catch (...) {
        return std::nullopt;
    }
}

std::wstring MciPlayer::TempPathFor(const std::wstring& link) {
    return tempFolder_ + L"\\qulie-preview-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(++tempFileCount) + ExtensionOf(link);
}

void MciPlayer::ReleaseMedium() {
    if (deviceOpen_) Send(L"close " + alias_);
    deviceOpen_ = false;
    rewound_ = false;
    pendingPlay_.reset();
    pendingVolume_.reset();
    fetchPending_ = false;
    if (!fetch_) return;
    if (fetch_->Done()) {
        fetch_.reset();  // removes its file, which the device no longer holds
    } else {
        // Waiting here could hold the window thread for a whole network time-out.
        fetch_->Cancel();
        retired_.push_back(std::move(fetch_));
    }
}

void MciPlayer::Poll() {
    std::erase_if(retired_, [](const std::unique_ptr<LinkFetch>& f) { return f->Done(); });
    if (!fetchPending_ || !fetch_->Done()) return;
    fetchPending_ = false;
    if (!fetch_->Succeeded() || !OpenDevice(fetch_->Path())) {
        fetch_.reset();
        pendingPlay_.reset();
        pendingVolume_.reset();
        return;
    }
    if (pendingVolume_) ApplyVolume(pendingVolume_->first, pendingVolume_->second);
    if (pendingPlay_) StartPlay(pendingPlay_->first, pendingPlay_->second);
    pendingPlay_.reset();
    pendingVolume_.reset();
}

bool MciPlayer::OpenDevice(const std::wstring& path) {
    if (Send(L"open \"" + path + L"\" type mpegvideo alias " + alias_) != 0) return false;
    deviceOpen_ = true;
    Send(L"set " + alias_ + L" time format milliseconds");
    return true;
}

void MciPlayer::Open(const std::wstring& pathOrLink) {
    ReleaseMedium();
    Poll();  // reaps fetches that ended meanwhile
    if (IsWebLink(pathOrLink)) {
        fetch_ = std::make_unique<LinkFetch>(pathOrLink, TempPathFor(pathOrLink));
        fetchPending_ = true;
        return;
    }
    OpenDevice(pathOrLink);
}

void MciPlayer::StartPlay(int fromMs, HWND videoWindow) {
    if (videoWindow) {
        // Audio media have no video to place; the device may refuse, which changes nothing.
        Send(L"window " + alias_ + L" handle " + std::to_wstring(reinterpret_cast<UINT_PTR>(videoWindow)));
    }
    // Seeking is unreliable on some systems, so a stopped medium is rewound by playing from 0.
    if (fromMs < 0 && rewound_) fromMs = 0;
    Send(L"play " + alias_ + (fromMs >= 0 ? L" from " + std::to_wstring(fromMs) : L""));
    rewound_ = false;
}

void MciPlayer::Play(int fromMs, HWND videoWindow) {
    Poll();
    if (fetchPending_) {
        pendingPlay_.emplace(fromMs, videoWindow);
        return;
    }
    if (deviceOpen_) StartPlay(fromMs, videoWindow);
}

void MciPlayer::Stop() {
    Poll();
    pendingPlay_.reset();
    if (!deviceOpen_) return;
    Send(L"stop " + alias_);
    rewound_ = true;
}

int MciPlayer::State() {
    Poll();
    if (!deviceOpen_) return kNothingOpen;
    std::wstring mode;
    if (Send(L"status " + alias_ + L" mode", &mode) != 0) return kNothingOpen;
    if (mode == L"playing") return kPlaying;
    if (mode == L"stopped") return kStopped;
    if (mode == L"paused") return kPaused;
    return kNothingOpen;
}

int MciPlayer::Position() {
    Poll();
    if (!deviceOpen_) return -1;
    return StatusNumber(L"position").value_or(-1);
}

int MciPlayer::Length() {
    Poll();
    if (!deviceOpen_) return 0;
    return StatusNumber(L"length").value_or(0);
}

void MciPlayer::ApplyVolume(int left, int right) {
    // The device takes 0–1000; values past either end are refused outright, so they are held at the end.
    const int l = DeviceVolume(left);
    const int r = DeviceVolume(right);
    if (l == r) {
        Send(L"setaudio " + alias_ + L" volume to " + std::to_wstring(l));
    } else {
        Send(L"setaudio " + alias_ + L" left volume to " + std::to_wstring(l));
        Send(L"setaudio " + alias_ + L" right volume to " + std::to_wstring(r));
    }
}

void MciPlayer::SetVolume(int left, int right) {
    Poll();
    if (fetchPending_) {
        pendingVolume_.emplace(left, right);
        return;
    }
    if (deviceOpen_) ApplyVolume(left, right);
}

bool MciPlayer::LinkPending() {
    Poll();
    return fetchPending_;
}

}  // namespace library
