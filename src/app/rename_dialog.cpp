#include "app/rename_dialog.h"

#include <string>

namespace app {

namespace {

constexpr wchar_t kClassName[] = L"QulieRenameDialog";

struct ControlLayout {
    int id;
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
    int x, y, width, height;
    const wchar_t* text;
};

constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP;
constexpr DWORD kEdit = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;

const ControlLayout kControls[] = {
    {RenameDialog::kLabel1, L"STATIC", kLabel, 0, 8, 8, 40, 24, L"原名称："},
    {RenameDialog::kOldNameEdit, L"EDIT", kEdit, WS_EX_CLIENTEDGE, 55, 9, 240, 24, L""},
    {RenameDialog::kLabel2, L"STATIC", kLabel, 0, 8, 40, 40, 24, L"新名称："},
    {RenameDialog::kNewNameEdit, L"EDIT", kEdit, WS_EX_CLIENTEDGE, 55, 41, 240, 24, kRenameHint},
    {RenameDialog::kRenameButton, L"BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 81, 73, 144,
     32, L"修改"},
    {RenameDialog::kHintLabel, L"STATIC", WS_CHILD | WS_VISIBLE | SS_LEFT, WS_EX_TRANSPARENT, 8, 120, 288, 20,
     L"提示：韩国歌名显示?号,下载后无文件 改名后可解决"},
};

bool RegisterClassOnce(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, kClassName, &wc)) return true;
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = RenameDialog::WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    return RegisterClassExW(&wc) != 0;
}

HFONT CreateMessageFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return nullptr;
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace

RenameDialog::RenameDialog(win::TableModel& songResults, win::TableModel& mvResults)
    : songResults_(songResults), mvResults_(mvResults) {}

RenameDialog::~RenameDialog() {
    if (window_) DestroyWindow(window_);
}

win::TableModel* RenameDialog::ListOf(int list) const {
    if (list == kRenameSongList) return &songResults_;
    if (list == kRenameMvList) return &mvResults_;
    return nullptr;
}

bool RenameDialog::Create() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!RegisterClassOnce(instance)) return false;
    // Not modal and without an owner: the main window stays usable beside it.
    const HWND window = CreateWindowExW(0, kClassName, kRenameTitle, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 50, 50,
                                       312, 180, nullptr, nullptr, instance, this);
    if (!window) return false;
    window_ = window;
    if (!font_) font_.reset(CreateMessageFont());
    for (const ControlLayout& c : kControls) {
        const HWND control =
            CreateWindowExW(c.exStyle, c.className, c.text, c.style, c.x, c.y, c.width, c.height, window,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance, nullptr);
        if (control && font_) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    }
    ShowWindow(window, SW_SHOW);
    return true;
}

bool RenameDialog::Open(int list, int row) {
    const win::TableModel* model = ListOf(list);
    if (!model || model->IdOfRow(row) == 0) return false;
    if (!window_ && !Create()) return false;
    renameList_ = list;
    renameRow_ = row;
    renameRowId_ = model->IdOfRow(row);
    SetDlgItemTextW(window_, kOldNameEdit, model->Cell(row, 0).c_str());
    SetForegroundWindow(window_);
    return true;
}

void RenameDialog::Apply() {
    if (!window_) return;
    win::TableModel* model = ListOf(renameList_);
    const int row = model ? model->RowOfId(renameRowId_) : -1;
    // Taken as typed: an empty text or the untouched hint becomes the name too.
    if (row >= 0) model->SetCell(row, 0, WindowText(GetDlgItem(window_, kNewNameEdit)));
    DestroyWindow(window_);
}

LRESULT CALLBACK RenameDialog::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<RenameDialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    try {
        return self->OnMessage(window, message, wParam, lParam);
    } catch (...) {
        return 0;  // nothing may leave a window procedure
    }
}

LRESULT RenameDialog::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == kRenameButton && HIWORD(wParam) == BN_CLICKED) {
            Apply();
            return 0;
        }
        break;
    case WM_CTLCOLORSTATIC:
        if (GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == kHintLabel) {
            // The hint is drawn straight onto the window's background.
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        window_ = nullptr;
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace app
