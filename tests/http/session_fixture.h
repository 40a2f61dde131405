#pragma once
// A session and a loopback server for one test; the server answers through a handler the test may
// replace, and by default echoes nothing with 200.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "http/http_session.h"
#include "support/http_test_server.h"

namespace http {

// The lines of a CR LF text, each without its CR LF; a last line without CR LF counts too.
inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

class SessionTest : public ::testing::Test {
protected:
    using Response = testing_support::Response;
    using RecordedRequest = testing_support::RecordedRequest;

    static Response Body(std::string body) {
        Response r;
        r.body = std::move(body);
        return r;
    }
    void Serve(testing_support::Handler handler) { server.SetHandler(std::move(handler)); }
    std::string Url(const std::string& path) const { return server.BaseUrl() + path; }
    RecordedRequest LastRequest() const {
        auto requests = server.Requests();
        return requests.empty() ? RecordedRequest{} : requests.back();
    }
    // GET of the URL the way the program does it: OpenRequest, SendText, then the body.
    std::string Fetch(const std::string& url) {
        EXPECT_TRUE(session.OpenRequest("GET", url));
        EXPECT_TRUE(session.SendText());
        return session.ResponseBytes();
    }

    testing_support::HttpTestServer server{[](const RecordedRequest&) { return Response{}; }};
    HttpSession session;
};

}  // namespace http
