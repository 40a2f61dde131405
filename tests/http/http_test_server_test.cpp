// The loopback server that the HTTP tests stand on, checked with a raw socket client so that what is
// asserted is exactly what went over the wire.
#include "support/http_test_server.h"

#include <gtest/gtest.h>
#include <winsock2.h>
#include <ws2tcpip.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace testing_support {
namespace {

// A blocking client with a receive time-out, so that no test can wait for ever.
class RawClient {
public:
    explicit RawClient(uint16_t port) {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        s_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        DWORD timeout = 5000;
        setsockopt(s_, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = htons(port);
        connected_ = connect(s_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    }
    ~RawClient() {
        closesocket(s_);
        WSACleanup();
    }
    bool connected() const { return connected_; }
    bool Send(const std::string& text) {
        return send(s_, text.data(), static_cast<int>(text.size()), 0) == static_cast<int>(text.size());
    }

    // Reads until `bytes` more bytes are buffered or the stream ends; false when it ended early.
    bool Fill(size_t bytes) {
        char chunk[4096];
        while (buffer_.size() < bytes) {
            int n = recv(s_, chunk, sizeof chunk, 0);
            if (n <= 0) return false;
            buffer_.append(chunk, static_cast<size_t>(n));
        }
        return true;
    }
    // One response with a Content-Length: head and body (only the head for an answer to HEAD).
    std::string ReadResponse(bool headOnly = false) {
        size_t end;
        while ((end = buffer_.find("\r\n\r\n")) == std::string::npos) {
            if (!Fill(buffer_.size() + 1)) return TakeAll();
        }
        size_t length = 0;
        size_t at = buffer_.find("Content-Length: ");
        if (!headOnly && at != std::string::npos && at < end) length = std::stoul(buffer_.substr(at + 16));
        Fill(end + 4 + length);
        std::string r = buffer_.substr(0, std::min(buffer_.size(), end + 4 + length));
        buffer_.erase(0, r.size());
        return r;
    }
    // Everything until the server closes the connection.
    std::string ReadToEnd() {
        Fill(SIZE_MAX);
        return TakeAll();
    }

private:
    std::string TakeAll() { return std::exchange(buffer_, {}); }
    SOCKET s_ = INVALID_SOCKET;
    bool connected_ = false;
    std::string buffer_;
};

std::string BodyOf(const std::string& response) {
    return response.substr(response.find("\r\n\r\n") + 4);
}

Response Text(std::string body) {
    Response r;
    r.body = std::move(body);
    return r;
}

TEST(HttpTestServer, KeepsTheConnectionAndRecordsRequestsAsReceived) {
    HttpTestServer server([](const RecordedRequest& r) { return Text(r.method + " " + r.target + " " + r.body); });
    EXPECT_EQ(server.BaseUrl(), "http://127.0.0.1:" + std::to_string(server.port()));
    RawClient client(server.port());
    ASSERT_TRUE(client.connected());
    client.Send("GET /a?x=1&y=%20z HTTP/1.1\r\nHost: h\r\nX-One:  spaced value \r\nx-one: second\r\n\r\n");
    std::string first = client.ReadResponse();
    client.Send("POST /b HTTP/1.1\r\nContent-Length: 5\r\n\r\nhello");
    std::string second = client.ReadResponse();

    EXPECT_EQ(first.substr(0, 17), "HTTP/1.1 200 OK\r\n");
    EXPECT_EQ(BodyOf(first), "GET /a?x=1&y=%20z ");
    EXPECT_EQ(BodyOf(second), "POST /b hello");
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].connection, 1);
    EXPECT_EQ(requests[1].connection, 1);
    EXPECT_EQ(server.ConnectionCount(), 1);
    EXPECT_EQ(requests[0].version, "HTTP/1.1");
    EXPECT_EQ(requests[0].head,
              "GET /a?x=1&y=%20z HTTP/1.1\r\nHost: h\r\nX-One:  spaced value \r\nx-one: second\r\n");
    ASSERT_EQ(requests[0].headers.size(), 3u);
    EXPECT_EQ(requests[0].headers[1], (std::pair<std::string, std::string>("X-One", "spaced value")));
    EXPECT_EQ(requests[0].Header("x-ONE"), "spaced value");
    EXPECT_EQ(requests[0].Headers("X-One"), (std::vector<std::string>{"spaced value", "second"}));
    EXPECT_EQ(requests[0].Header("Missing"), "");
    EXPECT_EQ(requests[1].body, "hello");
}

TEST(HttpTestServer, SendsScriptedStatusHeadersAndClosesWhenAsked) {
    HttpTestServer server([](const RecordedRequest&) {
        Response r;
        r.status = 302;
        r.headers = {{"Set-Cookie", "a=1; path=/"}, {"Set-Cookie", "b=2"}, {"Location", "/next"}};
        r.close = true;
        return r;
    });
    RawClient client(server.port());
    client.Send("GET / HTTP/1.1\r\n\r\n");
    EXPECT_EQ(client.ReadToEnd(),
              "HTTP/1.1 302 Found\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=2\r\nLocation: /next\r\n"
              "Content-Length: 0\r\nConnection: close\r\n\r\n");
}

TEST(HttpTestServer, BodyWithoutLengthEndsWithTheConnection) {
    HttpTestServer server([](const RecordedRequest&) {
        Response r = Text("streamed");
        r.contentLength = false;
        r.reason = "Fine";
        return r;
    });
    RawClient client(server.port());
    client.Send("GET / HTTP/1.1\r\n\r\n");
    EXPECT_EQ(client.ReadToEnd(), "HTTP/1.1 200 Fine\r\nConnection: close\r\n\r\nstreamed");
}

TEST(HttpTestServer, DropAfterCutsTheBodyWithFinOrReset) {
    for (bool reset : {false, true}) {
        HttpTestServer server([reset](const RecordedRequest&) {
            Response r = Text(std::string(100, 'x'));
            r.dropAfter = 10;
            r.reset = reset;
            return r;
        });
        RawClient client(server.port());
        client.Send("GET / HTTP/1.1\r\n\r\n");
        // Let the reset arrive before reading, so the read sees it rather than racing it.
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        std::string got = client.ReadToEnd();
        EXPECT_NE(got.find("Content-Length: 100\r\n"), std::string::npos) << reset;
        // Wine reads a reset as a plain end of the stream; a reset connection shows itself when written to.
        EXPECT_LE(BodyOf(got).size(), 10u) << reset;
        if (!reset) {
            EXPECT_EQ(BodyOf(got), std::string(10, 'x'));
        }
        EXPECT_EQ(client.Send("more"), !reset);
    }
}

TEST(HttpTestServer, StalledConnectionDoesNotHoldTheDestructor) {
    auto start = std::chrono::steady_clock::now();
    {
        HttpTestServer server([](const RecordedRequest&) {
            Response r = Text(std::string(100, 'x'));
            r.dropAfter = 10;
            r.stallMs = 60000;
            return r;
        });
        RawClient client(server.port());
        client.Send("GET / HTTP/1.1\r\n\r\n");
        ASSERT_TRUE(client.Fill(10));
        // A delayed answer on a second connection must not hold it either.
        server.SetHandler([](const RecordedRequest&) {
            Response r;
            r.delayMs = 60000;
            return r;
        });
        RawClient waiting(server.port());
        waiting.Send("GET / HTTP/1.1\r\n\r\n");
        for (int i = 0; i < 200 && server.RequestCount() < 2; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
}

TEST(HttpTestServer, TricklesTheBodyWhole) {
    HttpTestServer server([](const RecordedRequest&) {
        Response r = Text(std::string(300, 'y'));
        r.bytesPerSecond = 3000;
        return r;
    });
    RawClient client(server.port());
    client.Send("GET / HTTP/1.1\r\n\r\n");
    EXPECT_EQ(BodyOf(client.ReadResponse()), std::string(300, 'y'));
}

TEST(HttpTestServer, CountsRequestsAnsweredAtTheSameTime) {
    std::mutex m;
    std::condition_variable cv;
    int arrived = 0;
    HttpTestServer server([&](const RecordedRequest&) {
        std::unique_lock lock(m);
        ++arrived;
        cv.notify_all();
        cv.wait_for(lock, std::chrono::seconds(5), [&] { return arrived >= 2; });
        return Text("ok");
    });
    RawClient a(server.port()), b(server.port());
    a.Send("GET /1 HTTP/1.1\r\n\r\n");
    b.Send("GET /2 HTTP/1.1\r\n\r\n");
    EXPECT_EQ(BodyOf(a.ReadResponse()), "ok");
    EXPECT_EQ(BodyOf(b.ReadResponse()), "ok");
    EXPECT_EQ(server.MaxInFlight(), 2);
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_NE(requests[0].connection, requests[1].connection);
}

TEST(HttpTestServer, ServesBytesWithRanges) {
    HttpTestServer server(ServeBytes({{"/f.bin", "0123456789"}}));
    struct Case {
        const char* range;
        const char* status;
        const char* contentRange;
        const char* body;
    };
    const Case cases[] = {
        {nullptr, "200", nullptr, "0123456789"},     {"bytes=2-4", "206", "bytes 2-4/10", "234"},
        {"bytes=7-", "206", "bytes 7-9/10", "789"},  {"bytes=8-100", "206", "bytes 8-9/10", "89"},
        {"bytes=10-", "416", "bytes */10", ""},      {"bytes=-3", "200", nullptr, "0123456789"},
        {"items=1-2", "200", nullptr, "0123456789"},
    };
    RawClient client(server.port());
    for (const Case& c : cases) {
        std::string request = "GET /f.bin?v=1 HTTP/1.1\r\n";
        if (c.range) request += std::string("Range: ") + c.range + "\r\n";
        client.Send(request + "\r\n");
        std::string got = client.ReadResponse();
        SCOPED_TRACE(c.range ? c.range : "no range");
        EXPECT_EQ(got.substr(9, 3), c.status);
        EXPECT_EQ(got.find("Content-Range: ") != std::string::npos, c.contentRange != nullptr);
        if (c.contentRange) {
            EXPECT_NE(got.find(std::string("Content-Range: ") + c.contentRange + "\r\n"), std::string::npos);
        }
        EXPECT_EQ(BodyOf(got), c.body);
    }
    client.Send("GET /missing HTTP/1.1\r\n\r\n");
    EXPECT_EQ(client.ReadResponse().substr(9, 3), "404");
    client.Send("HEAD /f.bin HTTP/1.1\r\n\r\n");
    std::string head = client.ReadResponse(true);
    EXPECT_NE(head.find("Content-Length: 10\r\n"), std::string::npos);
    EXPECT_EQ(BodyOf(head), "");
}

TEST(HttpTestServer, ParsesRangeValues) {
    struct Case {
        const char* text;
        bool ok;
        int64_t first, last;
    };
    const Case cases[] = {
        {"bytes=0-1048575", true, 0, 1048575},
        {"bytes=5-", true, 5, -1},
        {"Bytes=3-4", true, 3, 4},
        {"", false, 0, 0},
        {"bytes=", false, 0, 0},
        {"bytes=4-3", false, 0, 0},
        {"bytes=-5", false, 0, 0},
        {"bytes=a-b", false, 0, 0},
        {"bytes=1-2x", false, 0, 0},
        {"bytes=1-2,4-5", false, 0, 0},
    };
    for (const Case& c : cases) {
        int64_t first = 0, last = 0;
        EXPECT_EQ(ParseRange(c.text, first, last), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(first, c.first) << c.text;
            EXPECT_EQ(last, c.last) << c.text;
        }
    }
}

}  // namespace
}  // namespace testing_support
