// 按钮1 and 按钮5 through the main window, against a loopback server playing the search endpoints.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <string>
#include <thread>

#include "fake_service.h"
#include "support/search_answer_text.h"
#include "win/controls.h"
#include "win/list_view.h"
#include "window_fixture.h"

namespace apptest {
namespace {

using namespace app;
using namespace std::chrono_literals;
using testing_support::MvAnswerJson;
using testing_support::SongAnswerJson;

const std::string kKeyword = "%E4%B8%9C%E6%9D%A5%E4%B8%9C%E5%BE%80";  // 东来东往
const std::string kSongTail =
    "&pagesize=40&filter=0&bitrate=0&isfuzzy=0&tag=em&inputtype=2&platform=PcFilter&userid=348116302"
    "&clientver=8171&iscorrection=7";

// A page of two songs whose names tell their page: "p<page>-1", "p<page>-2".
std::string TwoSongPage(int page) {
    std::string p = "p" + std::to_string(page);
    return SongAnswerJson({{p + "-1", "A" + p, "B" + p, "C" + p, "D" + p}, {p + "-2", "E" + p, "", "", ""}});
}

class SearchWindowTest : public WindowTest {
protected:
    void OpenWithService(std::chrono::milliseconds spacing = 100ms) {
        service.WriteEndpoints(dir_.path());
        Open();
        Context().search.pageSpacing = spacing;
    }
    void SetText(CommandId box, const std::wstring& text) { SetWindowTextW(Control(box), text.c_str()); }
    std::vector<std::wstring> Names(CommandId list) {
        Pump();
        win::ListView view(Control(list));
        std::vector<std::wstring> names;
        for (int row = 0; row < view.RowCount(); ++row) names.push_back(view.Text(row, 0));
        return names;
    }
    bool WaitForRows(const win::TableModel& model, int count) {
        return PumpUntil([&] { return model.RowCount() >= count; });
    }

    FakeService service;
};

TEST_F(SearchWindowTest, ThreePagesAreThreeRequestsInOrderAndFillTheList) {
    for (int page = 1; page <= 3; ++page) service.SetSongPage(page, TwoSongPage(page));
    OpenWithService();
    EXPECT_FALSE(IsWindowEnabled(Control(kSongTickAll)));
    Click(kSongSearch);  // the initial texts: 东来东往, 3 pages

    ASSERT_TRUE(WaitForRows(Context().tables.songResults, 6));
    EXPECT_EQ(service.Targets("/song_search_v2"),
              (std::vector<std::string>{"/song_search_v2?keyword=" + kKeyword + "&page=1" + kSongTail,
                                        "/song_search_v2?keyword=" + kKeyword + "&page=2" + kSongTail,
                                        "/song_search_v2?keyword=" + kKeyword + "&page=3" + kSongTail}));
    EXPECT_EQ(Names(kSongList), (std::vector<std::wstring>{L"p1-1", L"p1-2", L"p2-1", L"p2-2", L"p3-1", L"p3-2"}));
    EXPECT_EQ(Context().tables.songResults.Row(0),
              (std::vector<std::wstring>{L"p1-1", L"Ap1", L"Bp1", L"Cp1", L"Dp1"}));
    EXPECT_TRUE(IsWindowEnabled(Control(kSongTickAll)));
    EXPECT_TRUE(IsWindowEnabled(Control(kSongInvertTicks)));
    EXPECT_FALSE(IsWindowEnabled(Control(kMvTickAll)));
}

TEST_F(SearchWindowTest, BrokenPagesAddNothingWhileTheOthersFill) {
    service.SetSongPage(1, "");
    service.SetSongPage(2, "<html><body>Bad Gateway</body></html>");
    service.SetSongPage(3, SongAnswerJson({}));
    service.SetSongPage(4, SongAnswerJson({{R"(<em>东来东往<\/em> - 片刻)", "A", "", "", ""}}));
    OpenWithService();
    SetText(kSongPages, L"4");
    Click(kSongSearch);

    ASSERT_TRUE(WaitForRows(Context().tables.songResults, 1));
    EXPECT_EQ(service.Targets("/song_search_v2").size(), 4u);
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(Names(kSongList), (std::vector<std::wstring>{L"东来东往 - 片刻"}));
}

TEST_F(SearchWindowTest, NoPagesClearsTheListAndSendsNothing) {
    OpenWithService();
    for (const wchar_t* count : {L"0", L"abc", L"-2", L""}) {
        Context().tables.songResults.AppendRow({L"old"});
        Context().tables.mvResults.AppendRow({L"old"});
        SetText(kSongPages, count);
        SetText(kMvPages, count);
        Click(kSongSearch);
        Click(kMvSearch);
        EXPECT_EQ(Context().tables.songResults.RowCount(), 0);
        EXPECT_EQ(Context().tables.mvResults.RowCount(), 0);
    }
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(service.RequestCount(), 0u);
}

TEST_F(SearchWindowTest, KeywordEditedBetweenPageStartsReachesTheLaterPages) {
    for (int page = 1; page <= 3; ++page) service.SetSongPage(page, TwoSongPage(page));
    // The edit happens while the window waits to start page 2, as a user's typing would.
    HWND keywordBox = nullptr;
    service.OnRequest([&keywordBox](const testing_support::RecordedRequest& request) {
        if (QueryValue(request.target, "page") == "1")
            SendMessageTimeoutW(keywordBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"片刻"), SMTO_NORMAL, 5000,
                                nullptr);
    });
    OpenWithService(600ms);
    keywordBox = Control(kSongKeyword);
    Click(kSongSearch);

    ASSERT_TRUE(WaitForRows(Context().tables.songResults, 6));
    auto targets = service.Targets("/song_search_v2");
    ASSERT_EQ(targets.size(), 3u);
    EXPECT_EQ(QueryValue(targets[0], "keyword"), kKeyword);
    EXPECT_EQ(QueryValue(targets[1], "keyword"), "%E7%89%87%E5%88%BB");
    EXPECT_EQ(QueryValue(targets[2], "keyword"), "%E7%89%87%E5%88%BB");
}

TEST_F(SearchWindowTest, MvSearchAsksItsEndpointAndFillsTheMvList) {
    service.SetMvPage(1, MvAnswerJson({{R"(<em>东来东往<\/em> - 片刻)", "标清", "ABC"}, {"路口", "高清", "DEF"}}));
    OpenWithService();
    Click(kMvSearch);  // the initial texts: 东来东往, 1 page

    ASSERT_TRUE(WaitForRows(Context().tables.mvResults, 2));
    EXPECT_EQ(service.Targets("/"),
              (std::vector<std::string>{"/mv_search?clientver=8063&iscorrection=1&tag=em&userid=785408929"
                                        "&clienttime=1472041410245&keyword=" +
                                        kKeyword + "&inputtype=2&page=1&pagesize=30"}));
    EXPECT_EQ(Context().tables.mvResults.Row(0), (std::vector<std::wstring>{L"东来东往 - 片刻", L"标清", L"ABC"}));
    EXPECT_EQ(Names(kMvList), (std::vector<std::wstring>{L"东来东往 - 片刻", L"路口"}));
    EXPECT_TRUE(IsWindowEnabled(Control(kMvTickAll)));
    EXPECT_FALSE(IsWindowEnabled(Control(kSongTickAll)));
}

TEST_F(SearchWindowTest, ANewerSearchStopsTheOlderOneStartingPages) {
    for (int page = 1; page <= 3; ++page) service.SetSongPage(page, TwoSongPage(page));
    service.SetMvPage(1, MvAnswerJson({{"v", "高清", "ABC"}}));
    // An MV search clicked while the song search waits to start its second page.
    HWND window = nullptr;
    service.OnRequest([&window](const testing_support::RecordedRequest& request) {
        if (request.target.starts_with("/song_search_v2") && QueryValue(request.target, "page") == "1")
            PostMessageW(window, WM_COMMAND, MAKEWPARAM(kMvSearch, 0), 0);
    });
    OpenWithService(600ms);
    window = Window().hwnd();
    Click(kSongSearch);

    ASSERT_TRUE(WaitForRows(Context().tables.mvResults, 1));
    std::this_thread::sleep_for(200ms);
    Pump();
    auto targets = service.Targets("/");
    ASSERT_EQ(targets.size(), 2u);
    EXPECT_EQ(QueryValue(targets[0], "page"), "1");
    EXPECT_TRUE(targets[1].starts_with("/mv_search"));
    // The page the song search had started still lands in its own list.
    EXPECT_EQ(Names(kSongList), (std::vector<std::wstring>{L"p1-1", L"p1-2"}));
}

}  // namespace
}  // namespace apptest
