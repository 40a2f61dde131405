#include "http/url_parts.h"

#include <windows.h>
#include <wininet.h>

#include "http/byte_text.h"

namespace http {
namespace {

constexpr std::string_view kHttp = "http://";
constexpr std::string_view kHttps = "https://";

// Where the host starts: after a scheme written in any letter case, or at the beginning.
size_t HostStart(std::string_view url) {
    if (url.size() >= 8 && StartsWithNoCase(url, kHttps)) return kHttps.size();
    if (url.size() >= 8 && StartsWithNoCase(url, kHttp)) return kHttp.size();
    return 0;
}

}  // namespace

std::optional<UrlParts> ParseUrl(std::string_view url) {
    if (url.empty()) return std::nullopt;
    UrlParts parts;
    size_t hostStart = HostStart(url);
    parts.scheme = hostStart == kHttps.size() ? kHttps : kHttp;
    std::string copy(url);
    size_t pathStart = copy.find('/', hostStart);
    if (pathStart == npos) {
        pathStart = copy.size();
        copy += '/';
    }
    parts.path = copy.substr(pathStart);
    // Only the last few characters before the path may hold the port, so a ":" earlier in a long
    // host text is not taken for one.
    size_t searchFrom = std::max(hostStart, pathStart >= 7 ? pathStart - 7 : 0);
    size_t colon = copy.find(':', searchFrom);
    size_t hostEnd = pathStart;
    if (colon == npos || colon >= pathStart) {
        parts.port = parts.scheme == kHttps ? 443 : 80;
    } else {
        hostEnd = colon;
        long port = 0;
        for (size_t i = colon + 1; i < pathStart && copy[i] >= '0' && copy[i] <= '9'; ++i) {
            port = port * 10 + (copy[i] - '0');
        }
        if (port > 65535) return std::nullopt;
        parts.port = port <= 10 ? 80 : static_cast<int>(port);
    }
    parts.host = copy.substr(hostStart, hostEnd - hostStart);
    return parts;
}

uint32_t RequestFlags(std::string_view scheme) {
    uint32_t flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_COOKIES |
                     INTERNET_FLAG_NO_AUTO_REDIRECT | INTERNET_FLAG_IGNORE_CERT_CN_INVALID |
                     INTERNET_FLAG_IGNORE_CERT_DATE_INVALID;
    if (scheme == kHttps) flags |= INTERNET_FLAG_SECURE;
    return flags;
}

std::string ResolveLocation(std::string_view headers, const UrlParts& request, std::string_view requestUrl) {
    constexpr std::string_view kLocation = "\r\nLocation:";
    size_t at = FindTextNoCase(headers, kLocation);
    if (at == npos) return {};
    size_t start = at + kLocation.size();
    size_t end = FindText(headers, "\r\n", start);
    if (end == npos) return {};
    std::string_view location = TrimBlanks(headers.substr(start, end - start));
    if (location.empty()) return {};
    if (location.front() == '/') {
        return request.scheme + request.host + ":" + std::to_string(request.port) + std::string(location);
    }
    if (StartsWithNoCase(location, kHttp) || StartsWithNoCase(location, kHttps)) return std::string(location);
    // Relative: the last "/" of the whole URL counts, even one in its query; the "//" of the scheme
    // does not, so "http://host" with "a.php" gives "http://host/a.php".
    size_t slash = requestUrl.rfind('/');
    if (slash == npos || slash < HostStart(requestUrl))
        return std::string(requestUrl) + "/" + std::string(location);
    return std::string(requestUrl.substr(0, slash + 1)) + std::string(location);
}

}  // namespace http
