// The one-shot header block of HttpSession: adding and removing lines, and the named setters.
#include "http/byte_text.h"
#include "http/http_session.h"

namespace http {
namespace {

// The names of the default lines, in the order Send appends them.
constexpr std::string_view kDefaultNames[] = {
    "Accept: ", "Referer: ", "Accept-Language: ", "User-Agent: ", "Content-Type: ", "Connection: "};

constexpr std::string_view kClientAddressNames[] = {"X-Forwarded-For: ", "CLIENT_IP: ", "VIA: ", "REMOTE_ADDR: "};

}  // namespace

std::optional<HttpSession::DefaultHeader> HttpSession::DefaultHeaderOf(std::string_view name) {
    for (int i = 0; i < kDefaultCount; ++i) {
        if (EqualsNoCase(name, kDefaultNames[i])) return static_cast<DefaultHeader>(i);
    }
    return std::nullopt;
}

void HttpSession::ClearHandledFlags() {
    for (DefaultLine& line : defaults_) line.handled = false;
}

void HttpSession::AppendDefaultLines() {
    for (int i = 0; i < kDefaultCount; ++i) {
        DefaultLine& line = defaults_[i];
        if (line.handled || line.value.empty() || (i == kContentType && !isPost_)) continue;
        headerBlock_.Append(kDefaultNames[i], line.value);
        line.handled = true;
    }
}

void HttpSession::AddHeader(std::string_view name, std::string_view value) {
    auto lock = Lock();
    std::string normalised = NormaliseHeaderName(name);
    if (normalised.empty()) return;
    if (auto which = DefaultHeaderOf(normalised); which && autoHeaders_ && !value.empty()) {
        defaults_[*which].handled = true;
    }
    if (EqualsNoCase(normalised, "Cookie: ")) {
        // Cookies go out in the one Cookie line built from the jar.
        if (!value.empty()) jar_.Merge(value);
        return;
    }
    headerBlock_.Write(normalised, value);
}

void HttpSession::RemoveHeader(std::string_view name) {
    auto lock = Lock();
    std::string normalised = NormaliseHeaderName(name);
    if (normalised.empty()) return;
    // Removing a default header suppresses its line for the next send, whether or not one was written.
    if (auto which = DefaultHeaderOf(normalised); which && autoHeaders_) defaults_[*which].handled = true;
    headerBlock_.Remove(normalised);
}

void HttpSession::SetDefaultHeader(DefaultHeader which, std::string_view value) {
    if (autoHeaders_) defaults_[which].handled = true;
    if (value.empty()) return;  // suppressed for the next send, unless a line is already written
    headerBlock_.Write(kDefaultNames[which], value);
}

void HttpSession::SetUserAgent(const std::optional<std::string>& value) {
    auto lock = Lock();
    std::string v = value.value_or(kDefaultUserAgent);
    if (!v.empty()) defaults_[kUserAgent].value = v;
    SetDefaultHeader(kUserAgent, v);
}

void HttpSession::SetContentType(const std::optional<std::string>& value) {
    auto lock = Lock();
    std::string v = value.value_or("application/x-www-form-urlencoded");
    if (!v.empty()) defaults_[kContentType].value = v;
    SetDefaultHeader(kContentType, v);
}

void HttpSession::SetAccept(const std::optional<std::string>& value) {
    auto lock = Lock();
    std::string v = value.value_or("text/html, application/xhtml+xml, */*");
    if (!v.empty()) defaults_[kAccept].value = v;
    SetDefaultHeader(kAccept, v);
}

void HttpSession::SetReferer(const std::optional<std::string>& value) {
    auto lock = Lock();
    std::string v;
    if (value) {
        // A given value holds for this and every later request.
        v = *value;
        if (!v.empty()) defaults_[kReferer].value = v;
        refererFixed_ = true;
    } else {
        // Without one: this request's own URL, and each later request carries its own again.
        v = requestUrl_;
        refererFixed_ = false;
    }
    SetDefaultHeader(kReferer, v);
}

void HttpSession::SetClientAddress(std::string_view address) {
    auto lock = Lock();
    for (std::string_view name : kClientAddressNames) {
        if (address.empty()) {
            RemoveHeader(name);
        } else {
            AddHeader(name, address);
        }
    }
}

}  // namespace http
