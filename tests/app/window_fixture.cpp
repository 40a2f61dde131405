#include "window_fixture.h"

#include <commctrl.h>


#include "app/title_notice.h"
#include "win/controls.h"
#include "win/list_view.h"

namespace apptest {

std::vector<MenuEntryState> EntriesOf(HMENU menu) {
    std::vector<MenuEntryState> entries;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        UINT state = GetMenuState(menu, i, MF_BYPOSITION);
        if (state & MF_SEPARATOR) {
            entries.push_back({L"-", true});
            continue;
        }
        wchar_t text[64] = {};
        GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
        entries.push_back({text, !(state & (MF_GRAYED | MF_DISABLED))});
    }
    return entries;
}

void RecordingMenus::Show(app::PopupMenu which, HMENU menu, HWND) { shown.push_back({which, EntriesOf(menu)}); }

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    auto until = std::chrono::steady_clock::now() + limit;
    for (;;) {
        Pump();
        if (done()) return true;
        if (std::chrono::steady_clock::now() > until) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

namespace {

LRESULT CALLBACK RecordTitle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR titles) {
    if (message == WM_SETTEXT)
        reinterpret_cast<std::vector<std::wstring>*>(titles)->push_back(reinterpret_cast<const wchar_t*>(lParam));
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

void WindowTest::TearDown() {
    if (window_ && window_->hwnd()) RemoveWindowSubclass(window_->hwnd(), &RecordTitle, 1);
    Close();
}

void WindowTest::RecordTitles() {
    titles_.clear();
    SetWindowSubclass(window_->hwnd(), &RecordTitle, 1, reinterpret_cast<DWORD_PTR>(&titles_));
}

void WindowTest::Open() {
    static bool initialised = [] {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)initialised;
    context_ = std::make_unique<app::AppContext>(dir_.path(), std::move(engine_));
    window_ = std::make_unique<app::MainWindow>(*context_, prompter_, menus_, options_);
    ASSERT_TRUE(window_->Create(GetModuleHandleW(nullptr), SW_SHOWNOACTIVATE));
    Pump();
}

void WindowTest::Close() {
    window_.reset();
    Pump();
    context_.reset();
}

std::wstring WindowTest::TextOf(app::CommandId id) { return win::WindowText(Control(id)); }

void WindowTest::RightClick(app::CommandId list) {
    NMITEMACTIVATE click{};
    click.hdr.hwndFrom = Control(list);
    click.hdr.idFrom = list;
    click.hdr.code = NM_RCLICK;
    click.iItem = win::ListView(Control(list)).CurrentRow();
    SendMessageW(window_->hwnd(), WM_NOTIFY, list, reinterpret_cast<LPARAM>(&click));
}

void WindowTest::SelectRow(app::CommandId list, int row) {
    Pump();
    win::ListView(Control(list)).Select(row);
}

void WindowTest::StartSilentDownload() {
    Context().downloadQueue->AddTask(L"进行中.mp3", L"http://127.0.0.1:9/进行中.mp3");
    ASSERT_TRUE(PumpUntil([&] { return Context().downloadQueue->Downloading(); }, std::chrono::seconds(5)));
}

}  // namespace apptest
