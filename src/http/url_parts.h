#pragma once
// Splitting a request URL into what WinINet wants: scheme, host, port and the path with its query.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace http {

struct UrlParts {
    std::string scheme;  // "http://" or "https://"
    std::string host;    // as written, letter case kept
    int port = 0;
    std::string path;  // starts with "/", query unchanged
};

// A URL without a scheme counts as http; a port of 10 or less (or one that is not a number) means 80.
// Empty when the URL is empty or its port is beyond 65535.
std::optional<UrlParts> ParseUrl(std::string_view url);

// The WinINet flags of every request: no cache, no cookies and no redirects of WinINet's own (the
// session does all three), tolerant of certificate name and date errors; secure for https.
uint32_t RequestFlags(std::string_view scheme);

// The absolute target of the Location header in a raw response header block, resolved against the
// request it answers; "" when there is none. A "/" location keeps scheme, host and always the port; a
// relative one replaces what follows the last "/" of the request URL.
std::string ResolveLocation(std::string_view responseHeaders, const UrlParts& request, std::string_view requestUrl);

}  // namespace http
