// Creating the main window's controls, menus and list bindings, and placing them for a DPI.
#include "app/app_messages.h"
#include "app/main_window.h"
#include "app/window_layout.h"

namespace app {
namespace {

struct ClassAndStyle {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

ClassAndStyle ClassFor(const ControlDef& def) {
    constexpr DWORD child = WS_CHILD | WS_CLIPSIBLINGS;
    constexpr DWORD list = child | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
    switch (def.kind) {
        case ControlKind::Tabs: return {WC_TABCONTROLW, child | WS_TABSTOP, 0};
        case ControlKind::StatusBar: return {STATUSCLASSNAMEW, child | CCS_NOPARENTALIGN | CCS_NORESIZE, 0};
        case ControlKind::Label:
            // Single-line labels are centred vertically beside the edit boxes they name.
            return {WC_STATICW, child | SS_LEFT | (def.height <= 24 ? SS_CENTERIMAGE : 0), 0};
        case ControlKind::Edit: return {WC_EDITW, child | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case ControlKind::Button: return {WC_BUTTONW, child | WS_TABSTOP | BS_PUSHBUTTON, 0};
        case ControlKind::CheckBox: return {WC_BUTTONW, child | WS_TABSTOP | BS_AUTOCHECKBOX, 0};
        case ControlKind::ComboBox: return {WC_COMBOBOXW, child | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
        case ControlKind::GroupBox: return {WC_BUTTONW, child | BS_GROUPBOX, 0};
        case ControlKind::List:
        case ControlKind::TickList: return {WC_LISTVIEWW, list, WS_EX_CLIENTEDGE};
    }
    return {WC_STATICW, child, 0};
}

int Scale(int value, UINT dpi) { return MulDiv(value, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI); }

// The drop-down box's height is its selection field, which follows the item height rather than the
// size it was created with. How the field's frame adds to the item height varies between
// implementations, so adjust by what the window actually measures.
void FitComboHeight(HWND combo, int height) {
    auto measure = [combo] {
        RECT rect;
        GetWindowRect(combo, &rect);
        return static_cast<int>(rect.bottom - rect.top);
    };
    auto item = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    for (int attempt = 0; attempt < 3 && measure() != height; ++attempt) {
        item -= measure() - height;
        if (item <= 0) return;
        SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), item);
    }
}

}  // namespace

void MainWindow::BuildControls() {
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd(), GWLP_HINSTANCE));
    for (const auto& def : ControlDefs()) {
        ClassAndStyle cls = ClassFor(def);
        DWORD visible = def.tab == kAlwaysShown || def.tab == 0 ? WS_VISIBLE : 0;
        HWND control = CreateWindowExW(cls.exStyle, cls.className, def.text, cls.style | visible, def.x, def.y,
                                       def.width, def.height, hwnd(), reinterpret_cast<HMENU>(INT_PTR(def.id)),
                                       instance, nullptr);
        controls_[def.id] = control;
    }

    win::TabControl tabs(Control(kTabs));
    for (int i = 0; i < kTabCount; ++i) tabs.Insert(i, kTabTitles[i]);

    win::ComboBox quality(Control(kBatchQuality));
    for (const wchar_t* item : kQualityItems) quality.Add(item);
    quality.SetCurrent(0);
    win::CheckBox(Control(kSkipStandardMv)).SetTicked(false);

    for (CommandId id : {kSongList, kMvList, kDownloadList, kLocalList}) {
        win::ListView list(Control(id));
        DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;
        if (FindControlDef(id)->kind == ControlKind::TickList) extended |= LVS_EX_CHECKBOXES;
        list.SetExtendedStyle(extended);
        int index = 0;
        for (const auto& column : ColumnDefs(id))
            list.InsertColumn(index++, column.title, column.width, column.centred ? LVCFMT_CENTER : LVCFMT_LEFT);
    }

    for (CommandId id : {kSongTickAll, kSongInvertTicks, kMvTickAll, kMvInvertTicks})
        win::Control(Control(id)).Enable(false);

    // The tab control and the group boxes lie beneath the controls drawn on them.
    for (CommandId id : {kUsageGroup, kVolumeGroup, kFolderGroup, kTabs})
        SetWindowPos(Control(id), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    UINT dpi = GetDpiForWindow(hwnd());
    if (dpi == 0) dpi = USER_DEFAULT_SCREEN_DPI;
    ApplyFont(dpi);
    ApplyLayout(dpi);
    if (dpi != USER_DEFAULT_SCREEN_DPI)
        SetWindowPos(hwnd(), nullptr, 0, 0, Scale(kWindowWidth, dpi), Scale(kWindowHeight, dpi),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::ApplyFont(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi) &&
        !SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        return;
    win::UniqueFont font(CreateFontIndirectW(&metrics.lfMessageFont));
    if (!font) return;
    for (const auto& [id, control] : controls_) SendMessageW(control, WM_SETFONT, WPARAM(font.get()), FALSE);
    font_ = std::move(font);  // the old font is deleted only after no control uses it
}

void MainWindow::ApplyLayout(UINT dpi) {
    for (const auto& def : ControlDefs()) {
        HWND control = Control(def.id);
        SetWindowPos(control, nullptr, Scale(def.x, dpi), Scale(def.y, dpi), Scale(def.width, dpi),
                     Scale(def.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
        if (def.kind == ControlKind::ComboBox) FitComboHeight(control, Scale(def.height, dpi));
    }
    std::vector<int> cells;
    for (int width : kStatusCellWidths) cells.push_back(Scale(width, dpi));
    win::StatusBar(Control(kStatusBar)).SetCells(cells);
    for (CommandId id : {kSongList, kMvList, kDownloadList, kLocalList}) {
        int index = 0;
        for (const auto& column : ColumnDefs(id))
            // Hidden one-pixel columns stay one pixel wide at every DPI.
            List(id).SetColumnWidth(index++, column.width == 1 ? 1 : Scale(column.width, dpi));
    }
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void MainWindow::BuildMenus() {
    for (PopupMenu which : {PopupMenu::List, PopupMenu::Download, PopupMenu::Music, PopupMenu::Video}) {
        win::UniqueMenu menu(CreatePopupMenu());
        for (const auto& entry : MenuEntries(which)) {
            if (entry.text)
                AppendMenuW(menu.get(), MF_STRING, entry.id, entry.text);
            else
                AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
        }
        menus_[static_cast<int>(which)] = std::move(menu);
    }
}

void MainWindow::BindLists() {
    AppTables& tables = context_.tables;
    const std::pair<CommandId, win::TableModel*> lists[] = {{kSongList, &tables.songResults},
                                                            {kMvList, &tables.mvResults},
                                                            {kDownloadList, &tables.downloads},
                                                            {kLocalList, &tables.localSongs}};
    for (auto [id, model] : lists)
        bindings_[id] = std::make_unique<ListBinding>(List(id), *model, hwnd(), kMsgModelChanged, id);
}

}  // namespace app
