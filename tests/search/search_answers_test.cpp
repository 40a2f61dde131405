#include "search/search_answers.h"

#include <gtest/gtest.h>

#include "fixture.h"
#include "regex/regex_matcher.h"
#include "search/search_patterns.h"

using namespace search;

namespace {

int PatternMatches(std::wstring_view pattern, const std::wstring& body) {
    regex::SearchRegexMatcher m;
    m.Match(pattern, body);
    return m.MatchCount();
}

// Every variant of one page gives exactly the expected rows; only the first variant is in the order
// the pattern reads, the others need the key-by-key reading.
template <class Row, class Parse>
void ExpectEveryOrderGives(const std::vector<Row>& expected, Parse parse, std::wstring_view pattern,
                           std::initializer_list<const wchar_t*> variants) {
    for (const wchar_t* name : variants) {
        const std::wstring body = search_fixtures::Read(name);
        bool fixedOrder = name == *variants.begin();
        EXPECT_EQ(PatternMatches(pattern, body) == static_cast<int>(expected.size()), fixedOrder) << name;
        std::vector<Row> rows = parse(body);
        ASSERT_EQ(rows.size(), expected.size()) << name;
        for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i], expected[i]) << name << " row " << i;
    }
}

}  // namespace

TEST(SearchAnswers, SongPageInEveryKeyOrderGivesTheSameRows) {
    std::vector<SongRow> expected;
    for (auto& c : search_fixtures::ReadTable(L"song_rows.tsv"))
        expected.push_back({c.at(0), c.at(1), c.at(2), c.at(3), c.at(4)});
    ASSERT_EQ(expected.size(), 40u);
    ExpectEveryOrderGives(expected, ParseSongPage, kSongPattern,
                          {L"song_page.json", L"song_page_shuffled.json", L"song_page_other_start.json"});
    // The fixture's highlights, escapes, empty MV hash and 32-zero lossless hash, read as they stand.
    EXPECT_EQ(expected[0].name, L"东来东往 - 别说我的眼泪你无所谓");
    EXPECT_EQ(expected[0].losslessHash, std::wstring(32, L'0'));
    EXPECT_EQ(expected[7].mvHash, L"");
    EXPECT_EQ(expected[15].name, L"东来东往 - 回家\\/在路上");
}

TEST(SearchAnswers, MvPageInEveryKeyOrderGivesTheSameRows) {
    std::vector<MvRow> expected;
    for (auto& c : search_fixtures::ReadTable(L"mv_rows.tsv")) expected.push_back({c.at(0), c.at(1), c.at(2)});
    ASSERT_EQ(expected.size(), 30u);
    ExpectEveryOrderGives(expected, ParseMvPage, kMvPattern,
                          {L"mv_page.json", L"mv_page_shuffled.json", L"mv_page_other_start.json"});
    EXPECT_EQ(expected[0].quality, L"标清");
}

TEST(SearchAnswers, PatternRowsStandUnlessThePatternGluedRecords) {
    const std::wstring head =
        LR"({"SongName":"s","OwnerCount":1,"SQFileSize":2,"ResFileSize":0,"AlbumName":"a",)"
        LR"("Privilege":8,"FileName":"n","ID":"1","SQFileHash":"L","A320Privilege":0,)"
        LR"("HQFileHash":"H","SuperExtName":"","HQFileSize":3,"FileSize":4,"Publish":1,)"
        LR"("SingerName":"x","SQPrivilege":0,"MvHash":"M",)";
    // Every record read by the pattern: its rows stand as the pattern cuts them, even where a key
    // reader would read a value differently (here the pattern's last group takes the "ResFileHash"
    // and what follows it).
    auto rows = ParseSongPage(L"[" + head + LR"("SQPkgPrice":1,"ResFileHash":"R","FileHash":"S"}])");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].standardHash, LR"(R","FileHash":"S)");

    // A record without "SQPkgPrice" makes the pattern run on into the next record and glue the two:
    // then the records are read key by key.
    std::wstring glued = L"[" + head + LR"("FileHash":"S1"},)" + head + LR"("SQPkgPrice":1,"FileHash":"S2"}])";
    ASSERT_EQ(PatternMatches(kSongPattern, glued), 1);
    rows = ParseSongPage(glued);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (SongRow{L"n", L"S1", L"H", L"L", L"M"}));
    EXPECT_EQ(rows[1], (SongRow{L"n", L"S2", L"H", L"L", L"M"}));
}

TEST(SearchAnswers, EmptyGarbageAndZeroRecordsGiveNoRows) {
    const wchar_t* bodies[] = {
        L"",
        L"<html><body>502 Bad Gateway</body></html>",
        LR"({"status":1,"error":"","data":{"total":0,"lists":[]},"errcode":0})",
        LR"({"status":0,"error":"service busy","data":[]})",
        LR"({"lists":[{"SongName":"x","FileHash":"truncated)",
    };
    for (const wchar_t* body : bodies) {
        EXPECT_TRUE(ParseSongPage(body).empty()) << body;
        EXPECT_TRUE(ParseMvPage(body).empty()) << body;
    }
}

TEST(SearchAnswers, SongAnswerIsNotReadAsVideosNorTheOtherWayRound) {
    EXPECT_TRUE(ParseMvPage(search_fixtures::Read(L"song_page_other_start.json")).empty());
    EXPECT_TRUE(ParseSongPage(search_fixtures::Read(L"mv_page_shuffled.json")).empty());
}

TEST(SearchAnswers, HighlightTagsComeOut) {
    EXPECT_EQ(WithoutHighlightTags(L"<em>东来东往<\\/em> - 片刻"), L"东来东往 - 片刻");
    std::wstring body = LR"([{"FileHash":"S","FileName":"<em>东来东往<\/em> - 片刻"}])";
    auto rows = ParseSongPage(body);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], (SongRow{L"东来东往 - 片刻", L"S", L"", L"", L""}));
}

TEST(SearchAnswers, HugeUnclosedAnswerGivesNoRowsAndEnds) {
    // The first song record cut off in the middle of a value, then 4 MB more on the same line.
    std::wstring body = search_fixtures::Read(L"song_page.json");
    body.resize(body.find(L"\"appid_block\""));
    body.append(4 << 20, L'x');
    EXPECT_TRUE(ParseSongPage(body).empty());
    EXPECT_TRUE(ParseMvPage(body).empty());
}
