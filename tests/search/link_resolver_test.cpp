// The link resolver: the query it sends, and what of its answer counts as a link.
#include "search/link_resolver.h"

#include <gtest/gtest.h>

#include <string>

#include "support/http_test_server.h"

namespace search {
namespace {

using testing_support::HttpTestServer;
using testing_support::RecordedRequest;
using testing_support::Response;

class LinkResolverTest : public ::testing::Test {
protected:
    void Answer(std::string body, int status = 200) {
        server.SetHandler([body, status](const RecordedRequest&) {
            Response r;
            r.status = status;
            r.body = body;
            return r;
        });
    }
    std::wstring Base() const {
        std::string base = server.BaseUrl();
        return std::wstring(base.begin(), base.end());
    }

    HttpTestServer server{[](const RecordedRequest&) { return Response{}; }};
    http::HttpSession session;
};

TEST_F(LinkResolverTest, AsksWithTheKindAndTheHashInLowerCase) {
    Answer("http://127.0.0.1/a.mp3");
    EXPECT_EQ(ResolveSongLink(session, Base(), L"0F8D1E2E5C6A4B3F9E8D7C6B5A49382A"), L"http://127.0.0.1/a.mp3");
    EXPECT_EQ(ResolveMvLink(session, Base(), L"ABCDEF0123456789ABCDEF0123456789"), L"http://127.0.0.1/a.mp3");
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].method, "GET");
    EXPECT_EQ(requests[0].target, "/kuwo/flac.php?i=mp3&hash=0f8d1e2e5c6a4b3f9e8d7c6b5a49382a");
    EXPECT_EQ(requests[1].target, "/kuwo/flac.php?i=mkv&hash=abcdef0123456789abcdef0123456789");
}

TEST_F(LinkResolverTest, AnswerIsTrimmedAndMustBeAWebLink) {
    const std::pair<std::string, std::wstring> cases[] = {
        {"  http://cdn.example/a.mp3\r\n", L"http://cdn.example/a.mp3"},
        {"\thttps://cdn.example/a.flac\n\n", L"https://cdn.example/a.flac"},
        {"HTTP://cdn.example/A.MP3", L"HTTP://cdn.example/A.MP3"},
        {"", L""},
        {" \r\n", L""},
        {"<html><body>404 Not Found</body></html>", L""},
        {"file:///C:/Windows/win.ini", L""},
        {"ftp://cdn.example/a.mp3", L""},
        {"http://", L""},
        {"http://cdn.example/a.mp3\r\n<br>Warning: something", L""},
        {"no link for this hash", L""},
    };
    for (const auto& [body, link] : cases) {
        Answer(body);
        EXPECT_EQ(ResolveSongLink(session, Base(), L"ab"), link) << body;
        EXPECT_EQ(ResolveMvLink(session, Base(), L"ab"), link) << body;
    }
}

TEST_F(LinkResolverTest, SongAnswerIsLocalTextAndVideoAnswerIsUtf8) {
    Answer("http://cdn.example/\xB6\xAB.mp3");  // "东" in code page 936
    EXPECT_EQ(ResolveSongLink(session, Base(), L"ab"), L"http://cdn.example/东.mp3");
    Answer("http://cdn.example/\xE4\xB8\x9C.mkv");  // "东" in UTF-8
    EXPECT_EQ(ResolveMvLink(session, Base(), L"ab"), L"http://cdn.example/东.mkv");
}

TEST_F(LinkResolverTest, FailedRequestGivesNoLink) {
    EXPECT_EQ(ResolveSongLink(session, L"http://127.0.0.1:9", L"ab"), L"");
    Response cut;
    cut.body = "http://cdn.example/a-long-link-that-breaks-off.mp3";
    cut.dropAfter = 12;
    server.SetHandler([cut](const RecordedRequest&) { return cut; });
    EXPECT_EQ(ResolveMvLink(session, Base(), L"ab"), L"");
}

}  // namespace
}  // namespace search
