// Result pages over the program's session against a loopback server, the page count, and the feed
// that keeps a late page of an earlier search out of the list.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "search/result_feed.h"
#include "search/search_pages.h"
#include "support/http_test_server.h"
#include "support/search_answer_text.h"

namespace search {
namespace {

using testing_support::HttpTestServer;
using testing_support::RecordedRequest;
using testing_support::Response;

Response Body(std::string body) {
    Response r;
    r.body = std::move(body);
    return r;
}

std::wstring Wide(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

const std::string kHash1 = "0F8D1E2E5C6A4B3F9E8D7C6B5A493827";
const std::string kHash2 = "ABCDEF0123456789ABCDEF0123456789";

TEST(PageCount, ReadsLeadingDigitsAfterBlanksAndSign) {
    const std::pair<std::wstring, int> cases[] = {
        {L"3", 3},   {L"  12", 12}, {L"\t+2", 2},
        {L"-4", -4}, {L"7页", 7},   {L"abc", 0},
        {L"", 0},    {L" - 3", 0},  {L"99999999999", INT_MAX},
        {L"3 4", 3},
    };
    for (const auto& [text, count] : cases) EXPECT_EQ(PageCountFromText(text), count) << text.size();
}

TEST(FetchPage, SongPageAsksTheExactUrlAndGivesCleanRows) {
    HttpTestServer server([](const RecordedRequest&) {
        return Body(testing_support::SongAnswerJson({
            {R"(<em>东来东往<\/em> - 片刻)", kHash1, kHash2, std::string(32, '0'), ""},
            {R"(<em>东来<\/em><em>东往<\/em> - 离开)", kHash2, "", "", kHash1},
        }));
    });
    http::HttpSession session;
    std::wstring base = Wide(server.BaseUrl());
    auto rows = FetchSongPage(session, base, L"东来东往", 2);

    ASSERT_EQ(server.RequestCount(), 1u);
    EXPECT_EQ(server.Requests()[0].target,
              "/song_search_v2?keyword=%E4%B8%9C%E6%9D%A5%E4%B8%9C%E5%BE%80&page=2&pagesize=40&filter=0&bitrate=0"
              "&isfuzzy=0&tag=em&inputtype=2&platform=PcFilter&userid=348116302&clientver=8171&iscorrection=7");
    std::wstring h1 = Wide(kHash1), h2 = Wide(kHash2);
    EXPECT_EQ(rows, (std::vector<SongRow>{{L"东来东往 - 片刻", h1, h2, std::wstring(32, L'0'), L""},
                                          {L"东来东往 - 离开", h2, L"", L"", h1}}));
}

TEST(FetchPage, MvPageAsksTheExactUrlAndGivesRows) {
    HttpTestServer server([](const RecordedRequest&) {
        return Body(testing_support::MvAnswerJson({{R"(<em>东来东往<\/em> - 片刻)", "标清", kHash1}}));
    });
    http::HttpSession session;
    std::wstring base = Wide(server.BaseUrl());
    auto rows = FetchMvPage(session, base, L"东来东往", 1);

    ASSERT_EQ(server.RequestCount(), 1u);
    EXPECT_EQ(server.Requests()[0].target,
              "/mv_search?clientver=8063&iscorrection=1&tag=em&userid=785408929&clienttime=1472041410245"
              "&keyword=%E4%B8%9C%E6%9D%A5%E4%B8%9C%E5%BE%80&inputtype=2&page=1&pagesize=30");
    EXPECT_EQ(rows, (std::vector<MvRow>{{L"东来东往 - 片刻", L"标清", Wide(kHash1)}}));
}

TEST(FetchPage, BrokenAnswersGiveNoRows) {
    Response empty, garbage = Body("<html>502 Bad Gateway</html>"), none = Body(R"({"data":{"lists":[]}})");
    Response error = Body(testing_support::SongAnswerJson({{"x", kHash1, "", "", ""}}));
    error.status = 500;  // a record in an error answer still counts: the status is not looked at
    Response cut = Body(testing_support::SongAnswerJson({{"x", kHash1, "", "", ""}}));
    cut.dropAfter = 40;  // a body that breaks off is no answer
    const std::pair<Response, size_t> cases[] = {{empty, 0}, {garbage, 0}, {none, 0}, {error, 1}, {cut, 0}};
    for (const auto& [answer, rowCount] : cases) {
        HttpTestServer server([answer = answer](const RecordedRequest&) { return answer; });
        http::HttpSession session;
        std::wstring base = Wide(server.BaseUrl());
        EXPECT_EQ(FetchSongPage(session, base, L"x", 1).size(), rowCount) << answer.body;
        EXPECT_TRUE(FetchMvPage(session, base, L"x", 1).empty());
    }
}

TEST(FetchPage, UnreachableHostGivesNoRows) {
    http::HttpSession session;
    session.SetTimeouts(2000, 2000, 2000);
    EXPECT_TRUE(FetchSongPage(session, L"http://127.0.0.1:9", L"x", 1).empty());
}

TEST(ResultFeed, APageOfAnEarlierSearchAddsNothing) {
    win::TableModel list(5, true);
    ResultFeed feed(list);
    list.AppendRow({L"left over"});
    ResultFeed::Ticket first = feed.Restart();
    EXPECT_EQ(list.RowCount(), 0);
    EXPECT_TRUE(feed.Append(first, {{L"a", L"1"}, {L"b", L"2"}}));
    ResultFeed::Ticket second = feed.Restart();
    EXPECT_FALSE(feed.Append(first, {{L"late", L"9"}}));
    EXPECT_TRUE(feed.Append(second, {{L"c", L"3", L"4", L"5", L"6"}}));
    ASSERT_EQ(list.RowCount(), 1);
    EXPECT_EQ(list.Row(0), (std::vector<std::wstring>{L"c", L"3", L"4", L"5", L"6"}));
}

}  // namespace
}  // namespace search
