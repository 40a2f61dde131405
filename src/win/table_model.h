#pragma once
// The rows behind one list view: text cells addressed by 0-based row and column, plus a tick flag
// per row for the lists that have tick boxes. Any thread may read or change it; each call is one
// step under the model's own mutex. Row indexes behave like a list view's: an append returns the
// new row's index, deleting a row moves the rows below it up by one. Each row also carries an id
// that never changes, for callers that must find "their" row again after other rows went away.
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace win {

class TableModel {
public:
    using RowId = std::uint64_t;

    explicit TableModel(int columns, bool hasTicks = false);
    TableModel(const TableModel&) = delete;
    TableModel& operator=(const TableModel&) = delete;

    int ColumnCount() const { return columns_; }
    bool HasTicks() const { return hasTicks_; }

    // Appends a row (missing cells are empty, extra cells are dropped); returns its index.
    int AppendRow(std::vector<std::wstring> cells = {});
    bool DeleteRow(int row);
    void Clear();
    int RowCount() const;

    std::wstring Cell(int row, int column) const;  // "" outside the table
    bool SetCell(int row, int column, std::wstring text);
    std::vector<std::wstring> Row(int row) const;  // empty outside the table

    bool Ticked(int row) const;
    bool SetTicked(int row, bool ticked);

    RowId IdOfRow(int row) const;  // 0 outside the table
    int RowOfId(RowId id) const;   // -1 when the row is gone

    struct Snapshot {
        std::vector<std::vector<std::wstring>> cells;
        std::vector<bool> ticks;
    };
    Snapshot Take() const;

    // Called after every change, on the changing thread, outside the model's lock.
    // Set once, before other threads use the model.
    void SetOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

private:
    struct Row_ {
        RowId id;
        bool ticked;
        std::vector<std::wstring> cells;
    };
    void Changed() const;

    const int columns_;
    const bool hasTicks_;
    std::function<void()> onChange_;
    mutable std::mutex mutex_;
    std::vector<Row_> rows_;  // guarded by mutex_
    RowId nextId_ = 1;        // guarded by mutex_
};

}  // namespace win
