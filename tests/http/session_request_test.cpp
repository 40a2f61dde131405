// What a request carries: the header text handed to WinINet, and what the server receives.
#include <functional>

#include "session_fixture.h"

namespace http {
namespace {

const std::string kAccept = "Accept: text/html, application/xhtml+xml, */*";
const std::string kLanguage = "Accept-Language: zh-cn";
const std::string kAgent = std::string("User-Agent: ") + kDefaultUserAgent;
const std::string kConnection = "Connection: Keep-Alive";

std::vector<std::string> DefaultLines(const std::string& url) {
    return {kAccept, "Referer: " + url, kLanguage, kAgent, kConnection};
}

TEST_F(SessionTest, PlainGetHandsTheDefaultLinesInOrder) {
    std::vector<SentRequest> sent;
    session.SetSendObserver([&](const SentRequest& r) { sent.push_back(r); });
    const std::string url = Url("/search?k=%E4%B8%9C%E6%9D%A5&page=1&x=a%20b");
    Fetch(url);
    EXPECT_EQ(Lines(session.LastRequestHeaders()), DefaultLines(url));
    EXPECT_TRUE(session.LastRequestHeaders().ends_with("\r\n"));
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].method, "GET");
    EXPECT_EQ(sent[0].url, url);
    EXPECT_EQ(sent[0].body, "");

    RecordedRequest got = LastRequest();
    EXPECT_EQ(Lines(got.head)[0], "GET /search?k=%E4%B8%9C%E6%9D%A5&page=1&x=a%20b HTTP/1.1");
    EXPECT_EQ(got.Header("Accept"), "text/html, application/xhtml+xml, */*");
    EXPECT_EQ(got.Header("Referer"), url);
    EXPECT_EQ(got.Header("Accept-Language"), "zh-cn");
    EXPECT_EQ(got.Header("User-Agent"), kDefaultUserAgent);
    EXPECT_EQ(got.Header("Connection"), "Keep-Alive");
    EXPECT_EQ(got.Header("Cookie"), "");
    EXPECT_EQ(got.Header("Content-Type"), "");
    EXPECT_EQ(got.body, "");
}

TEST_F(SessionTest, CookieLineFollowsTheJar) {
    session.MergeCookies("a=1; b=2");
    const std::string url = Url("/p");
    Fetch(url);
    std::vector<std::string> expected = DefaultLines(url);
    expected.push_back("Cookie: a=1; b=2");
    EXPECT_EQ(Lines(session.LastRequestHeaders()), expected);
    EXPECT_EQ(LastRequest().Header("Cookie"), "a=1; b=2");

    session.SetCookieText();
    Fetch(url);
    EXPECT_EQ(Lines(session.LastRequestHeaders()), DefaultLines(url));
}

TEST_F(SessionTest, CookiesOfAnAnswerGoToLaterRequestsOnce) {
    Serve([](const RecordedRequest&) {
        Response r;
        r.headers = {{"Set-Cookie", "a=1; path=/"}, {"set-cookie", "b=2; HttpOnly"}};
        return r;
    });
    Fetch(Url("/login"));
    EXPECT_EQ(session.CookieText(), "a=1; b=2");
    // Taken at the send: the header readers must not bring back what the caller removed since.
    session.RemoveCookies("a");
    EXPECT_EQ(session.ResponseHeader("Set-Cookie"), "a=1; path=/");
    session.ResponseHeaders();
    session.RedirectLocation();
    EXPECT_EQ(session.CookieText(), "b=2");

    Serve([](const RecordedRequest&) { return Response{}; });
    Fetch(Url("/next"));
    EXPECT_EQ(LastRequest().Header("Cookie"), "b=2");
}

// Each case edits the header block between OpenRequest and the first send; the second send of the
// same session shows what lasts.
TEST_F(SessionTest, HeaderEditsLastForOneSendAndSettersChangeTheDefaults) {
    struct Case {
        const char* name;
        std::function<void(HttpSession&, const std::string& url)> edit;
        std::function<std::vector<std::string>(const std::string& url)> first;
        std::function<std::vector<std::string>(const std::string& url)> second;  // the URL of the second send
    };
    auto defaults = [](const std::string& u) { return DefaultLines(u); };
    const Case cases[] = {
        {"remove User-Agent", [](HttpSession& s, auto&) { s.RemoveHeader("User-Agent"); },
         [](auto& u) {
             return std::vector<std::string>{kAccept, "Referer: " + u, kLanguage, kConnection};
         },
         defaults},
        {"set empty Accept", [](HttpSession& s, auto&) { s.SetAccept(""); },
         [](auto& u) {
             return std::vector<std::string>{"Referer: " + u, kLanguage, kAgent, kConnection};
         },
         defaults},
        {"set User-Agent", [](HttpSession& s, auto&) { s.SetUserAgent("X"); },
         [](auto& u) {
             return std::vector<std::string>{"User-Agent: X", kAccept, "Referer: " + u, kLanguage, kConnection};
         },
         [](auto& u) {
             return std::vector<std::string>{kAccept, "Referer: " + u, kLanguage, "User-Agent: X", kConnection};
         }},
        {"add accept: lower case", [](HttpSession& s, auto&) { s.AddHeader("accept:", "text/plain"); },
         [](auto& u) {
             return std::vector<std::string>{"accept: text/plain", "Referer: " + u, kLanguage, kAgent, kConnection};
         },
         defaults},
        {"content type on a GET", [](HttpSession& s, auto&) { s.SetContentType("text/xml"); },
         [](auto& u) {
             return std::vector<std::string>{
                 "Content-Type: text/xml", kAccept, "Referer: " + u, kLanguage, kAgent, kConnection};
         },
         defaults},
        {"fixed referer", [](HttpSession& s, auto&) { s.SetReferer("R"); },
         [](auto&) {
             return std::vector<std::string>{"Referer: R", kAccept, kLanguage, kAgent, kConnection};
         },
         [](auto&) {
             return std::vector<std::string>{kAccept, "Referer: R", kLanguage, kAgent, kConnection};
         }},
        {"referer of this request", [](HttpSession& s, auto&) { s.SetReferer(); },
         [](auto& u) {
             return std::vector<std::string>{"Referer: " + u, kAccept, kLanguage, kAgent, kConnection};
         },
         defaults},
        {"client address",
         [](HttpSession& s, auto&) {
             s.AddHeader("X-Mine", "1");
             s.SetClientAddress("10.0.0.1");
         },
         [](auto& u) {
             return std::vector<std::string>{"X-Mine: 1",
                                             "X-Forwarded-For: 10.0.0.1",
                                             "CLIENT_IP: 10.0.0.1",
                                             "VIA: 10.0.0.1",
                                             "REMOTE_ADDR: 10.0.0.1",
                                             kAccept,
                                             "Referer: " + u,
                                             kLanguage,
                                             kAgent,
                                             kConnection};
         },
         defaults},
        {"no default lines", [](HttpSession& s, auto&) { s.SetAutoHeaders(0); },
         [](auto&) { return std::vector<std::string>{}; }, [](auto&) { return std::vector<std::string>{}; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HttpSession s;
        std::string first = Url("/first?n=1"), second = Url("/second");
        ASSERT_TRUE(s.OpenRequest("GET", first));
        c.edit(s, first);
        ASSERT_TRUE(s.Send());
        EXPECT_EQ(Lines(s.LastRequestHeaders()), c.first(first));
        EXPECT_EQ(s.PendingHeaderBlock(), "\r\n");
        ASSERT_TRUE(s.OpenRequest("GET", second));
        ASSERT_TRUE(s.Send());
        EXPECT_EQ(Lines(s.LastRequestHeaders()), c.second(second));
    }
    // What the server saw of the fixed Referer and of the client address lines.
    HttpSession s;
    s.SetReferer("http://example.invalid/r");
    s.OpenRequest("GET", Url("/r"));
    s.SetClientAddress("10.0.0.2");
    s.Send();
    EXPECT_EQ(LastRequest().Header("Referer"), "http://example.invalid/r");
    EXPECT_EQ(LastRequest().Header("X-Forwarded-For"), "10.0.0.2");
    EXPECT_EQ(LastRequest().Header("REMOTE_ADDR"), "10.0.0.2");
}

TEST_F(SessionTest, PostSendsItsBodyOtherMethodsDoNot) {
    Serve([](const RecordedRequest& r) { return Body(r.method + ":" + r.body); });
    const std::string url = Url("/form");
    ASSERT_TRUE(session.OpenRequest(" post ", url));
    ASSERT_TRUE(session.SendText("x=1&y=2"));
    EXPECT_EQ(session.ResponseText(), "POST:x=1&y=2");
    EXPECT_EQ(Lines(session.LastRequestHeaders()),
              (std::vector<std::string>{kAccept, "Referer: " + url, kLanguage, kAgent,
                                        "Content-Type: application/x-www-form-urlencoded", kConnection,
                                        "Content-Length: 7"}));
    EXPECT_EQ(LastRequest().Header("Content-Type"), "application/x-www-form-urlencoded");
    EXPECT_EQ(LastRequest().Headers("Content-Length"), std::vector<std::string>{"7"});

    ASSERT_TRUE(session.OpenRequest("put", url));
    ASSERT_TRUE(session.SendText("ignored"));
    EXPECT_EQ(session.ResponseText(), "PUT:");
    EXPECT_EQ(Lines(session.LastRequestHeaders()), DefaultLines(url));
}

TEST_F(SessionTest, SendWithoutARequestKeepsTheLinesForTheNextOne) {
    session.AddHeader("X-Keep", "1");
    EXPECT_FALSE(session.SendText());
    EXPECT_EQ(session.PendingHeaderBlock(), "\r\nX-Keep: 1\r\n");
    Fetch(Url("/k"));
    EXPECT_EQ(LastRequest().Header("X-Keep"), "1");
}

TEST_F(SessionTest, FailedConnectionLeavesNoStaleRequest) {
    uint16_t closedPort;
    {
        testing_support::HttpTestServer gone([](const RecordedRequest&) { return Response{}; });
        closedPort = gone.port();
    }
    Serve([](const RecordedRequest&) { return Body("first"); });
    EXPECT_EQ(Fetch(Url("/one")), "first");

    const std::string refused = "http://127.0.0.1:" + std::to_string(closedPort) + "/x";
    ASSERT_TRUE(session.OpenRequest("GET", refused));
    EXPECT_FALSE(session.SendText());
    EXPECT_FALSE(session.SendText());  // not sent again on a request that has no connection
    EXPECT_EQ(session.ResponseBytes(), "");
    EXPECT_EQ(session.ResponseHeaders(), "");
    EXPECT_EQ(session.StatusCode(), 0);
    EXPECT_FALSE(session.GetText(refused));
    EXPECT_EQ(server.RequestCount(), 1u);

    // A host WinINet cannot even connect to.
    EXPECT_FALSE(session.OpenRequest("GET", "http:///x"));
    EXPECT_FALSE(session.SendText());
}

TEST_F(SessionTest, ClosedSessionFailsUntilReopened) {
    session.MergeCookies("a=1");
    session.SetAccept("text/x");
    session.Close();
    EXPECT_FALSE(session.OpenRequest("GET", Url("/x")));
    EXPECT_FALSE(session.SendText());
    EXPECT_EQ(session.ResponseBytes(), "");
    EXPECT_FALSE(session.Get(Url("/x")));

    session.Reopen();
    EXPECT_EQ(session.CookieJarText(), "; ");
    EXPECT_EQ(session.PendingHeaderBlock(), "\r\n");
    Serve([](const RecordedRequest&) { return Body("back"); });
    EXPECT_EQ(Fetch(Url("/x")), "back");
    EXPECT_EQ(Lines(session.LastRequestHeaders()), DefaultLines(Url("/x")));
    EXPECT_EQ(server.RequestCount(), 1u);
}

TEST_F(SessionTest, LongResponseHeaderBlockIsReadWhole) {
    Serve([](const RecordedRequest&) {
        Response r = Body("body");
        for (int i = 0; i < 30; ++i) r.headers.emplace_back("X-Big-" + std::to_string(i), std::string(500, 'v'));
        r.headers.emplace_back("Set-Cookie", "late=1; path=/");
        return r;
    });
    EXPECT_EQ(Fetch(Url("/big")), "body");
    EXPECT_GT(session.ResponseHeaders().size(), 15000u);
    EXPECT_EQ(session.ResponseHeader("x-big-29"), std::string(500, 'v'));
    EXPECT_EQ(session.CookieText(), "late=1");
}

}  // namespace
}  // namespace http
