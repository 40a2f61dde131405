#include "search/search_pages.h"

#include <climits>
#include <cwctype>
#include <optional>
#include <string>

#include "search/search_urls.h"
#include "win/text.h"

namespace search {
namespace {

// The URLs are ASCII: the keyword is percent-encoded and the rest is fixed text and the configured host.
std::wstring FetchBody(http::HttpSession& session, const std::wstring& url) {
    std::optional<std::wstring> body = session.GetText(win::WideToCp936(url));
    return body.value_or(std::wstring());
}

}  // namespace

std::vector<SongRow> FetchSongPage(http::HttpSession& session, std::wstring_view base, std::wstring_view keyword,
                                   int page) {
    return ParseSongPage(FetchBody(session, SongSearchUrl(base, keyword, page)));
}

std::vector<MvRow> FetchMvPage(http::HttpSession& session, std::wstring_view base, std::wstring_view keyword,
                               int page) {
    return ParseMvPage(FetchBody(session, MvSearchUrl(base, keyword, page)));
}

int PageCountFromText(std::wstring_view text) {
    size_t i = 0;
    while (i < text.size() && std::iswspace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    long long value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > INT_MAX) return negative ? INT_MIN : INT_MAX;
    }
    return static_cast<int>(negative ? -value : value);
}

}  // namespace search
