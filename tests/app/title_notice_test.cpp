// PumpingWait without any window: the timing, the units, and the messages it handles on the way.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/title_notice.h"

namespace {

ULONGLONG Elapsed(ULONGLONG since) { return GetTickCount64() - since; }

TEST(PumpingWait, WaitsTheDurationInMillisecondsOrSeconds) {
    ULONGLONG start = GetTickCount64();
    EXPECT_TRUE(app::PumpingWait(200));
    EXPECT_GE(Elapsed(start), 190u);
    EXPECT_LT(Elapsed(start), 900u);

    start = GetTickCount64();
    EXPECT_TRUE(app::PumpingWait(1, 1));
    EXPECT_GE(Elapsed(start), 990u);
    EXPECT_LT(Elapsed(start), 3000u);
}

// A timer message that arrives during the wait is handled during it, not after.
TEST(PumpingWait, HandlesMessagesWhileWaiting) {
    static ULONGLONG firedAt = 0;
    firedAt = 0;
    UINT_PTR timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
        if (firedAt == 0) firedAt = GetTickCount64();
    });
    ASSERT_NE(timer, 0u);
    ULONGLONG start = GetTickCount64();
    EXPECT_TRUE(app::PumpingWait(600));
    ULONGLONG end = GetTickCount64();
    KillTimer(nullptr, timer);
    ASSERT_NE(firedAt, 0u);
    EXPECT_LT(firedAt, end - 200);
    EXPECT_GE(firedAt, start);
}

TEST(PumpingWait, AQuitArrivingDuringTheWaitIsKeptForTheLoop) {
    PostQuitMessage(7);
    EXPECT_TRUE(app::PumpingWait(50));
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST(TitleNotice, WithoutAWindowReturnsAtOnce) {
    app::SetNoticeWindow(nullptr);
    ULONGLONG start = GetTickCount64();
    app::TitleNotice(L"已加入下载列表");
    EXPECT_LT(Elapsed(start), 500u);
}

}  // namespace
