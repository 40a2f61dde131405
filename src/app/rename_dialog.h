#pragma once
// "修改歌名": a small non-modal window that replaces the display name (column 0) of one row of the
// song or MV results before download. 按钮1 "修改" writes 编辑框2's text, as typed, into the row and
// closes; closing the window any other way changes nothing. Window thread only.
#include <windows.h>

#include "win/handle.h"
#include "win/table_model.h"

namespace app {

inline constexpr int kRenameSongList = 1;  // 超级列表框1, SongResultList
inline constexpr int kRenameMvList = 2;    // 超级列表框4, MvResultList

inline constexpr wchar_t kRenameTitle[] = L"修改歌名";
inline constexpr wchar_t kRenameHint[] = L"请输入新的歌名";

class RenameDialog {
public:
    // Control ids: 标签1, 编辑框1, 标签2, 编辑框2, 按钮1, 透明标签1.
    enum ControlId : int { kLabel1 = 101, kOldNameEdit, kLabel2, kNewNameEdit, kRenameButton, kHintLabel };

    RenameDialog(win::TableModel& songResults, win::TableModel& mvResults);
    ~RenameDialog();  // closes the window if it is open
    RenameDialog(const RenameDialog&) = delete;
    RenameDialog& operator=(const RenameDialog&) = delete;

    // Opens the window for `row` of list kRenameSongList or kRenameMvList; a window already open is
    // pointed at the new row and keeps what was typed. False (and nothing opens) for an unknown list
    // or a row that does not exist.
    bool Open(int list, int row);
    // What 按钮1 does: writes the new name into the target row, if that row still exists, and closes.
    void Apply();

    HWND Window() const { return window_; }  // null while closed
    int RenameList() const { return renameList_; }
    int RenameRow() const { return renameRow_; }

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool Create();
    win::TableModel* ListOf(int list) const;

    win::TableModel& songResults_;
    win::TableModel& mvResults_;
    HWND window_ = nullptr;
    int renameList_ = 0;
    int renameRow_ = 0;
    // The target row's id: a list that was cleared and refilled meanwhile must not get the name
    // in whatever row now has the same index.
    win::TableModel::RowId renameRowId_ = 0;
    win::UniqueFont font_;
};

}  // namespace app
