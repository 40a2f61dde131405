#include "app/settings.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "win/file_io.h"

namespace {

using app::ReadDownloadFolderSetting;
using app::ReadEndpoints;
using app::WriteDownloadFolderSetting;

void WriteIni(const testing_support::TempDir& dir, const std::wstring& section, const std::wstring& key,
              const std::wstring& value) {
    ASSERT_TRUE(WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), (dir / L"test.ini").c_str()));
}

TEST(DownloadFolderSetting, MissingFileSectionOrKeyReadsEmpty) {
    testing_support::TempDir dir;
    EXPECT_EQ(ReadDownloadFolderSetting(dir.path()), L"");
    WriteIni(dir, L"其他", L"目录", L"D:\\x\\");
    EXPECT_EQ(ReadDownloadFolderSetting(dir.path()), L"");
    WriteIni(dir, L"下载目录", L"别的", L"D:\\x\\");
    EXPECT_EQ(ReadDownloadFolderSetting(dir.path()), L"");
}

TEST(DownloadFolderSetting, WrittenValueReadsBackUnderItsSectionAndKey) {
    testing_support::TempDir dir;
    ASSERT_TRUE(WriteDownloadFolderSetting(dir.path(), L"D:\\音乐\\下载\\"));
    EXPECT_EQ(ReadDownloadFolderSetting(dir.path()), L"D:\\音乐\\下载\\");
    wchar_t raw[256] = {};
    GetPrivateProfileStringW(L"下载目录", L"目录", L"", raw, 256, (dir / L"test.ini").c_str());
    EXPECT_STREQ(raw, L"D:\\音乐\\下载\\");
}

TEST(DownloadFolderSetting, LongValueIsNotCutShort) {
    testing_support::TempDir dir;
    std::wstring folder = L"D:\\" + std::wstring(1500, L'曲') + L"\\";
    ASSERT_TRUE(WriteDownloadFolderSetting(dir.path(), folder));
    EXPECT_EQ(ReadDownloadFolderSetting(dir.path()), folder);
}

TEST(Endpoints, CompiledInDefaultsWithoutTheSection) {
    testing_support::TempDir dir;
    WriteIni(dir, L"下载目录", L"目录", L"D:\\x\\");
    app::Endpoints endpoints = ReadEndpoints(dir.path());
    EXPECT_EQ(endpoints.songSearch, L"http://songsearch.kugou.com");
    EXPECT_EQ(endpoints.mvSearch, L"http://mvsearch.kugou.com");
    EXPECT_EQ(endpoints.linkResolver, L"http://link-resolver.invalid");
}

TEST(Endpoints, SectionOverridesEachHostAndEmptyValuesKeepTheDefault) {
    testing_support::TempDir dir;
    WriteIni(dir, L"接口", L"歌曲搜索", L"http://127.0.0.1:8080");
    WriteIni(dir, L"接口", L"MV搜索", L"");
    WriteIni(dir, L"接口", L"链接解析", L"http://127.0.0.1:9090/");
    app::Endpoints endpoints = ReadEndpoints(dir.path());
    EXPECT_EQ(endpoints.songSearch, L"http://127.0.0.1:8080");
    EXPECT_EQ(endpoints.mvSearch, L"http://mvsearch.kugou.com");
    EXPECT_EQ(endpoints.linkResolver, L"http://127.0.0.1:9090");
}

}  // namespace
