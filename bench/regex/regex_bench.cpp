// How long one search answer takes to read: the fixed-order pattern alone (compile, match, take the
// groups) and the whole reader (pattern plus the key-by-key check). Run under tools/wine-run.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "regex/regex_matcher.h"
#include "search/json_records.h"
#include "search/search_answers.h"
#include "search/search_patterns.h"
#include "win/file_io.h"
#include "win/text.h"

namespace {

struct Page {
    const char* label;
    std::wstring body;
    size_t wireBytes;  // the answer's size in UTF-8, as it arrives
};

Page Load(const char* label, const std::wstring& name) {
    auto bytes = win::ReadWholeFile(win::ExeDirectory() + L"\\fixtures\\" + name);
    if (!bytes) return {label, {}, 0};
    return {label, win::Utf8ToWide(*bytes), bytes->size()};
}

template <class Work>
void Measure(const char* what, const Page& page, Work work) {
    using Clock = std::chrono::steady_clock;
    size_t rows = work();  // warm up (the case table is built once per process)
    // The best of several batches: the machine is shared, and other work only ever adds time.
    double perPage = 1e9;
    for (int batch = 0; batch < 10; ++batch) {
        const int rounds = 50;
        auto start = Clock::now();
        for (int i = 0; i < rounds; ++i) rows = work();
        perPage = std::min(perPage, std::chrono::duration<double>(Clock::now() - start).count() / rounds);
    }
    std::printf("%-10s %-22s %3zu rows  %8.1f us/page  %7.1f MB/s  (%zu bytes)\n", page.label, what, rows,
                perPage * 1e6, page.wireBytes / perPage / 1e6, page.wireBytes);
}

template <class Parse>
void MeasurePage(const Page& page, std::wstring_view pattern, std::initializer_list<int> groups, Parse parse) {
    Measure("pattern + groups", page, [&] {
        regex::SearchRegexMatcher m;
        m.Match(pattern, page.body, true, true, true);
        size_t taken = 0;
        for (int i = 1; i <= m.MatchCount(); ++i)
            for (int g : groups) taken += m.SubmatchText(i, g).size();
        return taken > 0 ? static_cast<size_t>(m.MatchCount()) : 0;
    });
    Measure("key-by-key records", page, [&] {
        auto isRecord = [](const search::JsonRecord& r) { return r.Has(L"FileName"); };
        return search::FindJsonRecords(page.body, {L"FileName", L"MvHash"}, isRecord).size();
    });
    Measure("whole reader", page, [&] { return parse(page.body).size(); });
}

}  // namespace

int main() {
    Page song = Load("song page", L"song_page.json");
    Page mv = Load("MV page", L"mv_page.json");
    if (song.body.empty() || mv.body.empty()) {
        std::printf("fixtures missing beside the program\n");
        return 1;
    }
    using namespace search;
    MeasurePage(
        song, kSongPattern,
        {kSongNameGroup, kSongStandardHashGroup, kSongHighHashGroup, kSongLosslessHashGroup, kSongMvHashGroup},
        ParseSongPage);
    MeasurePage(mv, kMvPattern, {kMvNameGroup, kMvQualityGroup, kMvHashGroup}, ParseMvPage);
    return 0;
}
