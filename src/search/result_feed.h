#pragma once
// The way search pages reach a result list. Every search clears the list and takes a new ticket; a
// page appends its rows only while its ticket is still the list's newest, and appends them in one
// step, so a page of an earlier search that answers late never lands among the rows of a later one.
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "win/table_model.h"

namespace search {

class ResultFeed {
public:
    using Ticket = std::uint64_t;

    explicit ResultFeed(win::TableModel& list) : list_(list) {}
    ResultFeed(const ResultFeed&) = delete;
    ResultFeed& operator=(const ResultFeed&) = delete;

    // A new search: empties the list; the pages of earlier searches add nothing from now on.
    Ticket Restart();
    // Appends each row whole, in order, when `ticket` is the newest; false (and nothing appended) otherwise.
    bool Append(Ticket ticket, const std::vector<std::vector<std::wstring>>& rows);

private:
    win::TableModel& list_;
    // Held across a restart's clear and a page's appends, so the two never interleave. Any thread.
    std::mutex mutex_;
    Ticket newest_ = 0;  // guarded by mutex_
};

}  // namespace search
