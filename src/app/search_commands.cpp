#include "app/search_commands.h"

#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/title_notice.h"
#include "search/search_pages.h"
#include "win/controls.h"

namespace app {
namespace {

using Cells = std::vector<std::vector<std::wstring>>;

// What tells the song search from the MV search.
struct SearchKind {
    CommandId keywordBox, pageCountBox, tickAllButton, invertButton;
    search::ResultFeed SearchState::*feed;
    std::wstring Endpoints::*host;
    Cells (*fetch)(http::HttpSession& session, const std::wstring& host, const std::wstring& keyword, int page);
};

template <class Row>
Cells CellsOf(const std::vector<Row>& rows) {
    Cells cells;
    for (const Row& row : rows) cells.push_back(row.Cells());
    return cells;
}

const SearchKind kSongSearchKind{
    kSongKeyword, kSongPages, kSongTickAll, kSongInvertTicks, &SearchState::songFeed, &Endpoints::songSearch,
    [](http::HttpSession& session, const std::wstring& host, const std::wstring& keyword, int page) {
        return CellsOf(search::FetchSongPage(session, host, keyword, page));
    }};

const SearchKind kMvSearchKind{
    kMvKeyword, kMvPages, kMvTickAll, kMvInvertTicks, &SearchState::mvFeed, &Endpoints::mvSearch,
    [](http::HttpSession& session, const std::wstring& host, const std::wstring& keyword, int page) {
        return CellsOf(search::FetchMvPage(session, host, keyword, page));
    }};

void RunSearch(MainWindow& window, const SearchKind& kind) {
    AppContext& context = window.Context();
    SearchState& searches = context.search;
    win::Control(window.Control(kind.tickAllButton)).Enable(true);
    win::Control(window.Control(kind.invertButton)).Enable(true);
    const int self = ++searches.newest;
    context.state.searchPage = 1;
    search::ResultFeed& feed = searches.*kind.feed;
    const search::ResultFeed::Ticket ticket = feed.Restart();
    const int pages = search::PageCountFromText(win::EditBox(window.Control(kind.pageCountBox)).Text());

    for (int page = 1; page <= pages; ++page) {
        // The keyword as the box reads when this page starts, so an edit between pages reaches the later
        // ones. It is read here, on the window thread, because a worker must never wait for this thread.
        std::wstring keyword = win::EditBox(window.Control(kind.keywordBox)).Text();
        std::wstring host = context.endpoints.*kind.host;
        context.jobs.Start([&context, &feed, &kind, ticket, host, keyword, page] {
            if (context.jobs.Stopping()) return;
            feed.Append(ticket, kind.fetch(context.http, host, keyword, page));
        });
        PumpingWait(searches.pageSpacing.count());
        // While this one waited, the window may have closed or a newer search (song or MV) begun: either
        // way this search starts no more pages.
        if (searches.newest != self || !IsWindow(window.hwnd())) return;
        context.state.searchPage = page + 1;
    }
}

}  // namespace

void SearchSongs(MainWindow& window) { RunSearch(window, kSongSearchKind); }
void SearchMvs(MainWindow& window) { RunSearch(window, kMvSearchKind); }

}  // namespace app
