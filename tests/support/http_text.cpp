#include "support/http_text.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace testing_support {

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool HasHeader(const Response& r, std::string_view name) {
    return std::any_of(r.headers.begin(), r.headers.end(),
                       [&](const auto& h) { return EqualsIgnoreCase(h.first, name); });
}

// Reads a run of decimal digits; false when there is none or it overflows.
bool ReadNumber(std::string_view& s, int64_t& value) {
    size_t i = 0;
    value = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
        if (value > (INT64_MAX - 9) / 10) return false;
        value = value * 10 + (s[i] - '0');
        ++i;
    }
    s.remove_prefix(i);
    return i > 0;
}

}  // namespace

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string RecordedRequest::Header(std::string_view name) const {
    for (const auto& [n, v] : headers) {
        if (EqualsIgnoreCase(n, name)) return v;
    }
    return {};
}

std::vector<std::string> RecordedRequest::Headers(std::string_view name) const {
    std::vector<std::string> values;
    for (const auto& [n, v] : headers) {
        if (EqualsIgnoreCase(n, name)) values.push_back(v);
    }
    return values;
}

RecordedRequest ParseRequestHead(const std::string& head) {
    RecordedRequest r;
    r.head = head;
    std::string_view rest = head;
    size_t end = rest.find("\r\n");
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 2);
    size_t a = line.find(' ');
    size_t b = a == std::string_view::npos ? a : line.find(' ', a + 1);
    r.method = std::string(line.substr(0, a));
    if (a != std::string_view::npos) r.target = std::string(line.substr(a + 1, b == line.npos ? b : b - a - 1));
    if (b != std::string_view::npos) r.version = std::string(line.substr(b + 1));
    while (!rest.empty()) {
        end = rest.find("\r\n");
        line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 2);
        size_t colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        r.headers.emplace_back(std::string(Trim(line.substr(0, colon))), std::string(Trim(line.substr(colon + 1))));
    }
    return r;
}

size_t ContentLengthOf(const RecordedRequest& request) {
    std::string_view text = request.Header("Content-Length");
    int64_t value = 0;
    if (!ReadNumber(text, value)) return 0;
    return static_cast<size_t>(value);
}

std::string ReasonPhrase(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 201:
            return "Created";
        case 204:
            return "No Content";
        case 206:
            return "Partial Content";
        case 301:
            return "Moved Permanently";
        case 302:
            return "Found";
        case 303:
            return "See Other";
        case 304:
            return "Not Modified";
        case 307:
            return "Temporary Redirect";
        case 308:
            return "Permanent Redirect";
        case 400:
            return "Bad Request";
        case 401:
            return "Unauthorized";
        case 403:
            return "Forbidden";
        case 404:
            return "Not Found";
        case 416:
            return "Range Not Satisfiable";
        case 500:
            return "Internal Server Error";
        case 503:
            return "Service Unavailable";
        default:
            return "Status";
    }
}

std::string BuildResponseHead(const Response& r, bool closeAfter) {
    std::string head = "HTTP/1.1 " + std::to_string(r.status) + " " +
                       (r.reason.empty() ? ReasonPhrase(r.status) : r.reason) + "\r\n";
    for (const auto& [name, value] : r.headers) head += name + ": " + value + "\r\n";
    if (r.contentLength && !HasHeader(r, "Content-Length")) {
        head += "Content-Length: " + std::to_string(r.body.size()) + "\r\n";
    }
    if (closeAfter && !HasHeader(r, "Connection")) head += "Connection: close\r\n";
    return head + "\r\n";
}

bool ParseRange(std::string_view value, int64_t& first, int64_t& last) {
    value = Trim(value);
    if (value.size() < 6 || !EqualsIgnoreCase(value.substr(0, 6), "bytes=")) return false;
    value = Trim(value.substr(6));
    int64_t a = 0, b = -1;
    if (!ReadNumber(value, a)) return false;
    value = Trim(value);
    if (value.empty() || value.front() != '-') return false;
    value = Trim(value.substr(1));
    if (!value.empty()) {
        if (!ReadNumber(value, b) || !Trim(value).empty() || b < a) return false;
    }
    first = a;
    last = b;
    return true;
}

Response ServeRange(const RecordedRequest& request, const std::string& bytes) {
    Response r;
    const int64_t size = static_cast<int64_t>(bytes.size());
    r.headers.emplace_back("Accept-Ranges", "bytes");
    int64_t first = 0, last = -1;
    if (!ParseRange(request.Header("Range"), first, last)) {
        r.body = bytes;
        return r;
    }
    if (first >= size) {
        r.status = 416;
        r.headers.emplace_back("Content-Range", "bytes */" + std::to_string(size));
        return r;
    }
    if (last < 0 || last >= size) last = size - 1;
    r.status = 206;
    r.headers.emplace_back("Content-Range", "bytes " + std::to_string(first) + "-" + std::to_string(last) +
                                                "/" + std::to_string(size));
    r.body = bytes.substr(static_cast<size_t>(first), static_cast<size_t>(last - first + 1));
    return r;
}

Handler ServeBytes(std::map<std::string, std::string> resources) {
    auto shared = std::make_shared<const std::map<std::string, std::string>>(std::move(resources));
    return [shared](const RecordedRequest& request) {
        std::string path = request.target.substr(0, request.target.find('?'));
        auto it = shared->find(path);
        if (it == shared->end()) {
            Response r;
            r.status = 404;
            r.body = "not found";
            return r;
        }
        return ServeRange(request, it->second);
    };
}

}  // namespace testing_support
