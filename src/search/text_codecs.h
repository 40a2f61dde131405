#pragma once
// The small text routines of the search side: percent-encoding the keyword for a query string, and
// taking the highlight tags out of the names the service returns.
#include <initializer_list>
#include <string>
#include <string_view>

namespace search {

// Percent-encodes the bytes of the text: its UTF-8 bytes with asUtf8, else its code page 936 bytes
// (a character that code page lacks becomes "?"). Every byte becomes "%" and two upper-case hex
// digits, except, with keepUnreserved, "-", ".", the digits and the ASCII letters, which stay as they
// are. A space is "%20", never "+".
std::wstring UrlEncode(std::wstring_view text, bool keepUnreserved = false, bool asUtf8 = false);

// Removes every occurrence of each substring, one substring after the other in the order given,
// scanning from the left without overlap; exact, case-sensitive comparison; empty substrings are
// ignored. A removal may join text into an occurrence of a later substring, which then goes too.
std::wstring RemoveEachSubstring(std::wstring_view text, std::initializer_list<std::wstring_view> substrings);

// One to ten substrings, as RemoveEachSubstring.
template <class... More>
std::wstring RemoveSubstrings(std::wstring_view text, std::wstring_view first, const More&... more) {
    static_assert(sizeof...(More) <= 9, "RemoveSubstrings takes at most ten substrings");
    return RemoveEachSubstring(text, {first, std::wstring_view(more)...});
}

}  // namespace search
