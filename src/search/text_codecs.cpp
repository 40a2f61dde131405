#include "search/text_codecs.h"

#include "win/text.h"

namespace search {
namespace {

bool Unreserved(unsigned char b) {
    return b == '-' || b == '.' || (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
}

}  // namespace

std::wstring UrlEncode(std::wstring_view text, bool keepUnreserved, bool asUtf8) {
    static constexpr wchar_t kHex[] = L"0123456789ABCDEF";
    const std::string bytes = asUtf8 ? win::WideToUtf8(text) : win::WideToCp936(text);
    std::wstring out;
    out.reserve(bytes.size() * 3);
    for (unsigned char b : bytes) {
        if (keepUnreserved && Unreserved(b)) {
            out += static_cast<wchar_t>(b);
        } else {
            out += L'%';
            out += kHex[b >> 4];
            out += kHex[b & 0xF];
        }
    }
    return out;
}

std::wstring RemoveEachSubstring(std::wstring_view text, std::initializer_list<std::wstring_view> substrings) {
    std::wstring current(text);
    for (std::wstring_view cut : substrings) {
        if (cut.empty()) continue;
        std::wstring kept;
        size_t from = 0;
        for (size_t at = current.find(cut); at != std::wstring::npos; at = current.find(cut, from)) {
            kept.append(current, from, at - from);
            from = at + cut.size();
        }
        if (from == 0) continue;
        kept.append(current, from);
        current = std::move(kept);
    }
    return current;
}

}  // namespace search
