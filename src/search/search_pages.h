#pragma once
// One result page of a search, fetched and read: the request goes out on the program's one session as
// one open–send–read under the session's lock, and the answer becomes rows.
#include <string_view>
#include <vector>

#include "http/http_session.h"
#include "search/search_answers.h"

namespace search {

// The rows of page `page` for `keyword`; none when the request fails or the answer holds no records.
// `base` is the endpoint's scheme and host without a trailing slash.
std::vector<SongRow> FetchSongPage(http::HttpSession& session, std::wstring_view base, std::wstring_view keyword,
                                   int page);
std::vector<MvRow> FetchMvPage(http::HttpSession& session, std::wstring_view base, std::wstring_view keyword,
                               int page);

// The page count as typed: leading blanks, then an optional sign, then the value of the decimal digits
// that follow; 0 when no digit follows. Values beyond an int's range are held at its ends.
int PageCountFromText(std::wstring_view text);

}  // namespace search
