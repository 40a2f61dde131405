// Life cycle, options and whole requests of HttpSession.
#include "http/http_session.h"

#include "win/text.h"

namespace http {
namespace {

// The proxy record of INTERNET_OPTION_PROXY as the ANSI call reads it.
struct ProxyInfoA {
    DWORD accessType;
    LPCSTR proxy;
    LPCSTR proxyBypass;
};

void SetOptionOn(HINTERNET handle, DWORD option, const void* value, DWORD size) {
    if (handle) InternetSetOptionA(handle, option, const_cast<void*>(value), size);
}

}  // namespace

HttpSession::HttpSession() {
    Open(kDefaultUserAgent);
}

HttpSession::~HttpSession() {
    Close();
}

std::optional<std::string> HttpSession::Get(const std::string& url) {
    auto lock = Lock();
    if (!OpenRequest("GET", url) || !Send()) return std::nullopt;
    std::string body = ResponseBytes();
    if (!bodyComplete_) return std::nullopt;
    return body;
}

std::optional<std::wstring> HttpSession::GetText(const std::string& url) {
    auto lock = Lock();
    if (!Get(url)) return std::nullopt;
    return ResponseTextFromUtf8();
}

void HttpSession::Open(const std::string& userAgent) {
    auto lock = Lock();
    // A second Open replaces the session; the old handles go first, children before their parent.
    request_.reset();
    connection_.reset();
    internet_.reset(InternetOpenA(userAgent.c_str(), INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    DWORD connections = 50;
    SetOptionOn(internet_.get(), INTERNET_OPTION_MAX_CONNS_PER_SERVER, &connections, sizeof connections);
    // Without time-outs a server that stops sending would hold the session, and every caller
    // waiting for its lock, for ever.
    SetTimeouts();
    body_.clear();
    bodyRead_ = false;
    jar_.Empty();
    headerBlock_.Reset();
    ResetHeaders();
    autoHeaders_ = true;
    followRedirects_ = true;
    decodeContent_ = false;
}

void HttpSession::Close() {
    auto lock = Lock();
    request_.reset();
    connection_.reset();
    internet_.reset();
    target_.scheme.clear();
    target_.host.clear();
    target_.path.clear();
    requestUrl_.clear();
    headerBlock_.Discard();
    responseHeaders_.clear();
    jar_.Discard();
    for (DefaultLine& line : defaults_) line.value.clear();
    body_.clear();
    bodyRead_ = false;
}

void HttpSession::ResetHeaders() {
    auto lock = Lock();
    defaults_[kAccept].value = "text/html, application/xhtml+xml, */*";
    defaults_[kReferer].value.clear();
    defaults_[kAcceptLanguage].value = "zh-cn";
    defaults_[kUserAgent].value = kDefaultUserAgent;
    defaults_[kContentType].value = "application/x-www-form-urlencoded";
    defaults_[kConnection].value = "Keep-Alive";
    refererFixed_ = false;
    ClearHandledFlags();
}

void HttpSession::Reopen(const std::string& userAgent) {
    auto lock = Lock();
    Close();
    Open(userAgent);
}

void HttpSession::SetAutoHeaders(int enabled) {
    auto lock = Lock();
    autoHeaders_ = enabled == 1;
}

void HttpSession::SetFollowRedirects(int enabled) {
    auto lock = Lock();
    followRedirects_ = enabled == 1;
}

void HttpSession::SetDecoding(int enabled) {
    auto lock = Lock();
    decodeContent_ = enabled == 1;
}

void HttpSession::SetOption(DWORD option, std::string_view value) {
    auto lock = Lock();
    for (HINTERNET h : {internet_.get(), connection_.get(), request_.get()}) {
        SetOptionOn(h, option, value.data(), static_cast<DWORD>(value.size()));
    }
}

void HttpSession::SetOption(DWORD option, DWORD value) {
    SetOption(option, std::string_view(reinterpret_cast<const char*>(&value), sizeof value));
}

void HttpSession::SetTimeouts(int connectMs, int sendMs, int receiveMs) {
    auto lock = Lock();
    timeouts_ = {DWORD(connectMs), DWORD(sendMs), DWORD(receiveMs)};
    ApplyTimeouts(internet_.get());
    ApplyTimeouts(request_.get());
}

void HttpSession::ApplyTimeouts(HINTERNET handle) {
    const DWORD options[] = {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                             INTERNET_OPTION_RECEIVE_TIMEOUT};
    for (size_t i = 0; i < timeouts_.size(); ++i) SetOptionOn(handle, options[i], &timeouts_[i], sizeof(DWORD));
}

void HttpSession::SetProxy(const std::string& proxy, const std::optional<std::string>& userName,
                           const std::optional<std::string>& password) {
    auto lock = Lock();
    ProxyInfoA info{INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr};
    if (!proxy.empty()) info = {INTERNET_OPEN_TYPE_PROXY, proxy.c_str(), ""};
    SetOptionOn(internet_.get(), INTERNET_OPTION_PROXY, &info, sizeof info);
    if (!connection_) return;
    if (userName)
        SetOptionOn(connection_.get(), INTERNET_OPTION_PROXY_USERNAME, userName->c_str(), userName->size());
    if (password)
        SetOptionOn(connection_.get(), INTERNET_OPTION_PROXY_PASSWORD, password->c_str(), password->size());
}

bool HttpSession::SetCredentials(const std::optional<std::string>& userName,
                                 const std::optional<std::string>& password) {
    auto lock = Lock();
    if (!connection_) return false;
    if (userName) SetOptionOn(connection_.get(), INTERNET_OPTION_USERNAME, userName->c_str(), userName->size());
    if (password) SetOptionOn(connection_.get(), INTERNET_OPTION_PASSWORD, password->c_str(), password->size());
    return true;
}

std::string HttpSession::LastRequestHeaders() {
    auto lock = Lock();
    return lastRequestHeaders_;
}

void HttpSession::SetSendObserver(SendObserver observer) {
    auto lock = Lock();
    observer_ = std::move(observer);
}

std::string HttpSession::PendingHeaderBlock() {
    auto lock = Lock();
    return headerBlock_.text();
}

std::string HttpSession::CookieJarText() {
    auto lock = Lock();
    return jar_.text();
}

std::string HttpSession::RequestUrl() {
    auto lock = Lock();
    return requestUrl_;
}

UrlParts HttpSession::Target() {
    auto lock = Lock();
    return target_;
}

}  // namespace http
