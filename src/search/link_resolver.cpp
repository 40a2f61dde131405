#include "search/link_resolver.h"

#include <optional>

#include "search/search_urls.h"
#include "win/text.h"

namespace search {
namespace {

bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        wchar_t c = text[i];
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
        if (c != prefix[i]) return false;
    }
    return true;
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

}  // namespace

std::wstring ResolveSongLink(http::HttpSession& session, std::wstring_view base, std::wstring_view hash) {
    // The song answer is taken as plain bytes up to the first zero byte, in the local code page.
    std::optional<std::string> body = session.Get(win::WideToCp936(SongLinkUrl(base, hash)));
    if (!body) return {};
    return UsableLink(win::Cp936ToWide(body->substr(0, body->find('\0'))));
}

std::wstring ResolveMvLink(http::HttpSession& session, std::wstring_view base, std::wstring_view hash) {
    std::optional<std::wstring> body = session.GetText(win::WideToCp936(MvLinkUrl(base, hash)));
    return body ? UsableLink(*body) : std::wstring();
}

std::wstring UsableLink(std::wstring_view answer) {
    size_t first = 0, last = answer.size();
    while (first < last && IsBlank(answer[first])) ++first;
    while (last > first && IsBlank(answer[last - 1])) --last;
    std::wstring_view link = answer.substr(first, last - first);
    // A link is one token: a blank or control character inside means several lines or a page of text.
    for (wchar_t c : link)
        if (c <= L' ' || c == 0x7F) return {};
    for (std::wstring_view scheme : {std::wstring_view(L"http://"), std::wstring_view(L"https://")})
        if (link.size() > scheme.size() && StartsWithNoCase(link, scheme)) return std::wstring(link);
    return {};
}

}  // namespace search
