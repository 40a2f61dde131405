// The real program against the offline demo service, driven from outside like a person would.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>

#include "app/command_ids.h"
#include "catalogue.h"
#include "demo_service.h"
#include "program_driver.h"
#include "support/temp_dir.h"
#include "win/file_io.h"
#include "win/text.h"

namespace {

using e2e::ProgramDriver;
using e2e::WaitFor;

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        service_ = std::make_unique<demo::DemoService>(demo::LoadAudioFolder(e2e::DemoAudioFolder()));
        ASSERT_FALSE(service_->FileBytes(demo::DemoCatalogue().songs[0].standardHash + ".mp3").empty())
            << "demo audio missing: run scripts/setup";
        const std::wstring ini = run_ / L"test.ini";
        const std::wstring base = win::Utf8ToWide(service_->BaseUrl());
        for (const wchar_t* key : {L"歌曲搜索", L"MV搜索", L"链接解析"})
            WritePrivateProfileStringW(L"接口", key, base.c_str(), ini.c_str());
    }

    std::wstring Folder() const { return run_ / L"Mymp3"; }
    std::wstring Link(const std::string& hash, const char* ext) const {
        return win::Utf8ToWide(service_->BaseUrl() + "/files/" + hash + ext);
    }
    bool FileIs(const std::wstring& name, const std::string& bytes) const {
        auto got = win::ReadWholeFile(Folder() + L"\\" + name);
        return got && *got == bytes;
    }
    std::string TaskFile() const { return win::ReadWholeFile(run_ / L"下载任务.txt").value_or(""); }

    // Searches `keyword` over `pages` song pages and waits for `rows` rows.
    bool SearchSongs(ProgramDriver& program, const std::wstring& keyword, int pages, int rows) {
        program.SetText(app::kSongKeyword, keyword);
        program.SetText(app::kSongPages, std::to_wstring(pages));
        program.Click(app::kSongSearch);
        return WaitFor([&] { return program.RowCount(app::kSongList) == rows; }, 30000);
    }

    testing_support::TempDir run_;
    std::unique_ptr<demo::DemoService> service_;
};

std::vector<const demo::Song*> SongsOf(const std::string& keyword) {
    std::vector<const demo::Song*> songs;
    for (const auto& s : demo::DemoCatalogue().songs)
        if (s.singer.find(keyword) != std::string::npos || s.title.find(keyword) != std::string::npos)
            songs.push_back(&s);
    return songs;
}

TEST_F(EndToEnd, SearchListsTheCatalogueRowsOfEveryPage) {
    ProgramDriver program(run_.path());
    ASSERT_TRUE(program.Started());
    const auto songs = SongsOf("东来东往");
    ASSERT_GT(songs.size(), 40u);  // more than one page of 40
    ASSERT_TRUE(SearchSongs(program, L"东来东往", 3, std::min<int>(songs.size(), 120)))
        << "rows: " << program.RowCount(app::kSongList);

    std::multiset<std::wstring> expected, shown;
    for (size_t i = 0; i < songs.size() && i < 120; ++i)
        expected.insert(win::Utf8ToWide(songs[i]->singer + " - " + songs[i]->title));
    for (const auto& name : program.Column(app::kSongList, 0)) shown.insert(name);
    EXPECT_EQ(shown, expected);
    // The hidden hash columns carry the record's hashes.
    EXPECT_EQ(win::WideToUtf8(program.Cell(app::kSongList, 0, 1)), songs[0]->standardHash);

    int mvs = 0;
    for (const auto& m : demo::DemoCatalogue().mvs) mvs += m.singer == "东来东往";
    program.SetText(app::kMvPages, L"1");
    program.Click(app::kMvSearch);
    EXPECT_TRUE(WaitFor([&] { return program.RowCount(app::kMvList) == mvs; }, 20000));
    EXPECT_EQ(program.Cell(app::kMvList, 0, 1), L"标清");
}

TEST_F(EndToEnd, BatchInHighQualityDownloadsEveryRowThatHasIt) {
    ProgramDriver program(run_.path());
    ASSERT_TRUE(program.Started());
    const auto songs = SongsOf("林间乐队");
    ASSERT_TRUE(SearchSongs(program, L"林间乐队", 1, static_cast<int>(songs.size())));

    program.Click(app::kSongTickAll);
    program.SelectComboItem(app::kBatchQuality, 1);  // 高音质
    program.Click(app::kSongBatch);

    std::vector<std::pair<std::wstring, std::string>> wanted;
    std::vector<std::wstring> skipped;
    for (const auto* s : songs) {
        const std::wstring name = win::Utf8ToWide(s->singer + " - " + s->title) + L".mp3";
        if (s->highHash.empty()) skipped.push_back(name);
        else wanted.push_back({name, service_->FileBytes(s->highHash + ".mp3")});
    }
    ASSERT_FALSE(wanted.empty());
    ASSERT_FALSE(skipped.empty());
    EXPECT_TRUE(WaitFor(
        [&] {
            return std::all_of(wanted.begin(), wanted.end(), [&](auto& w) { return FileIs(w.first, w.second); }) &&
                   TaskFile().empty();
        },
        90000))
        << "task file left: " << TaskFile();
    for (const auto& name : skipped) EXPECT_FALSE(win::PathExists(Folder() + L"\\" + name));
    EXPECT_EQ(program.RowCount(app::kDownloadList), static_cast<int>(wanted.size()));
    for (const auto& state : program.Column(app::kDownloadList, 3)) EXPECT_EQ(state, L"已下载");
    // The finished files show in 歌曲列表.
    EXPECT_TRUE(WaitFor([&] { return program.RowCount(app::kLocalList) == static_cast<int>(wanted.size()); }, 10000));
}

TEST_F(EndToEnd, RestoredTasksResumeAndABrokenFileFailsAlone) {
    const auto& catalogue = demo::DemoCatalogue();
    const demo::Song* broken = nullptr;
    for (const auto& s : catalogue.songs)
        if (s.broken) broken = &s;
    ASSERT_NE(broken, nullptr);
    const auto good = SongsOf("林间乐队");
    struct Task {
        std::wstring name;
        std::wstring link;
    };
    const std::vector<Task> tasks = {
        {L"第一首.mp3", Link(good[0]->standardHash, ".mp3")},
        {L"坏掉的.mp3", Link(broken->standardHash, ".mp3")},
        {L"第三首.mp3", Link(good[1]->standardHash, ".mp3")},
    };
    std::wstring text;
    for (const auto& t : tasks) {
        if (!text.empty()) text += L"\r\n";
        text += L"歌名[" + t.name + L"]地址[" + t.link + L"]";
    }
    ASSERT_TRUE(win::WriteFileAtomic(run_ / L"下载任务.txt", win::WideToCp936(text)));

    ProgramDriver program(run_.path());
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(WaitFor([&] { return program.RowCount(app::kDownloadList) == 3; }, 10000));
    for (const auto& state : program.Column(app::kDownloadList, 3)) EXPECT_EQ(state, L"等待中");

    program.Command(app::kMenuResume);
    std::vector<std::wstring> boxes;
    const bool done = WaitFor(
        [&] {
            for (auto& b : program.DismissMessageBoxes()) boxes.push_back(b);
            return FileIs(L"第一首.mp3", service_->FileBytes(good[0]->standardHash + ".mp3")) &&
                   FileIs(L"第三首.mp3", service_->FileBytes(good[1]->standardHash + ".mp3")) &&
                   program.Cell(app::kDownloadList, 1, 3) == L"下载失败";
        },
        90000);
    EXPECT_TRUE(done) << "states: " << win::WideToUtf8(program.Cell(app::kDownloadList, 0, 3)) << ", "
                      << win::WideToUtf8(program.Cell(app::kDownloadList, 1, 3)) << ", "
                      << win::WideToUtf8(program.Cell(app::kDownloadList, 2, 3));
    EXPECT_TRUE(std::any_of(boxes.begin(), boxes.end(), [](auto& b) { return b.find(L"下载失败") != b.npos; }));
    // Only the broken task stays saved, so the next start tries it again.
    EXPECT_EQ(win::Cp936ToWide(TaskFile()), L"歌名[坏掉的.mp3]地址[" + tasks[1].link + L"]");
    EXPECT_FALSE(win::PathExists(Folder() + L"\\坏掉的.mp3"));
}

}  // namespace
