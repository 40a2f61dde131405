#include "queue/task_file.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "support/temp_dir.h"
#include "win/file_io.h"
#include "win/text.h"

using queue::TaskFile;

namespace {

class TaskFileTest : public ::testing::Test {
protected:
    std::string Bytes() { return win::ReadWholeFile(file.Path()).value_or("<missing>"); }
    // The code page 936 bytes the file must hold for this text.
    static std::string Cp936(const std::wstring& text) { return win::WideToCp936(text); }

    testing_support::TempDir dir;
    TaskFile file{dir / queue::kTaskFileName};
};

TEST_F(TaskFileTest, FirstRecordHasNoLineBreakAndSecondFollowsCrLf) {
    file.AppendTask(L"周杰伦 - 晴天.mp3", L"http://a/1.mp3");
    EXPECT_EQ(Bytes(), Cp936(L"歌名[周杰伦 - 晴天.mp3]地址[http://a/1.mp3]"));
    file.AppendTask(L"b.flac", L"http://a/2");
    EXPECT_EQ(Bytes(), Cp936(L"歌名[周杰伦 - 晴天.mp3]地址[http://a/1.mp3]\r\n歌名[b.flac]地址[http://a/2]"));
}

TEST_F(TaskFileTest, DroppingTheOnlyRecordLeavesAnEmptyFileAndTheNextAppendStartsWithCrLf) {
    file.AppendTask(L"a.mp3", L"u1");
    file.DropTask(L"a.mp3");
    EXPECT_EQ(Bytes(), "");
    file.AppendTask(L"b.mp3", L"u2");
    EXPECT_EQ(Bytes(), "\r\n" + Cp936(L"歌名[b.mp3]地址[u2]"));
}

TEST_F(TaskFileTest, DropRemovesOneRecordPerCallAndKeepsEverythingElse) {
    std::string text = Cp936(L"junk\r\n歌名[a.mp3]地址[u1]\r\n\r\n歌名[a.mp3]地址[u2]\r\n歌名[b.mp3]地址[u3]");
    win::WriteFileAtomic(file.Path(), text);
    file.DropTask(L"a.mp3");
    EXPECT_EQ(Bytes(), Cp936(L"junk\r\n\r\n歌名[a.mp3]地址[u2]\r\n歌名[b.mp3]地址[u3]"));
    file.DropTask(L"a.mp3");
    EXPECT_EQ(Bytes(), Cp936(L"junk\r\n\r\n歌名[b.mp3]地址[u3]"));
    file.DropTask(L"nobody.mp3");
    EXPECT_EQ(Bytes(), Cp936(L"junk\r\n\r\n歌名[b.mp3]地址[u3]"));
}

TEST_F(TaskFileTest, DropMatchesTheWholeNameFieldOnly) {
    file.AppendTask(L"x - a.mp3", L"http://h/a.mp3");  // "a.mp3" is only the tail of this name
    file.AppendTask(L"y.mp3", L"http://h/歌名[a.mp3]");  // ... and part of this link
    file.AppendTask(L"a.mp3", L"u");
    file.DropTask(L"a.mp3");
    EXPECT_EQ(Bytes(), Cp936(L"歌名[x - a.mp3]地址[http://h/a.mp3]\r\n歌名[y.mp3]地址[http://h/歌名[a.mp3]]"));
}

TEST_F(TaskFileTest, NameWithBracketIsWrittenAndDropped) {
    file.AppendTask(L"a]b[c.mp3", L"u1");
    file.AppendTask(L"d.mp3", L"u2");
    file.DropTask(L"a]b[c.mp3");
    EXPECT_EQ(Bytes(), Cp936(L"歌名[d.mp3]地址[u2]"));
}

TEST_F(TaskFileTest, EmptyNameChangesNothingAndMissingFileBecomesEmpty) {
    file.DropTask(L"");
    EXPECT_FALSE(win::PathExists(file.Path()));
    file.AppendTask(L"a.mp3", L"u");
    file.DropTask(L"");
    EXPECT_EQ(Bytes(), Cp936(L"歌名[a.mp3]地址[u]"));
    testing_support::RemoveTree(dir.path());  // the folder goes too: the write must fail quietly
    EXPECT_FALSE(file.DropTask(L"a.mp3"));
    EXPECT_EQ(Bytes(), "<missing>");
}

TEST_F(TaskFileTest, MissingFileAtDropIsWrittenEmpty) {
    file.DropTask(L"a.mp3");
    EXPECT_EQ(Bytes(), "");
}

TEST_F(TaskFileTest, RecordOutsideCp936SwitchesToUtf8WithBomAndBack) {
    file.AppendTask(L"a.mp3", L"u1");
    file.AppendTask(L"아이유 - 밤편지.mp3", L"u2");
    EXPECT_EQ(Bytes(), "\xEF\xBB\xBF" + win::WideToUtf8(L"歌名[a.mp3]地址[u1]\r\n歌名[아이유 - 밤편지.mp3]地址[u2]"));
    EXPECT_EQ(file.ReadText(), L"歌名[a.mp3]地址[u1]\r\n歌名[아이유 - 밤편지.mp3]地址[u2]");
    file.AppendTask(L"晴天.mp3", L"u3");
    file.DropTask(L"아이유 - 밤편지.mp3");
    // Everything fits code page 936 again: back to the plain form.
    EXPECT_EQ(Bytes(), Cp936(L"歌名[a.mp3]地址[u1]\r\n歌名[晴天.mp3]地址[u3]"));
    EXPECT_EQ(file.ReadText(), L"歌名[a.mp3]地址[u1]\r\n歌名[晴天.mp3]地址[u3]");
}

TEST_F(TaskFileTest, ConcurrentAppendsAndDropsLoseNothing) {
    constexpr int kThreads = 4, kPerThread = 60;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([this, t] {
            for (int i = 0; i < kPerThread; ++i) {
                std::wstring keep = L"keep" + std::to_wstring(t) + L"_" + std::to_wstring(i) + L".mp3";
                std::wstring gone = L"gone" + std::to_wstring(t) + L"_" + std::to_wstring(i) + L".mp3";
                file.AppendTask(keep, L"k");
                file.AppendTask(gone, L"g");
                file.DropTask(gone);
            }
        });
    }
    for (auto& th : threads) th.join();
    std::wstring text = file.ReadText();
    for (int t = 0; t < kThreads; ++t)
        for (int i = 0; i < kPerThread; ++i) {
            std::wstring suffix = std::to_wstring(t) + L"_" + std::to_wstring(i) + L".mp3]";
            EXPECT_NE(text.find(L"歌名[keep" + suffix), std::wstring::npos) << t << " " << i;
            EXPECT_EQ(text.find(L"歌名[gone" + suffix), std::wstring::npos) << t << " " << i;
        }
    size_t records = 0;
    for (size_t p = text.find(L"歌名["); p != std::wstring::npos; p = text.find(L"歌名[", p + 1)) ++records;
    EXPECT_EQ(records, size_t{kThreads * kPerThread});
}

}  // namespace
