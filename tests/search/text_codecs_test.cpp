#include "search/text_codecs.h"

#include <gtest/gtest.h>

using search::RemoveSubstrings;
using search::UrlEncode;

TEST(UrlEncode, Examples) {
    struct {
        const wchar_t* text;
        bool keepUnreserved, asUtf8;
        const wchar_t* encoded;
    } cases[] = {
        {L"a-b.c_9", true, true, L"a-b.c%5F9"},
        {L"A/B", true, true, L"A%2FB"},
        {L" ", true, true, L"%20"},
        {L"~Zz09", true, true, L"%7EZz09"},
        {L"ab", false, false, L"%61%62"},
        {L"ab", false, true, L"%61%62"},
        {L"东", true, false, L"%B6%AB"},
        {L"东来东往", true, true, L"%E4%B8%9C%E6%9D%A5%E4%B8%9C%E5%BE%80"},
        {L"\t", true, true, L"%09"},
        {L"사", true, true, L"%EC%82%AC"},
        {L"사", true, false, L"%3F"},  // code page 936 has no Korean: the byte of its "?"
        {L"", true, true, L""},
    };
    for (const auto& c : cases) EXPECT_EQ(UrlEncode(c.text, c.keepUnreserved, c.asUtf8), c.encoded) << c.text;
    EXPECT_EQ(UrlEncode(L"a b"), L"%61%20%62");  // both options default to false
}

TEST(RemoveSubstrings, HighlightTagsAndOrder) {
    EXPECT_EQ(RemoveSubstrings(L"<em>东来<\\/em>东往", L"<em>", L"<\\/em>"), L"东来东往");
    EXPECT_EQ(RemoveSubstrings(L"<em>东来</em>东往", L"<em>", L"<\\/em>"), L"东来</em>东往");
    // Non-overlapping from the left; case matters.
    EXPECT_EQ(RemoveSubstrings(L"aaaa-AA", L"aaa"), L"a-AA");
    // One removal can make an occurrence of a later substring, which then goes too.
    EXPECT_EQ(RemoveSubstrings(L"<e<em>m>x", L"<em>", L"<em>"), L"x");
    EXPECT_EQ(RemoveSubstrings(L"a1b2c3", L"1", L"2", L"3", L"", L"", L"", L"", L"", L"", L"c"), L"ab");
}

TEST(RemoveSubstrings, EmptySubstringsLeaveTheTextAlone) {
    EXPECT_EQ(RemoveSubstrings(L"东来东往", L""), L"东来东往");
    EXPECT_EQ(RemoveSubstrings(L"东来东往", L"", L""), L"东来东往");
    EXPECT_EQ(RemoveSubstrings(L"", L"<em>"), L"");
}
