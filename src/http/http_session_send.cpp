// Opening and sending requests: the default lines, the Cookie line, redirects.
#include "http/byte_text.h"
#include "http/http_session.h"

namespace http {
bool HttpSession::OpenRequest(std::string_view method, std::string_view url) {
    auto lock = Lock();
    if (!internet_) return false;
    std::optional<UrlParts> parts = ParseUrl(url);
    if (!parts) return false;
    target_ = std::move(*parts);
    body_.clear();
    bodyRead_ = false;
    bodyComplete_ = false;
    responseHeaders_.clear();
    cookiesTaken_ = true;
    // The previous request goes with its connection, so a failed connection leaves no stale request
    // that a following Send would use again.
    request_.reset();
    connection_.reset(InternetConnectA(internet_.get(), target_.host.c_str(),
                                       static_cast<INTERNET_PORT>(target_.port), nullptr, nullptr,
                                       INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection_) return false;
    method_ = ToUpperAscii(TrimBlanks(method));
    if (method_.empty()) method_ = "GET";
    request_.reset(HttpOpenRequestA(connection_.get(), method_.c_str(), target_.path.c_str(), "HTTP/1.1", nullptr,
                                    nullptr, RequestFlags(target_.scheme), 0));
    if (!request_) return false;
    ApplyTimeouts(request_.get());
    requestUrl_ = url;
    isPost_ = method_ == "POST";
    if (autoHeaders_ && !refererFixed_) defaults_[kReferer].value = requestUrl_;
    return true;
}

bool HttpSession::Send(std::string_view body) {
    auto lock = Lock();
    if (!request_) return false;  // the lines wait for a send that finds a request
    if (autoHeaders_) AppendDefaultLines();
    bool sent = Transmit(body);
    // Every hop sends the lines of the first request (with autoHeaders off, OpenRequest leaves the
    // Referer alone), a fresh Cookie line and no body.
    for (int hop = 0; sent && followRedirects_ && hop < kMaxRedirects; ++hop) {
        std::string location = ResolveLocation();
        if (location.empty()) break;
        if (isPost_) RemoveHeader("Content-Type: ");
        bool autoHeaders = autoHeaders_;
        autoHeaders_ = false;
        sent = OpenRequest("GET", location) && Transmit({});
        autoHeaders_ = autoHeaders;
    }
    headerBlock_.Reset();
    if (autoHeaders_) ClearHandledFlags();
    return sent;
}

bool HttpSession::Transmit(std::string_view body) {
    std::string headers = headerBlock_.Lines();
    std::string cookies = jar_.CookieText();
    if (!cookies.empty()) headers += "Cookie: " + cookies + "\r\n";
    if (decodeContent_) {
        DWORD on = 1;
        InternetSetOptionA(request_.get(), INTERNET_OPTION_HTTP_DECODING, &on, sizeof on);
    }
    // Only a POST carries its body.
    if (!isPost_) body = {};
    if (isPost_) headers += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    lastRequestHeaders_ = headers;
    if (observer_) observer_({method_, requestUrl_, headers, std::string(body)});
    BOOL sent = HttpSendRequestA(
        request_.get(), headers.empty() ? nullptr : headers.c_str(), static_cast<DWORD>(headers.size()),
        body.empty() ? nullptr : const_cast<char*>(body.data()), static_cast<DWORD>(body.size()));
    if (!sent) {
        // Nothing answered: no headers, no body, and no request to read or send again.
        request_.reset();
        responseHeaders_.clear();
        return false;
    }
    FetchHeaderBlock();
    FetchHeaderBlock();  // a block of only CR LF is asked for once more
    if (responseHeaders_.empty()) {
        cookiesTaken_ = false;  // the first header reader takes them
    } else {
        jar_.Harvest(responseHeaders_);
        cookiesTaken_ = true;
    }
    return true;
}

}  // namespace http
