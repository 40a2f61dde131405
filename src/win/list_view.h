#pragma once
// Typed, non-owning wrappers over a report-style list view: one line per list-view message.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace win {

class ListView {
public:
    explicit ListView(HWND hwnd = nullptr) : hwnd_(hwnd) {}
    HWND hwnd() const { return hwnd_; }

    void SetExtendedStyle(DWORD style) const { ListView_SetExtendedListViewStyle(hwnd_, style); }
    DWORD ExtendedStyle() const { return ListView_GetExtendedListViewStyle(hwnd_); }

    int InsertColumn(int index, const std::wstring& title, int width, int format) const {
        LVCOLUMNW c{};
        c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        c.fmt = format;
        c.cx = width;
        c.pszText = const_cast<wchar_t*>(title.c_str());
        c.iSubItem = index;
        return static_cast<int>(SendMessageW(hwnd_, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&c)));
    }
    int ColumnCount() const { return Header_GetItemCount(ListView_GetHeader(hwnd_)); }
    int ColumnWidth(int column) const { return ListView_GetColumnWidth(hwnd_, column); }
    void SetColumnWidth(int column, int width) const { ListView_SetColumnWidth(hwnd_, column, width); }
    std::wstring ColumnTitle(int column) const {
        wchar_t buffer[256] = {};
        LVCOLUMNW c{};
        c.mask = LVCF_TEXT;
        c.pszText = buffer;
        c.cchTextMax = 256;
        SendMessageW(hwnd_, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&c));
        return buffer;
    }
    int ColumnFormat(int column) const {
        LVCOLUMNW c{};
        c.mask = LVCF_FMT;
        SendMessageW(hwnd_, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&c));
        return c.fmt & LVCFMT_JUSTIFYMASK;
    }

    int RowCount() const { return ListView_GetItemCount(hwnd_); }
    int InsertRow(int row) const {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<wchar_t*>(L"");
        return static_cast<int>(SendMessageW(hwnd_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    }
    bool DeleteRow(int row) const { return ListView_DeleteItem(hwnd_, row) != FALSE; }
    bool DeleteAllRows() const { return ListView_DeleteAllItems(hwnd_) != FALSE; }

    std::wstring Text(int row, int column) const {
        std::vector<wchar_t> buffer(512);
        for (;;) {
            LVITEMW item{};
            item.iSubItem = column;
            item.pszText = buffer.data();
            item.cchTextMax = static_cast<int>(buffer.size());
            auto length = SendMessageW(hwnd_, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
            if (length < static_cast<LRESULT>(buffer.size()) - 1) return std::wstring(buffer.data(), length);
            buffer.resize(buffer.size() * 2);
        }
    }
    void SetText(int row, int column, const std::wstring& text) const {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = const_cast<wchar_t*>(text.c_str());
        SendMessageW(hwnd_, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    }

    bool Ticked(int row) const { return ListView_GetCheckState(hwnd_, row) != FALSE; }
    void SetTicked(int row, bool ticked) const { ListView_SetCheckState(hwnd_, row, ticked ? TRUE : FALSE); }

    int CurrentRow() const { return ListView_GetNextItem(hwnd_, -1, LVNI_SELECTED); }
    void Select(int row) const {
        ListView_SetItemState(hwnd_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        if (row >= 0) ListView_SetItemState(hwnd_, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }

private:
    HWND hwnd_;
};

}  // namespace win
