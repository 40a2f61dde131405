#include "app/hotkeys.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "pump.h"

namespace {

using app::HotkeyRegistry;
using testing::ElementsAre;
using testing::IsEmpty;

// Messages that reached the test window's own procedure.
std::vector<UINT> ownProcMessages;

LRESULT CALLBACK OwnProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HOTKEY || message >= WM_APP) ownProcMessages.push_back(message);
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeWindow(bool visible, const wchar_t* title = L"曲猎测试") {
    static const ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = OwnProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QulieHotkeyTestWindow";
        return RegisterClassW(&wc);
    }();
    (void)atom;
    return CreateWindowExW(0, L"QulieHotkeyTestWindow", title, WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0), 0,
                           0, 200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

WNDPROC ProcOf(HWND window) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)); }

struct Shown {
    HWND owner;
    std::wstring text, caption;
    UINT style;
};

class FakeBoxes final : public app::MessageBoxes {
public:
    int ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption, UINT style) override {
        shown.push_back({owner, text, caption, style});
        return answer;
    }
    std::vector<Shown> shown;
    int answer = IDOK;
};

class HotkeysTest : public testing::Test {
protected:
    void SetUp() override {
        ownProcMessages.clear();
        window = MakeWindow(true);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        registry.reset();
        DestroyWindow(window);
        testing_support::PumpMessages();
    }

    HWND window = nullptr;
    FakeBoxes boxes;
    std::unique_ptr<HotkeyRegistry> registry = std::make_unique<HotkeyRegistry>(boxes);
    int ups = 0, downs = 0;
};

TEST_F(HotkeysTest, EachHotkeyRunsItsRoutineAndOtherMessagesReachTheOldProcedure) {
    ASSERT_EQ(registry->RegisterWindowHotkey(window, 0, VK_UP, [&] { ++ups; }, L"001"), 1);
    ASSERT_EQ(registry->RegisterWindowHotkey(window, 0, VK_DOWN, [&] { ++downs; }, L"002"), 1);
    EXPECT_EQ(ProcOf(window), HotkeyRegistry::HotkeyWindowProc);
    EXPECT_EQ(registry->PreviousWindowProc(), OwnProc);

    const int up = registry->HotkeyIdOf(L"001");
    const int down = registry->HotkeyIdOf(L"002");
    EXPECT_NE(up, down);
    for (int id : {up, down}) {
        EXPECT_GE(id, 0);
        EXPECT_LE(id, 0xBFFF);
    }
    EXPECT_EQ(registry->IdentifierOf(up), L"001");

    PostMessageW(window, WM_HOTKEY, up, MAKELPARAM(0, VK_UP));
    PostMessageW(window, WM_HOTKEY, up, MAKELPARAM(0, VK_UP));
    PostMessageW(window, WM_HOTKEY, down, MAKELPARAM(0, VK_DOWN));
    PostMessageW(window, WM_APP + 5, 0, 0);
    testing_support::PumpMessages();
    EXPECT_EQ(ups, 2);
    EXPECT_EQ(downs, 1);
    EXPECT_THAT(ownProcMessages, ElementsAre(WM_APP + 5u));
}

TEST_F(HotkeysTest, RefusedKeyLeavesEverythingAloneAndTheNextRegistrationInstallsTheProcedure) {
    // Another window holds the plain Up key already.
    HWND holder = MakeWindow(false);
    ASSERT_TRUE(RegisterHotKey(holder, 77, 0, VK_UP));

    EXPECT_EQ(registry->RegisterWindowHotkey(window, 0, VK_UP, [&] { ++ups; }, L"001"), 0);
    EXPECT_THAT(registry->Entries(), IsEmpty());
    EXPECT_EQ(ProcOf(window), OwnProc);
    EXPECT_THAT(boxes.shown, IsEmpty()) << "a refused key is not reported";

    EXPECT_EQ(registry->RegisterWindowHotkey(window, 0, VK_DOWN, [&] { ++downs; }, L"002"), 1);
    EXPECT_EQ(ProcOf(window), HotkeyRegistry::HotkeyWindowProc);
    EXPECT_EQ(registry->PreviousWindowProc(), OwnProc);
    PostMessageW(window, WM_HOTKEY, registry->HotkeyIdOf(L"002"), 0);
    testing_support::PumpMessages();
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(ups, 0);

    UnregisterHotKey(holder, 77);
    DestroyWindow(holder);
}

TEST_F(HotkeysTest, BlankIdentifierShowsTheReminderAndRegistersNothing) {
    for (const wchar_t* identifier : {L"", L"  "}) {
        EXPECT_EQ(registry->RegisterWindowHotkey(window, 0, VK_F8, [&] { ++ups; }, identifier), 0);
    }
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].text, L"【窗口_热键注册】命令第5个参数【标识文本】不能为空文本");
    EXPECT_EQ(boxes.shown[0].caption, L"友情提醒");
    EXPECT_EQ(boxes.shown[0].style, static_cast<UINT>(MB_ICONINFORMATION | MB_OK));
    EXPECT_EQ(boxes.shown[0].owner, window) << "owned by the program's own window";
    EXPECT_THAT(registry->Entries(), IsEmpty());
    EXPECT_EQ(ProcOf(window), OwnProc);
}

TEST_F(HotkeysTest, WithoutAWindowTheProgramsOwnVisibleWindowIsUsed) {
    ASSERT_EQ(registry->RegisterWindowHotkey(nullptr, MOD_CONTROL, VK_F9, [&] { ++ups; }, L"003"), 1);
    ASSERT_EQ(registry->Entries().size(), 1u);
    EXPECT_EQ(registry->Entries()[0].window, window);
    SendMessageW(window, WM_HOTKEY, registry->HotkeyIdOf(L"003"), 0);
    EXPECT_EQ(ups, 1);
}

TEST_F(HotkeysTest, OwnWindowLookupSkipsHiddenWindows) {
    HWND hidden = MakeWindow(false, L"隐藏");
    std::vector<app::TopWindow> windows;
    ASSERT_GT(app::ListTopWindows(windows), 1);
    const auto mine = std::find_if(windows.begin(), windows.end(), [&](const auto& w) { return w.window == hidden; });
    ASSERT_NE(mine, windows.end());
    EXPECT_EQ(mine->title, L"隐藏");
    EXPECT_EQ(mine->className, L"QulieHotkeyTestWindow");
    EXPECT_EQ(mine->processId, GetCurrentProcessId());
    EXPECT_EQ(mine->threadId, GetCurrentThreadId());

    EXPECT_EQ(app::FindOwnWindow(GetCurrentProcessId()), window);
    ShowWindow(window, SW_HIDE);
    EXPECT_EQ(app::FindOwnWindow(GetCurrentProcessId()), nullptr);
    DestroyWindow(hidden);
}

TEST_F(HotkeysTest, ReminderBoxDefaultsGiveWayToGivenArguments) {
    boxes.answer = IDYES;
    EXPECT_EQ(app::ReminderBox(boxes, L"文本", MB_YESNO, std::wstring(L"标题"), HWND{nullptr}), IDYES - 1);
    EXPECT_EQ(boxes.shown[0].owner, nullptr);
    EXPECT_EQ(boxes.shown[0].caption, L"标题");
    EXPECT_EQ(boxes.shown[0].style, static_cast<UINT>(MB_YESNO));
}

}  // namespace
