#pragma once
// The request URLs of the song search, the MV search and the link resolver. Each takes the endpoint's
// base, a scheme and host without a trailing slash such as "http://127.0.0.1:8080", and appends the
// fixed path and query the service expects, byte for byte.
#include <string>
#include <string_view>

namespace search {

// base + "/song_search_v2?keyword=…&page=…&pagesize=40&…"; the keyword percent-encoded as UTF-8.
std::wstring SongSearchUrl(std::wstring_view base, std::wstring_view keyword, int page);

// base + "/mv_search?clientver=8063&…&keyword=…&inputtype=2&page=…&pagesize=30".
std::wstring MvSearchUrl(std::wstring_view base, std::wstring_view keyword, int page);

// base + "/kuwo/flac.php?i=mp3&hash=" + the hash in lower case (any of the three song qualities).
std::wstring SongLinkUrl(std::wstring_view base, std::wstring_view hash);

// base + "/kuwo/flac.php?i=mkv&hash=" + the hash in lower case (a music video).
std::wstring MvLinkUrl(std::wstring_view base, std::wstring_view hash);

}  // namespace search
