#include "library/preview_controller.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fake_media_player.h"
#include "library/media_player.h"

namespace {

using library::kNothingOpen;
using library::kPlaying;
using library::kStopped;
using testing::ElementsAre;
using testing::IsEmpty;

// One controller wired to a fake player and to recorders for everything it touches. Every effect
// lands in `log`, in order, so a test sees both what happened and in which sequence.
class PreviewTest : public testing::Test {
protected:
    PreviewTest() : player(log), songs(5, true), local(3), controller(MakeContext()) {
        songs.AppendRow({L"周杰伦 - 晴天", L"HASH_A", L"HIGH_A", L"", L"MV_A"});
        songs.AppendRow({L"林俊杰 - 江南", L"HASH_B", L"HIGH_B", L"", L""});
        local.AppendRow({L"0", L"晴天.mp3", L"音乐"});
        local.AppendRow({L"1", L"晴天.mkv", L"视频"});
    }

    library::PreviewContext MakeContext() {
        library::PreviewContext c;
        c.player = &player;
        c.resolveLink = [this](const std::wstring& hash) {
            log.push_back(L"resolve " + hash);
            return link;
        };
        c.setStatusCell = [this](int cell, const std::wstring& text) {
            log.push_back(L"cell" + std::to_wstring(cell) + L" " + text);
        };
        c.setTimerPeriod = [this](unsigned ms) { log.push_back(L"timer " + std::to_wstring(ms)); };
        c.titleNotice = [this](const std::wstring& text) {
            log.push_back(L"notice " + text);
            if (onNotice) onNotice();
        };
        c.shellOpen = [this](const std::wstring& path) { log.push_back(L"shell " + path); };
        c.songResults = &songs;
        c.selectedSongRow = [this] { return songRow; };
        c.localSongs = &local;
        c.selectedLocalRow = [this] { return localRow; };
        c.downloadFolder = [] { return std::wstring(L"C:\\曲猎\\Mymp3\\"); };
        c.previewVolume = &volume;
        c.videoWindow = player.window;
        return c;
    }

    // A preview of row 0 that the player is now playing; the log starts empty afterwards.
    void StartPlayingPreview() {
        controller.PreviewSong();
        player.state = kPlaying;
        player.position = 0;
        player.length = 3000;
        log.clear();
    }

    std::vector<std::wstring> log;
    testing_support::FakeMediaPlayer player;
    win::TableModel songs;
    win::TableModel local;
    std::wstring link = L"http://127.0.0.1/a.mp3";
    int songRow = 0;
    int localRow = 0;
    int volume = 50;
    std::function<void()> onNotice;
    library::PreviewController controller;
};

TEST_F(PreviewTest, PreviewResolvesTheStandardHashAndStartsAtThePreviewVolume) {
    volume = 70;
    controller.PreviewSong();
    EXPECT_THAT(log, ElementsAre(L"resolve HASH_A", L"notice 开始播放试听音乐", L"cell1 正在试听：周杰伦 - 晴天",
                                 L"stop", L"open http://127.0.0.1/a.mp3", L"volume 70,70", L"play -1 main",
                                 L"timer 1000"));
    EXPECT_TRUE(controller.PreviewRunning());
}

TEST_F(PreviewTest, StatusNamesThePreviewedSongEvenIfTheSelectionMovesDuringTheNotice) {
    onNotice = [this] { songRow = 1; };
    controller.PreviewSong();
    EXPECT_THAT(log, testing::Contains(L"cell1 正在试听：周杰伦 - 晴天"));
}

TEST_F(PreviewTest, EmptyLinkReportsTheFailureAndPlaysNothing) {
    link.clear();
    controller.PreviewSong();
    EXPECT_THAT(log, ElementsAre(L"resolve HASH_A", L"cell1 获取试听地址失败,请重试"));
    EXPECT_FALSE(controller.PreviewRunning());
}

TEST_F(PreviewTest, NoSelectedRowDoesNothing) {
    songRow = -1;
    controller.PreviewSong();
    localRow = -1;
    controller.PlayLocalSong();
    EXPECT_THAT(log, IsEmpty());
}

// One timer tick: what the player reports, and whether the controller must call it the end.
struct Tick {
    int state, position, length;
    bool ends;
};

TEST_F(PreviewTest, EndOfPreviewIsDetectedByLengthOrByAStopAfterPlaying) {
    const std::vector<std::pair<const char*, std::vector<Tick>>> cases = {
        {"position reaches the length", {{kPlaying, 1000, 3000, false}, {kStopped, 3000, 3000, true}}},
        {"stopped by itself after playing (position reads 0)",
         {{kPlaying, 2500, 3000, false}, {kStopped, 0, 3000, true}}},
        {"medium that cannot be opened keeps ticking",
         {{kNothingOpen, -1, 0, false}, {kNothingOpen, -1, 0, false}, {kNothingOpen, -1, 0, false}}},
        {"stopped before it was ever seen playing is not an end",
         {{kStopped, 0, 3000, false}, {kNothingOpen, -1, 0, false}}},
    };
    for (const auto& [name, ticks] : cases) {
        SCOPED_TRACE(name);
        controller.PreviewSong();
        for (const Tick& t : ticks) {
            log.clear();
            player.state = t.state;
            player.position = t.position;
            player.length = t.length;
            controller.CheckPreviewEnd();
            if (t.ends) {
                EXPECT_THAT(log, ElementsAre(L"stop", L"timer 0", L"cell1 试听完毕"));
                EXPECT_FALSE(controller.PreviewRunning());
            } else {
                EXPECT_THAT(log, IsEmpty());
                EXPECT_TRUE(controller.PreviewRunning());
            }
        }
        controller.StopPreview();
    }
}

TEST_F(PreviewTest, StopWritesStoppedEvenWithNothingPlayingAndSilencesLateTicks) {
    controller.StopPreview();
    EXPECT_THAT(log, ElementsAre(L"stop", L"timer 0", L"cell1 已停止试听"));

    StartPlayingPreview();
    controller.StopPreview();
    log.clear();
    player.state = kStopped;
    player.position = player.length = 3000;
    controller.CheckPreviewEnd();  // a tick already queued before the stop
    EXPECT_THAT(log, IsEmpty());
}

TEST_F(PreviewTest, LocalSongStopsARunningPreviewFirstWithoutVolumeOrTimer) {
    StartPlayingPreview();
    controller.PlayLocalSong();
    EXPECT_THAT(log, ElementsAre(L"stop", L"timer 0", L"cell1 已停止试听", L"open C:\\曲猎\\Mymp3\\晴天.mp3",
                                 L"play -1 main"));
    EXPECT_FALSE(controller.PreviewRunning());
}

TEST_F(PreviewTest, LocalSongStopsAPreviewWhoseMediumIsNotPlayingYet) {
    controller.PreviewSong();  // the player still reports nothing open
    log.clear();
    controller.PlayLocalSong();
    EXPECT_THAT(log, ElementsAre(L"stop", L"timer 0", L"cell1 已停止试听", L"open C:\\曲猎\\Mymp3\\晴天.mp3",
                                 L"play -1 main"));
}

TEST_F(PreviewTest, LocalSongWithNothingPlayingLeavesTheStatusAlone) {
    controller.PlayLocalSong();
    EXPECT_THAT(log, ElementsAre(L"open C:\\曲猎\\Mymp3\\晴天.mp3", L"play -1 main"));
}

TEST_F(PreviewTest, VideoRowGoesToTheShellAndLeavesThePreviewRunning) {
    StartPlayingPreview();
    localRow = 1;
    controller.PlayLocalSong();
    EXPECT_THAT(log, ElementsAre(L"shell C:\\曲猎\\Mymp3\\晴天.mkv"));
    EXPECT_TRUE(controller.PreviewRunning());
}

TEST_F(PreviewTest, StopLocalPlaybackActsOnlyWhilePlaying) {
    player.state = kStopped;
    controller.StopLocalPlayback();
    EXPECT_THAT(log, IsEmpty());
    player.state = kPlaying;
    controller.StopLocalPlayback();
    EXPECT_THAT(log, ElementsAre(L"stop", L"timer 0", L"cell1 已停止试听"));
}

TEST_F(PreviewTest, VolumeStepsByTenWithoutBoundsWhilePlaying) {
    StartPlayingPreview();
    for (int i = 0; i < 7; ++i) controller.VolumeUp();
    EXPECT_EQ(volume, 120);
    EXPECT_THAT(log, testing::Contains(L"volume 100,100"));
    EXPECT_EQ(log[log.size() - 2], L"volume 120,120");
    EXPECT_EQ(log.back(), L"cell3 120");
    for (int i = 0; i < 14; ++i) controller.VolumeDown();
    EXPECT_EQ(volume, -20);
    EXPECT_EQ(log[log.size() - 2], L"volume -20,-20");
    EXPECT_EQ(log.back(), L"cell3 -20");
}

TEST_F(PreviewTest, VolumeKeysDoNothingUnlessPlaying) {
    for (int state : {kNothingOpen, kStopped, library::kPaused}) {
        player.state = state;
        controller.VolumeUp();
        controller.VolumeDown();
    }
    EXPECT_EQ(volume, 50);
    EXPECT_THAT(log, IsEmpty());
}

}  // namespace
