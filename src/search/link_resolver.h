#pragma once
// The link resolver: turns a track's hash into its direct download link. One GET on the program's
// session (one open–send–read under the session's lock); the whole answer body is the link.
#include <string>
#include <string_view>

#include "http/http_session.h"

namespace search {

// The link for a song hash (i=mp3; any of the three song qualities) or a video hash (i=mkv); "" when
// the resolver gave no usable link. `base` is the resolver's scheme and host without a trailing slash.
std::wstring ResolveSongLink(http::HttpSession& session, std::wstring_view base, std::wstring_view hash);
std::wstring ResolveMvLink(http::HttpSession& session, std::wstring_view base, std::wstring_view hash);

// The answer with the blanks and line breaks around it taken off, when that is an http:// or https://
// link without blanks inside; "" for anything else (an error page, another scheme, plain text, several
// lines), so that nothing is queued that cannot download.
std::wstring UsableLink(std::wstring_view answer);

}  // namespace search
