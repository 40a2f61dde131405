#pragma once
// Typed, non-owning wrappers over the simple controls: one line per control message.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace win {

inline std::wstring WindowText(HWND hwnd) {
    int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(GetWindowTextW(hwnd, text.data(), length + 1));
    return text;
}

class Control {
public:
    explicit Control(HWND hwnd = nullptr) : hwnd_(hwnd) {}
    HWND hwnd() const { return hwnd_; }
    std::wstring Text() const { return WindowText(hwnd_); }
    void SetText(const std::wstring& text) const { SetWindowTextW(hwnd_, text.c_str()); }
    bool Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
    void Enable(bool enabled) const { EnableWindow(hwnd_, enabled ? TRUE : FALSE); }
    void Show(bool shown) const { ShowWindow(hwnd_, shown ? SW_SHOWNA : SW_HIDE); }

protected:
    HWND hwnd_;
};

using Button = Control;
using EditBox = Control;

class CheckBox : public Control {
public:
    using Control::Control;
    bool Ticked() const { return SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void SetTicked(bool ticked) const { SendMessageW(hwnd_, BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0); }
};

class ComboBox : public Control {
public:
    using Control::Control;
    int Add(const std::wstring& text) const {
        return static_cast<int>(SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    }
    int Count() const { return static_cast<int>(SendMessageW(hwnd_, CB_GETCOUNT, 0, 0)); }
    std::wstring ItemText(int index) const {
        auto length = SendMessageW(hwnd_, CB_GETLBTEXTLEN, index, 0);
        if (length < 0) return {};
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        SendMessageW(hwnd_, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<size_t>(length));
        return text;
    }
    int Current() const { return static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0)); }
    void SetCurrent(int index) const { SendMessageW(hwnd_, CB_SETCURSEL, index, 0); }
};

class TabControl : public Control {
public:
    using Control::Control;
    void Insert(int index, const std::wstring& title) const {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(title.c_str());
        SendMessageW(hwnd_, TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item));
    }
    int Count() const { return TabCtrl_GetItemCount(hwnd_); }
    std::wstring Title(int index) const {
        wchar_t buffer[128] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = buffer;
        item.cchTextMax = 128;
        SendMessageW(hwnd_, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
        return buffer;
    }
    int Current() const { return TabCtrl_GetCurSel(hwnd_); }
    void SetCurrent(int index) const { TabCtrl_SetCurSel(hwnd_, index); }
};

class StatusBar : public Control {
public:
    using Control::Control;
    // Cell widths are given per cell; the bar itself wants right edges.
    void SetCells(const std::vector<int>& widths) const {
        std::vector<int> edges;
        int right = 0;
        for (int w : widths) edges.push_back(right += w);
        SendMessageW(hwnd_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    }
    int CellCount() const { return static_cast<int>(SendMessageW(hwnd_, SB_GETPARTS, 0, 0)); }
    std::vector<int> CellEdges() const {
        std::vector<int> edges(CellCount());
        SendMessageW(hwnd_, SB_GETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
        return edges;
    }
    void SetCellText(int cell, const std::wstring& text) const {
        SendMessageW(hwnd_, SB_SETTEXTW, cell, reinterpret_cast<LPARAM>(text.c_str()));
    }
    std::wstring CellText(int cell) const {
        auto length = LOWORD(SendMessageW(hwnd_, SB_GETTEXTLENGTHW, cell, 0));
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        SendMessageW(hwnd_, SB_GETTEXTW, cell, reinterpret_cast<LPARAM>(text.data()));
        text.resize(length);
        return text;
    }
};

}  // namespace win
