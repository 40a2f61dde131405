#include "win/file_io.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

using namespace win;

TEST(FileIo, AtomicWriteReplacesAndReadsBack) {
    testing_support::TempDir dir;
    const std::wstring path = dir / L"下载任务.txt";
    EXPECT_FALSE(ReadWholeFile(path).has_value());
    EXPECT_FALSE(PathExists(path));

    ASSERT_TRUE(WriteFileAtomic(path, std::string("first\r\nline\0x", 13)));
    EXPECT_EQ(*ReadWholeFile(path), std::string("first\r\nline\0x", 13));
    ASSERT_TRUE(WriteFileAtomic(path, ""));
    EXPECT_EQ(*ReadWholeFile(path), "");
    EXPECT_TRUE(PathExists(path));
    EXPECT_FALSE(IsDirectory(path));
    EXPECT_TRUE(IsDirectory(dir.path()));
}

TEST(FileIo, FailedWriteLeavesNoTemporaryFile) {
    testing_support::TempDir dir;
    EXPECT_FALSE(WriteFileAtomic(dir / L"missing\\x.txt", "x"));
    EXPECT_FALSE(PathExists(dir / L"missing"));
}

TEST(FileIo, ExeDirectoryHasNoTrailingSlash) {
    std::wstring d = ExeDirectory();
    ASSERT_FALSE(d.empty());
    EXPECT_NE(d.back(), L'\\');
    EXPECT_TRUE(IsDirectory(d));
}
