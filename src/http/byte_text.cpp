#include "http/byte_text.h"

namespace http {
namespace {

constexpr std::string_view kWideBlank = "\xA1\xA1";  // the full-width space of code page 936

char FoldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Length of the character that starts at `i`: a lead byte (0x81 and up) takes the next byte with it.
size_t CharLength(std::string_view text, size_t i) {
    return static_cast<unsigned char>(text[i]) >= 0x81 && i + 1 < text.size() ? 2 : 1;
}

template <typename Equal>
size_t Find(std::string_view text, std::string_view needle, size_t from, Equal equal) {
    if (needle.empty()) return from <= text.size() ? from : npos;
    for (size_t i = from; i < text.size() && text.size() - i >= needle.size(); i += CharLength(text, i)) {
        size_t k = 0;
        while (k < needle.size() && equal(text[i + k], needle[k])) ++k;
        if (k == needle.size()) return i;
    }
    return npos;
}

}  // namespace

size_t FindText(std::string_view text, std::string_view needle, size_t from) {
    return Find(text, needle, from, [](char a, char b) { return a == b; });
}

size_t FindTextNoCase(std::string_view text, std::string_view needle, size_t from) {
    return Find(text, needle, from, [](char a, char b) { return FoldAscii(a) == FoldAscii(b); });
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

std::string ToUpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

std::string_view TrimBlanksStart(std::string_view text) {
    for (;;) {
        if (!text.empty() && text.front() == ' ') {
            text.remove_prefix(1);
        } else if (text.substr(0, 2) == kWideBlank) {
            text.remove_prefix(2);
        } else {
            return text;
        }
    }
}

std::string_view TrimBlanksEnd(std::string_view text) {
    // Walked from the front: two trailing 0xA1 bytes may be the tail of another character.
    size_t keep = 0;
    for (size_t i = 0; i < text.size();) {
        size_t n = CharLength(text, i);
        std::string_view c = text.substr(i, n);
        i += n;
        if (c != " " && c != kWideBlank) keep = i;
    }
    return text.substr(0, keep);
}

std::string_view TrimBlanks(std::string_view text) {
    return TrimBlanksEnd(TrimBlanksStart(text));
}

}  // namespace http
