#include "regex/regex_matcher.h"

#include <gtest/gtest.h>

#include <string>

#include "search/search_patterns.h"

using regex::RestoreRegexMatcher;
using regex::SearchRegexMatcher;

namespace {

// A song record with every key of the song pattern in its order, plus keys the pattern skips.
std::wstring SongRecord(const std::wstring& name, const std::wstring& lossless, const std::wstring& high,
                        const std::wstring& mv, const std::wstring& standard) {
    return LR"({"SongName":"s","OwnerCount":1,"Bitrate":128,"SQFileSize":2,"ResFileSize":0,"Grp":[],)"
           LR"("AlbumName":"a","Privilege":8,"FileName":")" +
           name + LR"(","ID":"1","SQFileHash":")" + lossless + LR"(","A320Privilege":0,"HQFileHash":")" + high +
           LR"(","SuperExtName":"","HQFileSize":3,"FileSize":4,"Publish":1,"SingerName":"x","SQPrivilege":0,)"
           LR"("MvHash":")" +
           mv + LR"(","SQPkgPrice":1,"FileHash":")" + standard + LR"("})";
}

}  // namespace

TEST(RegexMatcher, LazyGroupsAndGlobalMatchesLeftToRight) {
    SearchRegexMatcher m;
    ASSERT_TRUE(m.Match(L"<(.*?)>", L"<a><bb> <> <c>"));
    ASSERT_EQ(m.MatchCount(), 4);
    const wchar_t* expected[] = {L"a", L"bb", L"", L"c"};
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(m.SubmatchText(i, 1), expected[i - 1]) << i;
    EXPECT_EQ(m.MatchText(2), L"<bb>");

    ASSERT_TRUE(m.Match(L"<(.*?)>", L"<a><bb>", true, true, false));
    EXPECT_EQ(m.MatchCount(), 1);
    EXPECT_EQ(m.SubmatchText(1, 1), L"a");
}

TEST(RegexMatcher, RestorePatternReadsTwoLinesWithoutCrossingTheLineBreak) {
    for (const wchar_t* eol : {L"\n", L"\r\n"}) {
        RestoreRegexMatcher m;
        std::wstring text = std::wstring(L"歌名[a]地址[u1]") + eol + L"歌名[b]地址[u2]" + eol;
        ASSERT_TRUE(m.Match(LR"(歌名\[(.*?)\]地址\[(.*?)\])", text, true, true, true));
        ASSERT_EQ(m.MatchCount(), 2);
        EXPECT_EQ(m.SubmatchText(1, 1), L"a");
        EXPECT_EQ(m.SubmatchText(1, 2), L"u1");
        EXPECT_EQ(m.SubmatchText(2, 1), L"b");
        EXPECT_EQ(m.SubmatchText(2, 2), L"u2");
    }
    // A group that would have to run over a line feed to reach its delimiter finds nothing.
    SearchRegexMatcher m;
    ASSERT_TRUE(m.Match(L"a(.*?)b", L"a\nb a-b"));
    ASSERT_EQ(m.MatchCount(), 1);
    EXPECT_EQ(m.SubmatchText(1, 1), L"-");
}

TEST(RegexMatcher, SongPatternFindsRecordsBackToBackOnOneLine) {
    std::wstring line = LR"({"status":1,"data":{"lists":[)" + SongRecord(L"n1", L"L1", L"H1", L"M1", L"S1") + L"," +
                        SongRecord(L"<em>n2<\\/em>", L"L2", L"H2", L"", L"S2") + L"]}}";
    SearchRegexMatcher m;
    ASSERT_TRUE(m.Match(search::kSongPattern, line));
    ASSERT_EQ(m.MatchCount(), 2);
    EXPECT_EQ(m.FirstMatchSubmatchCount(), 20);
    struct {
        int group;
        const wchar_t* first;
        const wchar_t* second;
    } cases[] = {{search::kSongNameGroup, L"n1", L"<em>n2<\\/em>"},
                 {search::kSongLosslessHashGroup, L"L1", L"L2"},
                 {search::kSongHighHashGroup, L"H1", L"H2"},
                 {search::kSongMvHashGroup, L"M1", L""},
                 {search::kSongStandardHashGroup, L"S1", L"S2"}};
    for (const auto& c : cases) {
        EXPECT_EQ(m.SubmatchText(1, c.group), c.first) << c.group;
        EXPECT_EQ(m.SubmatchText(2, c.group), c.second) << c.group;
    }
    EXPECT_EQ(m.MatchText(1), SongRecord(L"n1", L"L1", L"H1", L"M1", L"S1"));
    EXPECT_EQ(m.MatchText(2).substr(0, 13), LR"({"SongName":")");
}

TEST(RegexMatcher, NumbersOutsideTheResultsGiveEmptyText) {
    SearchRegexMatcher m;
    ASSERT_TRUE(m.Match(search::kSongPattern, SongRecord(L"n", L"l", L"h", L"m", L"s")));
    ASSERT_EQ(m.MatchCount(), 1);
    struct {
        int match, group;
    } outside[] = {{1, 21}, {0, 1}, {2, 1}, {-1, 1}, {1, 0}, {1, -1}};
    for (const auto& c : outside) EXPECT_EQ(m.SubmatchText(c.match, c.group), L"") << c.match << "," << c.group;
    EXPECT_EQ(m.MatchText(0), L"");
    EXPECT_EQ(m.MatchText(2), L"");
}

TEST(RegexMatcher, LetterCasePerVariant) {
    const std::wstring text = LR"({"filename":"x"})";
    const std::wstring pattern = L"FiLeNaMe\":\"(.*?)\"";
    SearchRegexMatcher search;
    ASSERT_TRUE(search.Match(pattern, text));
    EXPECT_EQ(search.MatchCount(), 1);
    EXPECT_EQ(search.SubmatchText(1, 1), L"x");
    ASSERT_TRUE(search.Match(pattern, text, false));
    EXPECT_EQ(search.MatchCount(), 0);  // the second Match replaced the first one's results

    RestoreRegexMatcher restore;
    ASSERT_TRUE(restore.Match(pattern, text, true));
    EXPECT_EQ(restore.MatchCount(), 0);
    ASSERT_TRUE(restore.Match(pattern, text));
    EXPECT_EQ(restore.MatchCount(), 1);
}

TEST(RegexMatcher, QuoteTokenStandsForADoubleQuote) {
    const std::wstring text = LR"(say "hello" now)";
    RestoreRegexMatcher m;
    ASSERT_TRUE(m.Match(L"#引号(.*?)#引号", text, true, true, true, true));
    ASSERT_EQ(m.MatchCount(), 1);
    EXPECT_EQ(m.SubmatchText(1, 1), L"hello");
    EXPECT_EQ(m.CurrentPattern(), L"\"(.*?)\"");

    ASSERT_TRUE(m.Match(L"#引号(.*?)#引号", text, true, true, true));
    EXPECT_EQ(m.MatchCount(), 0);
    EXPECT_EQ(m.CurrentPattern(), L"#引号(.*?)#引号");
}

TEST(RegexMatcher, MatchesCharactersNotBytes) {
    SearchRegexMatcher m;
    ASSERT_TRUE(m.Match(LR"(\[(.)(.)\])", L"[东来] [ab]"));
    ASSERT_EQ(m.MatchCount(), 2);
    EXPECT_EQ(m.SubmatchText(1, 1), L"东");
    EXPECT_EQ(m.SubmatchText(1, 2), L"来");
    // Letters outside ASCII follow the case rule as well.
    ASSERT_TRUE(m.Match(L"ÄÖ", L"äö"));
    EXPECT_EQ(m.MatchCount(), 1);
}

TEST(RegexMatcher, NoMatchAndEmptySubjectGiveAnEmptySet) {
    for (const wchar_t* subject : {L"", L"nothing to see"}) {
        SearchRegexMatcher m;
        EXPECT_TRUE(m.Match(search::kSongPattern, subject));
        EXPECT_EQ(m.MatchCount(), 0);
        EXPECT_EQ(m.FirstMatchSubmatchCount(), 0);
        EXPECT_EQ(m.SubmatchText(1, 1), L"");
    }
}

TEST(RegexMatcher, RejectedPatternLeavesNoResults) {
    SearchRegexMatcher m;
    ASSERT_TRUE(m.Match(L"(a)", L"a a"));
    ASSERT_EQ(m.MatchCount(), 2);
    for (const wchar_t* bad : {L"(a", L"a)", L"[a", L"a{2,1}", L"*a", L"(?<a"}) {
        EXPECT_FALSE(m.Match(bad, L"a a")) << bad;
        EXPECT_EQ(m.MatchCount(), 0);
        EXPECT_EQ(m.MatchText(1), L"");
        EXPECT_EQ(m.ReplaceMatches(L"x"), L"");
        EXPECT_EQ(m.CurrentPattern(), bad);
    }
}

TEST(RegexMatcher, BracesThatCountNothingAreLiteral) {
    SearchRegexMatcher m;
    ASSERT_TRUE(m.Match(L"{(.*?)}", L"x{a}{b}"));
    ASSERT_EQ(m.MatchCount(), 2);
    EXPECT_EQ(m.SubmatchText(2, 1), L"b");
    ASSERT_TRUE(m.Match(L"a{2}", L"aaa"));  // a real count still counts
    EXPECT_EQ(m.MatchText(1), L"aa");
    ASSERT_TRUE(m.Match(search::kMvPattern,
                        LR"([{"MvName":"v","MvHash":"h","Mark":1,"MvHashMark":"标清","A":1,)"
                        LR"("FileName":"f","B":2}])"));
    ASSERT_EQ(m.MatchCount(), 1);
    EXPECT_EQ(m.SubmatchText(1, search::kMvHashGroup), L"h");
    EXPECT_EQ(m.SubmatchText(1, search::kMvQualityGroup), L"标清");
    EXPECT_EQ(m.SubmatchText(1, search::kMvNameGroup), L"f");
}

TEST(RegexMatcher, ReplaceAndLineAnchors) {
    SearchRegexMatcher m;
    ASSERT_TRUE(m.Match(L"^(\\w)", L"ab\ncd"));
    EXPECT_EQ(m.MatchCount(), 2);  // multi-line: "^" at every line start
    EXPECT_EQ(m.ReplaceMatches(L"[$1]"), L"[a]b\n[c]d");
    EXPECT_EQ(m.CurrentPattern(), L"^(\\w)");

    ASSERT_TRUE(m.Match(L"^(\\w)", L"ab\ncd", true, false, true));
    EXPECT_EQ(m.MatchCount(), 1);
    ASSERT_TRUE(m.Match(L"\\w", L"ab\ncd", true, true, false));
    EXPECT_EQ(m.ReplaceMatches(L"-"), L"-b\ncd");
}

TEST(RegexMatcher, HugeAndHostileSubjectsEndWithoutResults) {
    // One record whose final brace never comes, followed by 4 MB on the same line.
    std::wstring unclosed = SongRecord(L"n", L"l", L"h", L"m", L"s");
    unclosed.resize(unclosed.size() - 2);
    unclosed += std::wstring(4 << 20, L'x');
    // Many records that each fall just short of the pattern's end.
    std::wstring almost;
    std::wstring record = SongRecord(L"n", L"l", L"h", L"m", L"s");
    record.pop_back();
    record.back() = L',';
    while (almost.size() < (1u << 20)) almost += record;

    for (const std::wstring* subject : {&unclosed, &almost}) {
        SearchRegexMatcher m;
        m.Match(search::kSongPattern, *subject);  // finished, or gave up: either way nothing is found
        EXPECT_EQ(m.MatchCount(), 0);
        EXPECT_EQ(m.SubmatchText(1, 7), L"");
    }
}
