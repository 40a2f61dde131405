// Following Location answers.
#include "session_fixture.h"

namespace http {
namespace {

testing_support::Response Redirect(std::string location, int status = 302) {
    testing_support::Response r;
    r.status = status;
    r.headers = {{"Location", std::move(location)}};
    r.body = "moved";
    return r;
}

TEST_F(SessionTest, RedirectsAreFollowedWithTheLinesOfTheFirstRequest) {
    const std::string base = server.BaseUrl();
    Serve([base](const RecordedRequest& r) {
        if (r.target == "/start?q=1") return Redirect(base + "/abs");
        if (r.target == "/abs") {
            Response moved = Redirect("/slash", 301);
            moved.headers.emplace_back("Set-Cookie", "hop=1; path=/");
            return moved;
        }
        if (r.target == "/slash") return Redirect("dir/next?x=1", 307);
        return Body("end of " + r.target);
    });
    std::vector<SentRequest> sent;
    session.SetSendObserver([&](const SentRequest& r) { sent.push_back(r); });
    session.AddHeader("X-Mine", "1");
    const std::string first = Url("/start?q=1");
    ASSERT_TRUE(session.OpenRequest("GET", first));
    ASSERT_TRUE(session.SendText());
    EXPECT_EQ(session.ResponseText(), "end of /dir/next?x=1");

    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 4u);
    const char* targets[] = {"/start?q=1", "/abs", "/slash", "/dir/next?x=1"};
    ASSERT_EQ(sent.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(requests[i].target, targets[i]);
        EXPECT_EQ(requests[i].method, "GET");
        EXPECT_EQ(requests[i].Header("Referer"), first);
        EXPECT_EQ(requests[i].Header("X-Mine"), "1");
        std::string lines = sent[i].headers.substr(0, sent[i].headers.find("Cookie: "));
        EXPECT_EQ(lines, sent[0].headers);
    }
    EXPECT_EQ(sent[2].url, server.BaseUrl() + "/slash");
    EXPECT_EQ(requests[1].Header("Cookie"), "");
    EXPECT_EQ(requests[2].Header("Cookie"), "hop=1");
    EXPECT_EQ(requests[3].Header("Cookie"), "hop=1");
    EXPECT_EQ(session.RequestUrl(), server.BaseUrl() + "/dir/next?x=1");
    EXPECT_EQ(session.PendingHeaderBlock(), "\r\n");
}

TEST_F(SessionTest, PostAnsweredWithARedirectBecomesAGetWithoutBody) {
    Serve([](const RecordedRequest& r) {
        if (r.target == "/form") return Redirect("/done", 303);
        return Body(r.method + ":" + r.body);
    });
    ASSERT_TRUE(session.OpenRequest("POST", Url("/form")));
    ASSERT_TRUE(session.SendText("a=1"));
    EXPECT_EQ(session.ResponseText(), "GET:");
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].body, "a=1");
    EXPECT_EQ(requests[1].Header("Content-Type"), "");
    EXPECT_EQ(requests[1].Header("Content-Length"), "");
    EXPECT_EQ(session.LastRequestHeaders().find("Content-"), std::string::npos);

    // The next POST carries its default Content-Type again.
    ASSERT_TRUE(session.OpenRequest("POST", Url("/other")));
    ASSERT_TRUE(session.SendText("b=2"));
    EXPECT_EQ(server.Requests().back().Header("Content-Type"), "application/x-www-form-urlencoded");
}

TEST_F(SessionTest, RedirectLoopEndsAfterTenHopsWithTheLastAnswer) {
    int n = 0;
    Serve([&n](const RecordedRequest&) { return Redirect("/loop" + std::to_string(++n)); });
    ASSERT_TRUE(session.OpenRequest("GET", Url("/loop0")));
    EXPECT_TRUE(session.SendText());
    EXPECT_EQ(server.RequestCount(), 1u + HttpSession::kMaxRedirects);
    EXPECT_EQ(session.RequestUrl(), server.BaseUrl() + "/loop10");
    EXPECT_EQ(session.ResponseHeader("Location"), "/loop11");
    EXPECT_EQ(session.ResponseText(), "moved");
}

TEST_F(SessionTest, RedirectsCanBeLeftToTheCaller) {
    Serve([](const RecordedRequest&) { return Redirect("next.php?a=1"); });
    session.SetFollowRedirects(0);
    const std::string url = Url("/dir/page.php");
    ASSERT_TRUE(session.OpenRequest("GET", url));
    ASSERT_TRUE(session.SendText());
    EXPECT_EQ(server.RequestCount(), 1u);
    EXPECT_EQ(session.StatusCode(), 302);
    EXPECT_EQ(session.RedirectLocation(), server.BaseUrl() + "/dir/next.php?a=1");
    EXPECT_EQ(session.ResolveLocation(), server.BaseUrl() + "/dir/next.php?a=1");
}

}  // namespace
}  // namespace http
