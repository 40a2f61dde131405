// Reading the answer of HttpSession: body, headers, redirect target; and the cookie operations.
#include "http/byte_text.h"
#include "http/http_session.h"
#include "win/text.h"

namespace http {

namespace {
constexpr DWORD kPiece = 1024;  // bytes per read; maxChunks counts these pieces
}

void HttpSession::ReadBody(int maxChunks) {
    std::string collected;
    bool ended = false;
    for (int pieces = 0;;) {
        size_t at = collected.size();
        collected.resize(at + kPiece);
        DWORD count = 0;
        BOOL ok = InternetReadFile(request_.get(), collected.data() + at, kPiece, &count);
        collected.resize(at + (ok ? count : 0));
        if (!ok) break;
        if (count == 0) {
            ended = true;
            break;
        }
        if (maxChunks > 0 && ++pieces >= maxChunks) break;
    }
    body_ = std::move(collected);
    bodyRead_ = true;
    bodyComplete_ = ended && BodyLengthMatches();
}

// A connection closed in the middle of a body ends the read like the body's end; only the count tells.
bool HttpSession::BodyLengthMatches() {
    if (decodeContent_ || method_ == "HEAD") return true;  // the length is not that of the bytes read
    DWORD length = 0;
    DWORD size = sizeof length;
    if (!HttpQueryInfoA(request_.get(), HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &length, &size,
                        nullptr)) {
        return true;  // no Content-Length: the end of the stream is the end of the body
    }
    return body_.size() == length;
}

std::string HttpSession::ResponseBytes(int maxChunks) {
    auto lock = Lock();
    if (request_ && !bodyRead_) ReadBody(maxChunks);
    return body_;
}

std::string HttpSession::ResponseText(int maxChunks) {
    std::string bytes = ResponseBytes(maxChunks);
    return bytes.substr(0, bytes.find('\0'));
}

std::wstring HttpSession::ResponseTextFromUtf8(int maxChunks) {
    std::wstring text = win::Utf8ToWide(ResponseBytes(maxChunks));
    return text.substr(0, text.find(L'\0'));
}

bool HttpSession::ResponseComplete() {
    auto lock = Lock();
    return bodyRead_ && bodyComplete_;
}

int HttpSession::StatusCode() {
    auto lock = Lock();
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!request_ ||
        !HttpQueryInfoA(request_.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr)) {
        return 0;
    }
    return static_cast<int>(status);
}

void HttpSession::FetchHeaderBlock() {
    if (!responseHeaders_.empty() || !request_) return;
    // Most blocks fit the first buffer; a longer one is fetched again at the size WinINet asks for.
    std::string text(10240, '\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        DWORD size = static_cast<DWORD>(text.size());
        if (HttpQueryInfoA(request_.get(), HTTP_QUERY_RAW_HEADERS_CRLF, text.data(), &size, nullptr)) {
            text.resize(size);
            if (text != "\r\n") responseHeaders_ = std::move(text);
            return;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return;
        text.assign(size + 1, '\0');
    }
}

void HttpSession::TakeCookies() {
    if (responseHeaders_.empty() || cookiesTaken_) return;
    jar_.Harvest(responseHeaders_);
    cookiesTaken_ = true;
}

std::string HttpSession::ResponseHeader(std::string_view name) {
    auto lock = Lock();
    if (name.empty()) return {};
    FetchHeaderBlock();
    if (responseHeaders_.empty()) return {};
    std::string value;
    size_t at = FindTextNoCase(responseHeaders_, "\r\n" + std::string(name) + ":");
    if (at != npos) {
        size_t start = at + 2 + name.size() + 1;
        size_t end = FindText(responseHeaders_, "\r\n", start);
        if (end != npos) value = TrimBlanksStart(std::string_view(responseHeaders_).substr(start, end - start));
    }
    TakeCookies();
    return value;
}

std::string HttpSession::ResponseHeaders() {
    auto lock = Lock();
    FetchHeaderBlock();
    TakeCookies();
    return responseHeaders_;
}

std::string HttpSession::RedirectLocation() {
    auto lock = Lock();
    FetchHeaderBlock();
    if (responseHeaders_.empty()) return {};
    std::string location = ResolveLocation();
    TakeCookies();
    return location;
}

std::string HttpSession::ResolveLocation() {
    auto lock = Lock();
    return http::ResolveLocation(responseHeaders_, target_, requestUrl_);
}

void HttpSession::HarvestCookies(std::string_view headerBlock) {
    auto lock = Lock();
    jar_.Harvest(headerBlock);
}

bool HttpSession::MergeCookies(std::string_view cookies) {
    auto lock = Lock();
    return jar_.Merge(cookies);
}

bool HttpSession::RemoveCookies(std::string_view names) {
    auto lock = Lock();
    return jar_.Remove(names);
}

std::string HttpSession::GetCookie(std::string_view name, int withName) {
    auto lock = Lock();
    return jar_.Get(name, withName != 0);
}

std::string HttpSession::CookieText() {
    auto lock = Lock();
    return jar_.CookieText();
}

void HttpSession::SetCookieText(std::string_view text) {
    auto lock = Lock();
    jar_.SetText(text);
}

}  // namespace http
