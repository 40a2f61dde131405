#pragma once
// What the main window asks of the user and the shell, behind interfaces that tests replace:
// message boxes, the folder dialog, opening a folder, and showing a popup menu (which would otherwise
// block in the menu's modal loop).
#include <windows.h>

#include <string>

#include "app/message_boxes.h"

namespace app {

// Message boxes (ShowMessage, from MessageBoxes), plus the folder dialog and the shell.
class Prompter : public MessageBoxes {
public:
    // The shell's folder dialog; "" when cancelled.
    virtual std::wstring BrowseFolder(HWND owner, const std::wstring& title) = 0;
    // Opens the folder in the shell with the verb "explore".
    virtual void Explore(HWND owner, const std::wstring& folder) = 0;
};

enum class PopupMenu { List, Download, Music, Video };  // 列表菜单, 下载菜单, 音乐菜单, 视频下载

class MenuPresenter {
public:
    virtual ~MenuPresenter() = default;
    // Shows the menu at the mouse position; a chosen entry reaches `owner` as WM_COMMAND.
    virtual void Show(PopupMenu which, HMENU menu, HWND owner) = 0;
};

// The real dialogs, message boxes, shell and menus.
class Win32Prompter : public Prompter {
public:
    int ShowMessage(HWND owner, const std::wstring& text, const std::wstring& title, UINT flags) override;
    std::wstring BrowseFolder(HWND owner, const std::wstring& title) override;
    void Explore(HWND owner, const std::wstring& folder) override;
};

class Win32MenuPresenter : public MenuPresenter {
public:
    void Show(PopupMenu which, HMENU menu, HWND owner) override;
};

}  // namespace app
