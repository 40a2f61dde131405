// What the taskbar button shows for each state of the download queue.
#include <gtest/gtest.h>

#include "app/taskbar_progress.h"

namespace {

using app::TaskbarMode;
using app::TaskbarView;
using app::TaskbarViewOf;

struct Case {
    const char* what;
    bool downloading, paused;
    std::vector<std::wstring> row;  // the current row's cells
    TaskbarView expected;
};

TEST(TaskbarViewTest, FollowsTheQueue) {
    const Case cases[] = {
        {"idle, nothing ever ran", false, false, {}, {}},
        {"starting: no size yet", true, false, {L"a.mp3", L"", L"", L"等待中", L"u", L""}, {TaskbarMode::Normal, 0, 0}},
        {"downloading", true, false, {L"a.mp3", L"4MB", L"1.25MB", L"下载中", L"u", L"7"}, {TaskbarMode::Normal, 125, 400}},
        {"paused", false, true, {L"a.mp3", L"4MB", L"3MB", L"已暂停", L"u", L"7"}, {TaskbarMode::Paused, 300, 400}},
        {"failed, nothing after it", false, false, {L"a.mp3", L"", L"", L"下载失败", L"u", L""}, {TaskbarMode::Error, 0, 0}},
        {"finished", false, false, {L"a.mp3", L"4MB", L"4MB", L"已下载", L"u", L"7"}, {}},
        {"running row cleared away", true, false, {}, {TaskbarMode::Normal, 0, 0}},
        {"received above total is capped", true, false, {L"a", L"1MB", L"2MB", L"下载中", L"u", L"7"}, {TaskbarMode::Normal, 100, 100}},
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
