#include "search/search_urls.h"

#include <gtest/gtest.h>

using namespace search;

namespace {
const wchar_t kBase[] = L"http://127.0.0.1:8080";
}

TEST(SearchUrls, SongAndMvSearchAreByteExact) {
    EXPECT_EQ(SongSearchUrl(kBase, L"东来东往", 1),
              L"http://127.0.0.1:8080/song_search_v2?keyword=%E4%B8%9C%E6%9D%A5%E4%B8%9C%E5%BE%80&page=1"
              L"&pagesize=40&filter=0&bitrate=0&isfuzzy=0&tag=em&inputtype=2&platform=PcFilter&userid=348116302"
              L"&clientver=8171&iscorrection=7");
    EXPECT_EQ(MvSearchUrl(kBase, L"东来东往", 1),
              L"http://127.0.0.1:8080/mv_search?clientver=8063&iscorrection=1&tag=em&userid=785408929"
              L"&clienttime=1472041410245&keyword=%E4%B8%9C%E6%9D%A5%E4%B8%9C%E5%BE%80&inputtype=2&page=1"
              L"&pagesize=30");
    EXPECT_EQ(SongSearchUrl(L"http://h", L"", 12),
              L"http://h/song_search_v2?keyword=&page=12&pagesize=40&filter=0&bitrate=0&isfuzzy=0&tag=em"
              L"&inputtype=2&platform=PcFilter&userid=348116302&clientver=8171&iscorrection=7");
    EXPECT_EQ(MvSearchUrl(L"http://h", L"a b&c", 3),
              L"http://h/mv_search?clientver=8063&iscorrection=1&tag=em&userid=785408929&clienttime=1472041410245"
              L"&keyword=a%20b%26c&inputtype=2&page=3&pagesize=30");
}

TEST(SearchUrls, LinkResolverLowerCasesTheHash) {
    EXPECT_EQ(SongLinkUrl(kBase, L"2A5D4A0D9C45561C90BD9C99677BB2F1"),
              L"http://127.0.0.1:8080/kuwo/flac.php?i=mp3&hash=2a5d4a0d9c45561c90bd9c99677bb2f1");
    EXPECT_EQ(MvLinkUrl(kBase, L"4A0E0592ab"), L"http://127.0.0.1:8080/kuwo/flac.php?i=mkv&hash=4a0e0592ab");
    // Not a hash: it cannot add parameters or spaces to the request.
    EXPECT_EQ(SongLinkUrl(kBase, L"AB&i=x y"), L"http://127.0.0.1:8080/kuwo/flac.php?i=mp3&hash=ab%26i%3Dx%20y");
}
