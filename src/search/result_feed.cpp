#include "search/result_feed.h"

namespace search {

ResultFeed::Ticket ResultFeed::Restart() {
    std::lock_guard lock(mutex_);
    list_.Clear();
    return ++newest_;
}

bool ResultFeed::Append(Ticket ticket, const std::vector<std::vector<std::wstring>>& rows) {
    std::lock_guard lock(mutex_);
    if (ticket != newest_) return false;
    for (const auto& cells : rows) list_.AppendRow(cells);
    return true;
}

}  // namespace search
