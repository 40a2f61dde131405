// The cookie jar's text form and its operations, on the jar alone.
#include "http/cookie_jar.h"

#include <gtest/gtest.h>

namespace http {
namespace {

CookieJar JarWith(std::string_view text) {
    CookieJar jar;
    jar.SetText(text);
    return jar;
}

TEST(CookieJar, HarvestKeepsOrderReplacesInPlaceAndDeletes) {
    CookieJar jar;
    jar.Harvest("HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nset-cookie: b=2; HttpOnly\r\n\r\n");
    EXPECT_EQ(jar.text(), "; a=1; b=2; ");
    EXPECT_EQ(jar.CookieText(), "a=1; b=2");

    jar.Harvest("HTTP/1.1 200 OK\r\nSet-Cookie: a=9; path=/\r\n\r\n");
    EXPECT_EQ(jar.text(), "; a=9; b=2; ");

    jar.Harvest("HTTP/1.1 200 OK\r\nSET-COOKIE:   A=1; path=/\r\n\r\n");  // names count letter case
    EXPECT_EQ(jar.text(), "; a=9; b=2; A=1; ");

    jar.Harvest(
        "HTTP/1.1 200 OK\r\nSet-Cookie: a=deleted; expires=Thu, 01 Jan 1970 00:00:00 GMT\r\n"
        "Set-Cookie: A=DELETED;\r\nSet-Cookie: c=Deleted; path=/\r\n\r\n");
    EXPECT_EQ(jar.text(), "; b=2; ");
}

TEST(CookieJar, HarvestTakesLinesWithoutSemicolonAndSkipsItemsWithoutName) {
    CookieJar jar;
    jar.Harvest(
        "HTTP/1.1 200 OK\r\nSet-Cookie: sid=abc \r\nSet-Cookie: flag; path=/\r\nX-Other: v; w=1\r\n"
        "Set-Cookie: t=2; path=/\r\nSet-Cookie: last=1");
    EXPECT_EQ(jar.text(), "; sid=abc; t=2; last=1; ");
}

TEST(CookieJar, HarvestingTheSameBlockTwiceChangesNothing) {
    const char* block = "HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=deleted;\r\n\r\n";
    CookieJar jar = JarWith("b=2; c=3");
    jar.Harvest(block);
    std::string once = jar.text();
    jar.Harvest(block);
    EXPECT_EQ(jar.text(), once);
    EXPECT_EQ(once, "; c=3; a=1; ");
}

TEST(CookieJar, MergeAppendsOrReplacesByName) {
    CookieJar jar = JarWith("a=1; b=2");
    EXPECT_TRUE(jar.Merge("c=3; a=5"));
    EXPECT_EQ(jar.text(), "; a=5; b=2; c=3; ");
    EXPECT_FALSE(jar.Merge(""));
    EXPECT_FALSE(jar.Merge("novalue;  ;"));
    EXPECT_EQ(jar.text(), "; a=5; b=2; c=3; ");

    CookieJar blanks;
    EXPECT_TRUE(blanks.Merge("a=1 ;b=2"));  // blanks at the end of a part stay
    EXPECT_EQ(blanks.text(), "; a=1 ; b=2; ");
}

TEST(CookieJar, RemoveTakesNamesOrPairs) {
    for (const char* names : {"b", "b=whatever", "  b"}) {
        CookieJar jar = JarWith("a=1; b=2; c=3");
        EXPECT_TRUE(jar.Remove(names)) << names;
        EXPECT_EQ(jar.text(), "; a=1; c=3; ") << names;
    }
    CookieJar jar = JarWith("a=1; b=2; c=3");
    EXPECT_TRUE(jar.Remove("c; a"));
    EXPECT_EQ(jar.text(), "; b=2; ");
    EXPECT_FALSE(jar.Remove("B"));
    EXPECT_FALSE(jar.Remove(""));
    EXPECT_EQ(jar.text(), "; b=2; ");
}

TEST(CookieJar, GetFindsWholeNamesOnly) {
    CookieJar jar = JarWith("ab=1; b=2");
    EXPECT_EQ(jar.Get("b"), "2");
    EXPECT_EQ(jar.Get("b", true), "b=2");
    EXPECT_EQ(jar.Get("ab"), "1");
    EXPECT_EQ(jar.Get("a"), "");
    EXPECT_EQ(jar.Get("B"), "");
}

TEST(CookieJar, SetTextAcceptsEitherForm) {
    for (const char* text : {"a=1; b=2", "a=1; b=2;", "; a=1; b=2; "}) {
        EXPECT_EQ(JarWith(text).text(), "; a=1; b=2; ") << text;
    }
    EXPECT_EQ(JarWith("").text(), "; ");
    EXPECT_EQ(JarWith("").CookieText(), "");
    EXPECT_EQ(JarWith("; ").text(), "; ");
    // A text ending in a blank still gives a jar whose last entry is followed by "; ".
    EXPECT_EQ(JarWith("a=1 ").text(), "; a=1 ; ");
}

TEST(CookieJar, DoubleByteValuesSurvive) {
    // "东来" in code page 936; the trail bytes must not be taken for separators or names.
    CookieJar jar;
    EXPECT_TRUE(jar.Merge("name=\xB6\xAB\xC0\xB4; b=2"));
    EXPECT_EQ(jar.Get("name"), "\xB6\xAB\xC0\xB4");
    EXPECT_EQ(jar.CookieText(), "name=\xB6\xAB\xC0\xB4; b=2");
}

}  // namespace
}  // namespace http
