// Reading answers: bodies of every size, text forms, headers, broken servers, and two threads at once.
#include <chrono>
#include <thread>

#include "session_fixture.h"
#include "win/text.h"

namespace http {
namespace {

std::string Pattern(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>('a' + (i * 7 + i / 1024) % 26);
    return bytes;
}

TEST_F(SessionTest, BodiesOfEverySizeAreReadWholeAndOnce) {
    for (size_t size : {0u, 1u, 1023u, 1024u, 1025u, 11265u, 1u << 20}) {
        SCOPED_TRACE(size);
        const std::string body = Pattern(size);
        Serve([&](const RecordedRequest&) { return Body(body); });
        size_t before = server.RequestCount();
        EXPECT_EQ(Fetch(Url("/b")), body);
        EXPECT_TRUE(session.ResponseComplete());
        EXPECT_EQ(session.ResponseBytes(), body);  // from the cache
        EXPECT_EQ(session.ResponseText(), body);
        EXPECT_EQ(server.RequestCount(), before + 1);
    }
}

TEST_F(SessionTest, MaxChunksCutsTheBodyForGood) {
    const std::string body = Pattern(5000);
    Serve([&](const RecordedRequest&) { return Body(body); });
    ASSERT_TRUE(session.OpenRequest("GET", Url("/b")));
    ASSERT_TRUE(session.SendText());
    std::string first = session.ResponseBytes(1);
    EXPECT_GT(first.size(), 0u);
    EXPECT_LE(first.size(), 1024u);
    EXPECT_EQ(first, body.substr(0, first.size()));
    EXPECT_EQ(session.ResponseBytes(), first);
    EXPECT_FALSE(session.ResponseComplete());

    ASSERT_TRUE(session.OpenRequest("GET", Url("/b")));  // a new request reads anew
    ASSERT_TRUE(session.SendText());
    EXPECT_EQ(session.ResponseBytes(), body);
}

TEST_F(SessionTest, TextFormsOfTheBody) {
    Serve([](const RecordedRequest&) { return Body(std::string("ab\0cd", 5)); });
    Fetch(Url("/z"));
    EXPECT_EQ(session.ResponseBytes().size(), 5u);
    EXPECT_EQ(session.ResponseText(), "ab");
    EXPECT_EQ(session.ResponseTextFromUtf8(), L"ab");

    // Characters code page 936 lacks (Korean, an emoji) survive the decoding.
    const std::wstring text = L"东来东往 한국어 😀 \"title\"";
    Serve([&](const RecordedRequest&) { return Body(win::WideToUtf8(text)); });
    Fetch(Url("/u"));
    EXPECT_EQ(session.ResponseTextFromUtf8(), text);
    EXPECT_EQ(session.ResponseTextFromUtf8(), text);
    EXPECT_EQ(session.GetText(Url("/u")), text);
    EXPECT_EQ(session.Get(Url("/u")), win::WideToUtf8(text));

    Serve([](const RecordedRequest&) { return Body(""); });
    EXPECT_EQ(session.GetText(Url("/empty")), L"");
}

TEST_F(SessionTest, ResponseHeaderMatchesWholeNamesOnly) {
    Serve([](const RecordedRequest&) {
        Response r = Body("<p>");
        r.status = 404;
        r.headers = {
            {"Content-Location", "/elsewhere"}, {"Content-Type", "text/html"}, {"X-Two", "1"}, {"X-Two", "2"}};
        return r;
    });
    Fetch(Url("/h"));
    EXPECT_EQ(session.StatusCode(), 404);
    EXPECT_EQ(session.ResponseHeader("content-type"), "text/html");
    EXPECT_EQ(session.ResponseHeader("X-Two"), "1");
    EXPECT_EQ(session.ResponseHeader("Location"), "");
    EXPECT_EQ(session.ResponseHeader("Missing"), "");
    EXPECT_EQ(session.ResponseHeader(""), "");
    EXPECT_EQ(session.RedirectLocation(), "");
    std::string headers = session.ResponseHeaders();
    EXPECT_TRUE(headers.starts_with("HTTP/1.1 404 Not Found\r\n"));
    EXPECT_TRUE(headers.ends_with("\r\n\r\n"));
}

TEST_F(SessionTest, BrokenBodiesAreNotTakenForWholeAnswers) {
    struct Case {
        const char* name;
        Response response;
        bool whole;
    };
    Response dropped = Body(Pattern(5000));
    dropped.dropAfter = 1500;
    Response reset = dropped;
    reset.reset = true;
    Response unsized = Body(Pattern(3000));
    unsized.contentLength = false;
    const Case cases[] = {{"closed in the middle", dropped, false},
                          {"reset in the middle", reset, false},
                          {"no Content-Length, ended by close", unsized, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Serve([&](const RecordedRequest&) { return c.response; });
        std::optional<std::string> got = session.Get(Url("/b"));
        EXPECT_EQ(got.has_value(), c.whole);
        if (c.whole) {
            EXPECT_EQ(*got, c.response.body);
        } else {
            std::string partial = session.ResponseBytes();
            EXPECT_LE(partial.size(), 1500u);
            EXPECT_EQ(partial, c.response.body.substr(0, partial.size()));
        }
    }
}

TEST_F(SessionTest, StalledServerEndsInTheReceiveTimeout) {
    Serve([](const RecordedRequest&) {
        Response r = Body(Pattern(5000));
        r.dropAfter = 100;
        r.stallMs = 60000;
        return r;
    });
    session.SetTimeouts(1000, 1000, 500);
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(session.Get(Url("/stall")));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
    EXPECT_LE(session.ResponseBytes().size(), 100u);
}

TEST_F(SessionTest, TwoThreadsOnOneSessionNeverMixAnswers) {
    Serve([](const RecordedRequest& r) {
        Response answer = Body("answer for " + r.target);
        answer.delayMs = static_cast<int>(r.target.size() % 3);
        return answer;
    });
    constexpr int kRounds = 15;
    auto worker = [this](char who, int& wrong) {
        for (int i = 0; i < kRounds; ++i) {
            std::string path = std::string("/") + who + "/" + std::to_string(i);
            std::optional<std::wstring> got = session.GetText(Url(path));
            if (!got || *got != win::Utf8ToWide("answer for " + path)) ++wrong;
        }
    };
    int wrongA = 0, wrongB = 0;
    std::thread a(worker, 'a', std::ref(wrongA));
    std::thread b(worker, 'b', std::ref(wrongB));
    a.join();
    b.join();
    EXPECT_EQ(wrongA, 0);
    EXPECT_EQ(wrongB, 0);
    EXPECT_EQ(server.RequestCount(), 2u * kRounds);
    EXPECT_EQ(server.MaxInFlight(), 1);  // the session's lock lets one request out at a time
}

}  // namespace
}  // namespace http
