// What the taskbar button shows for each state of the download queue.
#include <gtest/gtest.h>

#include "app/taskbar_progress.h"

namespace {

using app::TaskbarMode;
using app::TaskbarView;
using app::TaskbarViewOf;

// The current row's cells: name, total, received, state, link, job.
std::vector<std::wstring> Row(const wchar_t* total, const wchar_t* received, const wchar_t* state) {
    return {L"a.mp3", total, received, state, L"http://127.0.0.1/a", L"7"};
}

struct Case {
    const char* what;
    bool downloading, paused;
    std::vector<std::wstring> row;
    TaskbarView expected;
};

TEST(TaskbarViewTest, FollowsTheQueue) {
    const Case cases[] = {
        {"idle, nothing ever ran", false, false, {}, {}},
        {"starting: no size yet", true, false, Row(L"", L"", L"等待中"), {TaskbarMode::Normal, 0, 0}},
        {"downloading", true, false, Row(L"4MB", L"1.25MB", L"下载中"), {TaskbarMode::Normal, 125, 400}},
        {"paused", false, true, Row(L"4MB", L"3MB", L"已暂停"), {TaskbarMode::Paused, 300, 400}},
        {"failed, nothing after it", false, false, Row(L"", L"", L"下载失败"), {TaskbarMode::Error, 0, 0}},
        {"finished", false, false, Row(L"4MB", L"4MB", L"已下载"), {}},
        {"running row cleared away", true, false, {}, {TaskbarMode::Normal, 0, 0}},
        {"received above total is capped", true, false, Row(L"1MB", L"2MB", L"下载中"), {TaskbarMode::Normal, 100, 100}},
    };
    for (const Case& c : cases) EXPECT_EQ(TaskbarViewOf(c.downloading, c.paused, c.row), c.expected) << c.what;
}

// Under a system without a taskbar list the object still works and shows nothing.
TEST(TaskbarViewTest, ShowingNeverFails) {
    app::TaskbarProgress progress(nullptr);
    progress.Show({TaskbarMode::Normal, 1, 2});
    progress.Show({TaskbarMode::Error, 0, 0});
    progress.ShowAgain();
    progress.Show({});
}

}  // namespace
