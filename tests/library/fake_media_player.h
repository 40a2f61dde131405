#pragma once
// A media player that plays nothing: it logs every command into a shared event list and reports
// whatever mode, position and length the test scripts.
#include <string>
#include <vector>

#include "library/media_player.h"

namespace testing_support {

class FakeMediaPlayer final : public library::MediaPlayer {
public:
    explicit FakeMediaPlayer(std::vector<std::wstring>& log) : log_(log) {}

    void Open(const std::wstring& pathOrLink) override { log_.push_back(L"open " + pathOrLink); }
    void Play(int fromMs, HWND videoWindow) override {
        log_.push_back(L"play " + std::to_wstring(fromMs) + (videoWindow == window ? L" main" : L" other"));
    }
    void Stop() override { log_.push_back(L"stop"); }
    int State() override { return state; }
    int Position() override { return position; }
    int Length() override { return length; }
    void SetVolume(int left, int right) override {
        log_.push_back(L"volume " + std::to_wstring(left) + L"," + std::to_wstring(right));
    }

    int state = library::kNothingOpen;
    int position = -1;
    int length = 0;
    HWND window = reinterpret_cast<HWND>(0x1234);  // the video window the controller should pass

private:
    std::vector<std::wstring>& log_;
};

}  // namespace testing_support
