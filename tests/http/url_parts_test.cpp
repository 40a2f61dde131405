// Splitting URLs and resolving redirect targets.
#include "http/url_parts.h"

#include <gtest/gtest.h>

namespace http {
namespace {

TEST(ParseUrl, SplitsSchemeHostPortAndPath) {
    struct Case {
        const char* url;
        const char* scheme;
        const char* host;
        int port;
        const char* path;
    };
    const Case cases[] = {
        {"http://host", "http://", "host", 80, "/"},
        {"https://Host:8443/a?b=1", "https://", "Host", 8443, "/a?b=1"},
        {"HTTPS://host/x", "https://", "host", 443, "/x"},
        {"hTTp://host/x", "http://", "host", 80, "/x"},
        {"somehost/x", "http://", "somehost", 80, "/x"},
        {"https://abc/x", "https://", "abc", 443, "/x"},
        {"http://host:5/x", "http://", "host", 80, "/x"},
        {"http://host:abc/x", "http://", "host", 80, "/x"},
        {"https://host:10/x", "https://", "host", 80, "/x"},
        {"http://host:11/x", "http://", "host", 11, "/x"},
        {"http://somehost/a:b", "http://", "somehost", 80, "/a:b"},
        {"http://127.0.0.1:54321/s?k=%E4&p=1/2", "http://", "127.0.0.1", 54321, "/s?k=%E4&p=1/2"},
        {"https://h:8080", "https://", "h", 8080, "/"},
    };
    for (const Case& c : cases) {
        std::optional<UrlParts> parts = ParseUrl(c.url);
        ASSERT_TRUE(parts) << c.url;
        EXPECT_EQ(parts->scheme, c.scheme) << c.url;
        EXPECT_EQ(parts->host, c.host) << c.url;
        EXPECT_EQ(parts->port, c.port) << c.url;
        EXPECT_EQ(parts->path, c.path) << c.url;
    }
    EXPECT_FALSE(ParseUrl(""));
    EXPECT_FALSE(ParseUrl("http://host:70000/x"));  // would wrap to another port
}

TEST(ParseUrl, RequestFlagsAddSecureForHttps) {
    EXPECT_EQ(RequestFlags("http://"), 0x84283000u);
    EXPECT_EQ(RequestFlags("https://"), 0x84A83000u);
}

TEST(ResolveLocation, FollowsEveryKindOfLocation) {
    struct Case {
        const char* request;
        const char* headerLines;
        const char* target;
    };
    const Case cases[] = {
        {"https://host:8443/x", "Location: /a/b\r\n", "https://host:8443/a/b"},
        {"http://host/x", "Location: /a/b\r\n", "http://host:80/a/b"},
        {"https://host/x", "location:   //cdn/p#f  \r\n", "https://host:443//cdn/p#f"},
        {"http://host/x", "Location: HTTP://other/p\r\n", "HTTP://other/p"},
        {"http://host/x", "LOCATION:https://other/p\r\n", "https://other/p"},
        {"http://host/dir/a.php?x=1", "Location: c.php?d=1\r\n", "http://host/dir/c.php?d=1"},
        {"http://host/a.php?u=1/2", "Location: c.php?d=1\r\n", "http://host/a.php?u=1/c.php?d=1"},
        {"http://host/d/", "Location: ../up\r\n", "http://host/d/../up"},
        {"http://host", "Location: c.php\r\n", "http://host/c.php"},
        {"somehost", "Location: c.php\r\n", "somehost/c.php"},
        {"http://host/x", "Content-Location: /y\r\n", ""},
        {"http://host/x", "Location:   \r\n", ""},
        {"http://host/x", "Location:\r\n", ""},
        {"http://host/x", "", ""},
    };
    for (const Case& c : cases) {
        std::string headers = std::string("HTTP/1.1 302 Found\r\n") + c.headerLines + "Server: t\r\n\r\n";
        EXPECT_EQ(ResolveLocation(headers, *ParseUrl(c.request), c.request), c.target)
            << c.request << " " << c.headerLines;
    }
}

}  // namespace
}  // namespace http
