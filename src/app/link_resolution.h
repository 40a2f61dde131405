#pragma once
// The link resolver: a track's hash to its direct download link.
#include <string>

namespace app {

struct AppContext;

// Asks the link resolver for the standard-quality (mp3) link of `hash`; "" when it gives none. Blocks
// until the resolver answers.
std::wstring ResolveSongLink(AppContext& context, const std::wstring& hash);

}  // namespace app
