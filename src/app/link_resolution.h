#pragma once
// The link resolver as the program uses it: a track's hash to its direct download link, on the
// program's one HTTP session, at the resolver host of its endpoint settings ([接口] 链接解析 in
// test.ini). Any thread may call these; each call is one open–send–read under the session's lock and
// blocks until the resolver answers.
#include <string>

namespace app {

struct AppContext;

// The direct link of a song hash (i=mp3, any of the three song qualities) or a video hash (i=mkv); ""
// when the resolver gave no http:// or https:// link.
std::wstring ResolveSongLink(AppContext& context, const std::wstring& hash);
std::wstring ResolveMvLink(AppContext& context, const std::wstring& hash);

}  // namespace app
