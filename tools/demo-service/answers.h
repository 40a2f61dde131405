#pragma once
// The demo service's answers, written the way the real service writes them: UTF-8 JSON with the
// record keys in the service's order, "/" escaped as "\/", and the keyword highlighted with <em>.
#include <string>

#include "catalogue.h"

namespace demo {

std::string JsonEscape(const std::string& utf8);

// Wraps every occurrence of the keyword in "<em>" … "<\/em>" (after JSON escaping).
std::string Highlight(const std::string& escaped, const std::string& keyword);

std::string SongPageJson(const Catalogue& c, const std::string& keyword, int page, int pageSize);
std::string MvPageJson(const Catalogue& c, const std::string& keyword, int page, int pageSize);

// What the link resolver answers for a hash ("mp3" or "mkv" kind); "" for unknown hashes.
std::string ResolveLink(const Catalogue& c, const std::string& kind, const std::string& hash,
                        const std::string& fileBase);

}  // namespace demo
