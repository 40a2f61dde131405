#include "app/prompter.h"

#include <shellapi.h>
#include <shlobj.h>

namespace app {

int Win32Prompter::ShowMessage(HWND owner, const std::wstring& text, const std::wstring& title, UINT flags) {
    return SystemMessageBoxes().ShowMessage(owner, text, title, flags);
}

std::wstring Win32Prompter::BrowseFolder(HWND owner, const std::wstring& title) {
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
    if (!chosen) return {};
    wchar_t path[MAX_PATH] = {};
    bool ok = SHGetPathFromIDListW(chosen, path) != FALSE;
    CoTaskMemFree(chosen);
    return ok ? std::wstring(path) : std::wstring();
}

void Win32Prompter::Explore(HWND owner, const std::wstring& folder) {
    ShellExecuteW(owner, L"explore", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void Win32MenuPresenter::Show(PopupMenu, HMENU menu, HWND owner) {
    POINT at{};
    GetCursorPos(&at);
    // Without the foreground the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(owner);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);
}

}  // namespace app
