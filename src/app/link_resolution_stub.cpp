// Stands in for the link resolver until the enqueueing code provides ResolveSongLink: no link is ever
// found, so 试听 reports "获取试听地址失败,请重试". Delete this file when the real resolver joins.
#include "app/link_resolution.h"

namespace app {

std::wstring ResolveSongLink(AppContext&, const std::wstring&) { return {}; }

}  // namespace app
