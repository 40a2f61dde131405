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

void WindowTest::Open() {
    static bool initialised = [] {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)initialised;
    context_ = std::make_unique<app::AppContext>(dir_.path());
    window_ = std::make_unique<app::MainWindow>(*context_, prompter_, menus_,
                                                app::MainWindowOptions{.quitOnDestroy = false});
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

}  // namespace apptest
