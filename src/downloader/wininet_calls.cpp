#include "downloader/wininet_calls.h"

#include <cwctype>

namespace downloader::detail {
namespace {

// Never answered from the cache nor stored in it, and without WinINet's own cookie store: nothing puts
// cookies there for these requests, and under Wine looking them up reads the store's index on disk
// every time, which doubles the time a request takes to open (about 1 ms more, a segment's request
// on a fast link takes 1 to 2 ms).
constexpr DWORD kRequestFlags =
    INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_COOKIES;

}  // namespace

const wchar_t kHeaderBlock[] =
    L"Accept: */*\r\nAccept-Language: zh-cn\r\nAccept-Encoding: gzip, deflate\r\n"
    L"User-Agent: Mozilla/4.0(compatible; MSIE 6.0; Windows NT 5.0; MyIE2; .NET CLR 1.1.4322)";

std::wstring RangeHeaders(std::int64_t first, std::int64_t last) {
    return std::wstring(kHeaderBlock) + L"\r\nRange:bytes=" + std::to_wstring(first) + L"-" +
           std::to_wstring(last);
}

DWORD SessionAccessType() {
    DWORD state = 0;
    InternetGetConnectedState(&state, 0);
    return (state & INTERNET_CONNECTION_PROXY) ? INTERNET_OPEN_TYPE_PRECONFIG
                                               : INTERNET_OPEN_TYPE_PRECONFIG_WITH_NO_AUTOPROXY;
}

win::UniqueInternet OpenSession(const JobOptions& options, DWORD access) {
    win::UniqueInternet session(InternetOpenW(L"", access, nullptr, nullptr, 0));
    if (!session) return session;
    // Without time-outs a server that stops sending holds a read forever.
    DWORD connectMs = static_cast<DWORD>(options.connectTimeoutMs);
    DWORD receiveMs = static_cast<DWORD>(options.receiveTimeoutMs);
    InternetSetOptionW(session.get(), INTERNET_OPTION_CONNECT_TIMEOUT, &connectMs, sizeof connectMs);
    InternetSetOptionW(session.get(), INTERNET_OPTION_SEND_TIMEOUT, &receiveMs, sizeof receiveMs);
    InternetSetOptionW(session.get(), INTERNET_OPTION_RECEIVE_TIMEOUT, &receiveMs, sizeof receiveMs);
    InternetSetOptionW(session.get(), INTERNET_OPTION_DATA_RECEIVE_TIMEOUT, &receiveMs, sizeof receiveMs);
    return session;
}

win::UniqueInternet OpenUrl(HINTERNET session, const std::wstring& url, const std::wstring& headers,
                            const JobOptions& options) {
    if (options.onRequest) options.onRequest(url, headers);
    win::UniqueInternet request(
        InternetOpenUrlW(session, url.c_str(), headers.c_str(), static_cast<DWORD>(headers.size()), kRequestFlags, 0));
    if (request) {
        // The session's receive time-out covers the answer's head only; the body's reads need it on
        // the request's own connection.
        DWORD receiveMs = static_cast<DWORD>(options.receiveTimeoutMs);
        InternetSetOptionW(request.get(), INTERNET_OPTION_RECEIVE_TIMEOUT, &receiveMs, sizeof receiveMs);
    }
    return request;
}

win::UniqueInternet OpenHead(HINTERNET session, const std::wstring& url, const std::wstring& headers,
                             const JobOptions& options, win::UniqueInternet& connection) {
    wchar_t host[INTERNET_MAX_HOST_NAME_LENGTH] = {};
    std::wstring path(url.size() + 1, L'\0');
    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof parts;
    parts.lpszHostName = host;
    parts.dwHostNameLength = INTERNET_MAX_HOST_NAME_LENGTH;
    parts.lpszUrlPath = path.data();
    parts.dwUrlPathLength = static_cast<DWORD>(path.size());
    if (!InternetCrackUrlW(url.c_str(), 0, 0, &parts)) return {};
    path.resize(parts.dwUrlPathLength);
    if (path.empty()) path = L"/";
    const bool secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    if (parts.nScheme != INTERNET_SCHEME_HTTP && !secure) return {};

    if (options.onRequest) options.onRequest(url, headers);
    connection.reset(InternetConnectW(session, host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return {};
    DWORD flags = kRequestFlags;
    if (secure) flags |= INTERNET_FLAG_SECURE;
    win::UniqueInternet request(
        HttpOpenRequestW(connection.get(), L"HEAD", path.c_str(), L"HTTP/1.1", nullptr, nullptr, flags, 0));
    if (!request) return {};
    if (!HttpSendRequestW(request.get(), headers.c_str(), static_cast<DWORD>(headers.size()), nullptr, 0)) return {};
    return request;
}

int StatusCode(HINTERNET request) {
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
        return 0;
    return static_cast<int>(status);
}

namespace {

std::optional<std::wstring> HeaderText(HINTERNET request, DWORD query) {
    wchar_t text[128] = {};
    DWORD size = sizeof text;
    if (!HttpQueryInfoW(request, query, text, &size, nullptr)) return std::nullopt;
    return std::wstring(text, size / sizeof(wchar_t));
}

std::wstring_view Trim(std::wstring_view s) {
    while (!s.empty() && std::iswspace(s.front())) s.remove_prefix(1);
    while (!s.empty() && std::iswspace(s.back())) s.remove_suffix(1);
    return s;
}

}  // namespace

std::optional<std::int64_t> ParseDecimal(std::wstring_view text) {
    text = Trim(text);
    if (text.empty() || text.size() > 18) return std::nullopt;
    std::int64_t value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + (c - L'0');
    }
    return value;
}

std::optional<ContentRange> ParseContentRange(std::wstring_view text) {
    text = Trim(text);
    constexpr std::wstring_view unit = L"bytes ";
    if (text.size() < unit.size() || _wcsnicmp(text.data(), unit.data(), unit.size()) != 0) return std::nullopt;
    text.remove_prefix(unit.size());
    const size_t dash = text.find(L'-');
    const size_t slash = text.find(L'/');
    if (dash == std::wstring_view::npos || slash == std::wstring_view::npos || slash < dash) return std::nullopt;
    auto first = ParseDecimal(text.substr(0, dash));
    auto last = ParseDecimal(text.substr(dash + 1, slash - dash - 1));
    std::wstring_view totalText = Trim(text.substr(slash + 1));
    auto total = totalText == L"*" ? std::optional<std::int64_t>(-1) : ParseDecimal(totalText);
    if (!first || !last || !total || *last < *first) return std::nullopt;
    return ContentRange{*first, *last, *total};
}

std::optional<std::int64_t> ContentLength(HINTERNET request) {
    auto text = HeaderText(request, HTTP_QUERY_CONTENT_LENGTH);
    return text ? ParseDecimal(*text) : std::nullopt;
}

std::optional<ContentRange> ContentRangeOf(HINTERNET request) {
    auto text = HeaderText(request, HTTP_QUERY_CONTENT_RANGE);
    return text ? ParseContentRange(*text) : std::nullopt;
}

}  // namespace downloader::detail
