#include "search/search_answers.h"

#include "regex/regex_matcher.h"
#include "search/json_records.h"
#include "search/search_patterns.h"
#include "search/text_codecs.h"

namespace search {
namespace {

// Also read key by key: the service has reordered its record keys over the years, and the pattern misreads those.
// The pattern's rows stand whenever it finds as many records as the key-by-key reading.
template <class Row>
std::vector<Row> PreferFixedOrder(std::vector<Row> byPattern, std::vector<Row> byKey) {
    if (byKey.empty() || byPattern.size() == byKey.size()) return byPattern;
    return byKey;
}

std::vector<SongRow> SongsByPattern(std::wstring_view body) {
    regex::SearchRegexMatcher m;
    m.Match(kSongPattern, body, true, true, true);
    std::vector<SongRow> rows;
    for (int i = 1; i <= m.MatchCount(); ++i)
        rows.push_back({WithoutHighlightTags(m.SubmatchText(i, kSongNameGroup)),
                        m.SubmatchText(i, kSongStandardHashGroup), m.SubmatchText(i, kSongHighHashGroup),
                        m.SubmatchText(i, kSongLosslessHashGroup), m.SubmatchText(i, kSongMvHashGroup)});
    return rows;
}

std::vector<SongRow> SongsByKey(std::wstring_view body) {
    auto isSong = [](const JsonRecord& r) { return r.Has(L"FileName") && r.Has(L"FileHash"); };
    std::vector<SongRow> rows;
    for (const JsonRecord& r :
         FindJsonRecords(body, {L"FileName", L"FileHash", L"HQFileHash", L"SQFileHash", L"MvHash"}, isSong))
        rows.push_back({WithoutHighlightTags(r.Text(L"FileName")), std::wstring(r.Text(L"FileHash")),
                        std::wstring(r.Text(L"HQFileHash")), std::wstring(r.Text(L"SQFileHash")),
                        std::wstring(r.Text(L"MvHash"))});
    return rows;
}

std::vector<MvRow> MvsByPattern(std::wstring_view body) {
    regex::SearchRegexMatcher m;
    m.Match(kMvPattern, body, true, true, true);
    std::vector<MvRow> rows;
    for (int i = 1; i <= m.MatchCount(); ++i)
        rows.push_back({WithoutHighlightTags(m.SubmatchText(i, kMvNameGroup)), m.SubmatchText(i, kMvQualityGroup),
                        m.SubmatchText(i, kMvHashGroup)});
    return rows;
}

std::vector<MvRow> MvsByKey(std::wstring_view body) {
    // A song record carries "MvHash" too; a video record is told by its own keys.
    auto isMv = [](const JsonRecord& r) {
        return r.Has(L"FileName") && r.Has(L"MvHash") && (r.Has(L"MvHashMark") || r.Has(L"MvName"));
    };
    std::vector<MvRow> rows;
    for (const JsonRecord& r : FindJsonRecords(body, {L"FileName", L"MvHash", L"MvHashMark", L"MvName"}, isMv))
        rows.push_back({WithoutHighlightTags(r.Text(L"FileName")), std::wstring(r.Text(L"MvHashMark")),
                        std::wstring(r.Text(L"MvHash"))});
    return rows;
}

}  // namespace

std::wstring WithoutHighlightTags(std::wstring_view name) {
    return RemoveSubstrings(name, L"<em>", L"<\\/em>");
}

std::vector<SongRow> ParseSongPage(std::wstring_view body) {
    return PreferFixedOrder(SongsByPattern(body), SongsByKey(body));
}

std::vector<MvRow> ParseMvPage(std::wstring_view body) {
    return PreferFixedOrder(MvsByPattern(body), MvsByKey(body));
}

}  // namespace search
