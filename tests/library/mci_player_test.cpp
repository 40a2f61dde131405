// The MCI player for real: a generated tone (fixtures/tone.mp3 beside this program, 1.5 s) played
// through the private sound server, and links served over loopback through the temporary file.
#include "library/mci_player.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "library/preview_controller.h"
#include "support/http_test_server.h"
#include "support/temp_dir.h"
#include "win/file_io.h"
#include "win/text.h"
#include "win/table_model.h"

namespace {

using library::kNothingOpen;
using library::kPlaying;
using library::kStopped;
using library::MciPlayer;
using testing::Contains;
using testing::HasSubstr;

std::wstring TonePath() { return win::ExeDirectory() + L"\\fixtures\\tone.mp3"; }

std::string ToneBytes() { return win::ReadWholeFile(TonePath()).value_or(""); }

// Polls `done` every 50 ms for at most `ms`; every wait of these tests is bounded.
bool WaitFor(const std::function<bool()>& done, int ms = 10000) {
    for (int waited = 0; waited <= ms; waited += 50) {
        if (done()) return true;
        Sleep(50);
    }
    return false;
}

int FilesIn(const std::wstring& folder) {
    int n = 0;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return 0;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++n;
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return n;
}

// Passes every command on to MCI and keeps it with MCI's answer, the player's alias replaced by "P".
class MciRecorder {
public:
    library::MciSend Sender() {
        return [this](const std::wstring& command, std::wstring& reply) {
            const unsigned long error = library::SendMciString(command, reply);
            std::wstring text = command;
            const size_t at = text.find(L"qulie_player_");
            if (at != std::wstring::npos) text.replace(at, text.find_first_of(L" ", at) - at, L"P");
            if (text.rfind(L"status", 0) != 0) sent.push_back(text + L" -> " + std::to_wstring(error));
            return error;
        };
    }
    std::vector<std::wstring> sent;  // every command except the status queries
};

class MciPlayerTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(ToneBytes().empty()) << "missing fixture"; }

    testing_support::TempDir temp;
    MciRecorder mci;
};

TEST_F(MciPlayerTest, LocalFileOpensPlaysReportsAndStops) {
    MciPlayer player(temp.path(), mci.Sender());
    EXPECT_EQ(player.State(), kNothingOpen);
    EXPECT_EQ(player.Position(), -1);
    EXPECT_EQ(player.Length(), 0);

    // Downloaded files carry Chinese names with blanks.
    const std::wstring song = temp / L"周杰伦 - 晴天.mp3";
    ASSERT_TRUE(CopyFileW(TonePath().c_str(), song.c_str(), FALSE));
    player.Open(song);
    EXPECT_EQ(player.State(), kStopped);
    EXPECT_NEAR(player.Length(), 1500, 100);
    EXPECT_EQ(player.Position(), 0);

    player.SetVolume(50, 50);
    player.SetVolume(130, -5);  // out of the device's range: held at its ends
    EXPECT_THAT(mci.sent, Contains(L"setaudio P volume to 500 -> 0"));
    EXPECT_THAT(mci.sent, Contains(L"setaudio P left volume to 1000 -> 0"));
    EXPECT_THAT(mci.sent, Contains(L"setaudio P right volume to 0 -> 0"));

    player.Play(-1, nullptr);
    EXPECT_TRUE(WaitFor([&] { return player.State() == kPlaying && player.Position() > 200; }));
    player.Stop();
    EXPECT_EQ(player.State(), kStopped);

    // Played again from "the current position" after a stop, it starts over.
    player.Play(-1, nullptr);
    EXPECT_EQ(mci.sent.back(), L"play P from 0 -> 0");
    EXPECT_EQ(player.State(), kPlaying);
}

TEST_F(MciPlayerTest, MissingFileLeavesNothingOpen) {
    MciPlayer player(temp.path(), mci.Sender());
    player.Open(temp / L"不存在.mp3");
    player.Play(-1, nullptr);
    EXPECT_EQ(player.State(), kNothingOpen);
    EXPECT_EQ(player.Position(), -1);
    EXPECT_EQ(player.Length(), 0);
}

TEST_F(MciPlayerTest, LinkPlaysThroughATemporaryFileWithTheVolumeAskedWhilePending) {
    testing_support::HttpTestServer server([](const testing_support::RecordedRequest&) {
        testing_support::Response r;
        r.body = ToneBytes();
        r.delayMs = 300;  // long enough to ask for volume and play while the link is pending
        return r;
    });
    const std::wstring link = win::Utf8ToWide(server.BaseUrl()) + L"/song/a.mp3?key=1";
    {
        MciPlayer player(temp.path(), mci.Sender());
        player.Open(link);
        player.SetVolume(70, 70);
        player.Play(-1, nullptr);
        // Until the file is there the player answers like one that could not open the medium.
        EXPECT_EQ(player.State(), kNothingOpen);
        EXPECT_EQ(player.Position(), -1);
        EXPECT_EQ(player.Length(), 0);

        ASSERT_TRUE(WaitFor([&] { return player.State() == kPlaying; }));
        EXPECT_NEAR(player.Length(), 1500, 100);
        ASSERT_EQ(mci.sent.size(), 4u);
        EXPECT_THAT(mci.sent[0], HasSubstr(L".mp3\" type mpegvideo alias P -> 0"));
        EXPECT_THAT(mci.sent[0], HasSubstr(temp.path()));
        EXPECT_EQ(mci.sent[2], L"setaudio P volume to 700 -> 0");
        EXPECT_EQ(mci.sent[3], L"play P -> 0");
        EXPECT_EQ(FilesIn(temp.path()), 1);

        // Replaced by a local file, the temporary file goes.
        player.Open(TonePath());
        EXPECT_EQ(FilesIn(temp.path()), 0);
        player.Open(link);
        EXPECT_TRUE(WaitFor([&] { return !player.LinkPending(); }));
        EXPECT_EQ(FilesIn(temp.path()), 1);
    }
    EXPECT_EQ(FilesIn(temp.path()), 0);  // and at the end
}

TEST_F(MciPlayerTest, FailedOrReplacedFetchesLeaveNoFiles) {
    testing_support::HttpTestServer server([](const testing_support::RecordedRequest& request) {
        testing_support::Response r;
        if (request.target == "/missing.mp3") {
            r.status = 404;
        } else if (request.target == "/cut.mp3") {
            r.body = ToneBytes();
            r.dropAfter = r.body.size() / 2;
        } else {
            r.body = ToneBytes();
            r.delayMs = 1000;
        }
        return r;
    });
    const std::wstring base = win::Utf8ToWide(server.BaseUrl());
    {
        MciPlayer player(temp.path(), mci.Sender());
        for (const wchar_t* path : {L"/missing.mp3", L"/cut.mp3"}) {
            SCOPED_TRACE(testing::PrintToString(std::wstring(path)));
            player.Open(base + path);
            player.Play(-1, nullptr);
            ASSERT_TRUE(WaitFor([&] { return !player.LinkPending(); }));
            EXPECT_EQ(player.State(), kNothingOpen);
            EXPECT_EQ(player.Position(), -1);
            EXPECT_EQ(FilesIn(temp.path()), 0);
        }
        // A slow link replaced before it arrived: the local file plays, the fetch is abandoned.
        player.Open(base + L"/slow.mp3");
        player.Open(TonePath());
        EXPECT_EQ(player.State(), kStopped);
    }
    EXPECT_EQ(FilesIn(temp.path()), 0);
    EXPECT_THAT(mci.sent, testing::Not(Contains(HasSubstr(L"qulie-preview"))))
        << "no fetched file was ever opened";
}

TEST_F(MciPlayerTest, PreviewOfALinkEndsWithTheFinishedText) {
    testing_support::HttpTestServer server(testing_support::ServeBytes({{"/a.mp3", ToneBytes()}}));
    MciPlayer player(temp.path(), mci.Sender());
    win::TableModel songs(5, true);
    songs.AppendRow({L"试听曲", L"HASH"});
    win::TableModel local(3);
    std::vector<std::wstring> statusTexts;
    int volume = 50;

    library::PreviewContext c;
    c.player = &player;
    c.resolveLink = [&](const std::wstring&) { return win::Utf8ToWide(server.BaseUrl()) + L"/a.mp3"; };
    c.setStatusCell = [&](int cell, const std::wstring& text) { statusTexts.push_back(std::to_wstring(cell) + text); };
    c.setTimerPeriod = [](unsigned) {};
    c.titleNotice = [](const std::wstring&) {};
    c.shellOpen = [](const std::wstring&) {};
    c.songResults = &songs;
    c.selectedSongRow = [] { return 0; };
    c.localSongs = &local;
    c.selectedLocalRow = [] { return -1; };
    c.downloadFolder = [] { return std::wstring(); };
    c.previewVolume = &volume;
    // Audio has no video to show; handing the player a window must not keep it from playing.
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                  nullptr, nullptr);
    c.videoWindow = window;
    library::PreviewController controller(c);

    controller.PreviewSong();
    bool sawPlaying = false;
    EXPECT_TRUE(WaitFor([&] {
        controller.CheckPreviewEnd();
        sawPlaying = sawPlaying || player.State() == kPlaying;
        return !controller.PreviewRunning();
    }));
    EXPECT_TRUE(sawPlaying);
    EXPECT_EQ(statusTexts, (std::vector<std::wstring>{L"1正在试听：试听曲", L"1试听完毕"}));
    EXPECT_THAT(mci.sent, Contains(L"setaudio P volume to 500 -> 0"));
    DestroyWindow(window);
}

}  // namespace
