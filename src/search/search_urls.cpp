#include "search/search_urls.h"

#include "search/text_codecs.h"

namespace search {
namespace {

std::wstring EncodedKeyword(std::wstring_view keyword) {
    return UrlEncode(keyword, true, true);
}

std::wstring LinkUrl(std::wstring_view base, std::wstring_view kind, std::wstring_view hash) {
    std::wstring lower(hash);
    for (wchar_t& c : lower)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    // A hash is hexadecimal and passes unchanged; anything else a broken answer put there is encoded,
    // so it cannot add query parameters or break the request line.
    return std::wstring(base) + L"/kuwo/flac.php?i=" + std::wstring(kind) + L"&hash=" +
           UrlEncode(lower, true, true);
}

}  // namespace

std::wstring SongSearchUrl(std::wstring_view base, std::wstring_view keyword, int page) {
    return std::wstring(base) + L"/song_search_v2?keyword=" + EncodedKeyword(keyword) + L"&page=" +
           std::to_wstring(page) +
           L"&pagesize=40&filter=0&bitrate=0&isfuzzy=0&tag=em&inputtype=2&platform=PcFilter&userid=348116302"
           L"&clientver=8171&iscorrection=7";
}

std::wstring MvSearchUrl(std::wstring_view base, std::wstring_view keyword, int page) {
    return std::wstring(base) +
           L"/mv_search?clientver=8063&iscorrection=1&tag=em&userid=785408929&clienttime=1472041410245&keyword=" +
           EncodedKeyword(keyword) + L"&inputtype=2&page=" + std::to_wstring(page) + L"&pagesize=30";
}

std::wstring SongLinkUrl(std::wstring_view base, std::wstring_view hash) {
    return LinkUrl(base, L"mp3", hash);
}

std::wstring MvLinkUrl(std::wstring_view base, std::wstring_view hash) {
    return LinkUrl(base, L"mkv", hash);
}

}  // namespace search
