#pragma once
// An HTTP/1.1 server on 127.0.0.1 inside the test process. Each test scripts its answers with a handler
// and afterwards reads back every request exactly as it arrived.
//
// One thread accepts, one thread serves each connection; a connection carries several requests
// (keep-alive) until an answer, the client ("Connection: close") or a dropped body ends it. An answer
// to HEAD sends the head only, with the Content-Length of the scripted body. Every socket is
// non-blocking and every wait is bounded, so the destructor never hangs on a client, a delayed answer
// or a stalled connection.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace testing_support {

struct RecordedRequest {
    int connection = 0;                                        // 1-based id of the TCP connection it came on
    std::string method, target, version;                       // target = path + query, unchanged
    std::vector<std::pair<std::string, std::string>> headers;  // in order, as received (value trimmed)
    std::string head;  // the raw request line and header lines, each with its CR LF, without the empty line
    std::string body;

    // First value of the header, letter case ignored in the name; "" when absent.
    std::string Header(std::string_view name) const;
    // Every value of the header, in order.
    std::vector<std::string> Headers(std::string_view name) const;
};

struct Response {
    int status = 200;
    std::string reason;                                        // "" = the usual phrase
    std::vector<std::pair<std::string, std::string>> headers;  // sent in order (several Set-Cookie allowed)
    std::string body;
    bool contentLength = true;    // false: no Content-Length, body then connection close
    int delayMs = 0;              // wait before sending anything
    size_t dropAfter = SIZE_MAX;  // send head + this many body bytes, then close the socket abruptly
    bool reset = false;           // with dropAfter: close with RST (SO_LINGER 0) instead of FIN
    int stallMs = 0;              // with dropAfter: keep the connection open this long without sending, then close
    int bytesPerSecond = 0;       // >0: trickle the body (a slow server)
    bool close = false;           // Connection: close after this response
};

using Handler = std::function<Response(const RecordedRequest&)>;

class HttpTestServer {
public:
    explicit HttpTestServer(Handler handler);
    ~HttpTestServer();  // stops, closes every connection, joins all threads
    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    uint16_t port() const;
    std::string BaseUrl() const;  // "http://127.0.0.1:<port>"
    std::vector<RecordedRequest> Requests() const;
    int MaxInFlight() const;  // most requests being answered at the same moment
    void SetHandler(Handler);

    // Added conveniences.
    size_t RequestCount() const;
    int ConnectionCount() const;  // connections accepted so far
    void ClearRequests();

private:
    struct State;
    std::unique_ptr<State> state_;
};

// Serves byte resources by path (the target without its query) with Range support: 206 with
// Content-Range for "bytes=a-b" and "bytes=a-" (an end past the resource's end is cut to it), 416 for a
// start past the end, 200 with the whole resource otherwise, 404 for unknown paths.
Handler ServeBytes(std::map<std::string, std::string> resources);
// The answer ServeBytes gives for one resource's bytes: 206, 416 or 200 by the request's Range.
Response ServeRange(const RecordedRequest& request, const std::string& bytes);

// Parses "bytes=a-b" / "bytes=a-" (last = -1 for an open end); false when absent or malformed.
bool ParseRange(std::string_view headerValue, int64_t& first, int64_t& last);

// The usual reason phrase of a status code ("OK", "Not Found", ...).
std::string ReasonPhrase(int status);

}  // namespace testing_support
