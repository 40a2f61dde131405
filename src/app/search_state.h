#pragma once
// What the song and MV searches keep between their pages: each result list's feed, the number of the
// newest search, and the spacing between page starts.
#include <chrono>

#include "search/result_feed.h"
#include "win/table_model.h"

namespace app {

struct SearchState {
    SearchState(win::TableModel& songs, win::TableModel& mvs) : songFeed(songs), mvFeed(mvs) {}

    search::ResultFeed songFeed;  // into SongResultList; thread-safe
    search::ResultFeed mvFeed;    // into MvResultList; thread-safe
    // Counts the searches started, song and MV alike: a search stops starting pages as soon as a newer
    // one has begun. Window thread only (both search buttons run there).
    int newest = 0;
    // Between two page starts. Window thread only (tests shorten it before they search).
    std::chrono::milliseconds pageSpacing{1500};
};

}  // namespace app
