#include "win/table_model.h"

namespace win {

TableModel::TableModel(int columns, bool hasTicks) : columns_(columns), hasTicks_(hasTicks) {}

void TableModel::Changed() const {
    if (onChange_) onChange_();
}

int TableModel::AppendRow(std::vector<std::wstring> cells) {
    cells.resize(columns_);
    int index;
    {
        std::lock_guard lock(mutex_);
        rows_.push_back(Row_{nextId_++, false, std::move(cells)});
        index = static_cast<int>(rows_.size()) - 1;
    }
    Changed();
    return index;
}

bool TableModel::DeleteRow(int row) {
    {
        std::lock_guard lock(mutex_);
        if (row < 0 || row >= static_cast<int>(rows_.size())) return false;
        rows_.erase(rows_.begin() + row);
    }
    Changed();
    return true;
}

void TableModel::Clear() {
    {
        std::lock_guard lock(mutex_);
        rows_.clear();
    }
    Changed();
}

int TableModel::RowCount() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(rows_.size());
}

std::wstring TableModel::Cell(int row, int column) const {
    std::lock_guard lock(mutex_);
    if (row < 0 || row >= static_cast<int>(rows_.size()) || column < 0 || column >= columns_) return {};
    return rows_[row].cells[column];
}

bool TableModel::SetCell(int row, int column, std::wstring text) {
    {
        std::lock_guard lock(mutex_);
        if (row < 0 || row >= static_cast<int>(rows_.size()) || column < 0 || column >= columns_) return false;
        if (rows_[row].cells[column] == text) return true;
        rows_[row].cells[column] = std::move(text);
    }
    Changed();
    return true;
}

std::vector<std::wstring> TableModel::Row(int row) const {
    std::lock_guard lock(mutex_);
    if (row < 0 || row >= static_cast<int>(rows_.size())) return {};
    return rows_[row].cells;
}

bool TableModel::Ticked(int row) const {
    std::lock_guard lock(mutex_);
    return row >= 0 && row < static_cast<int>(rows_.size()) && rows_[row].ticked;
}

bool TableModel::SetTicked(int row, bool ticked) {
    {
        std::lock_guard lock(mutex_);
        if (!hasTicks_ || row < 0 || row >= static_cast<int>(rows_.size())) return false;
        if (rows_[row].ticked == ticked) return true;
        rows_[row].ticked = ticked;
    }
    Changed();
    return true;
}

TableModel::RowId TableModel::IdOfRow(int row) const {
    std::lock_guard lock(mutex_);
    if (row < 0 || row >= static_cast<int>(rows_.size())) return 0;
    return rows_[row].id;
}

int TableModel::RowOfId(RowId id) const {
    std::lock_guard lock(mutex_);
    for (size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].id == id) return static_cast<int>(i);
    return -1;
}

TableModel::Snapshot TableModel::Take() const {
    std::lock_guard lock(mutex_);
    Snapshot s;
    s.cells.reserve(rows_.size());
    s.ticks.reserve(rows_.size());
    for (const auto& r : rows_) {
        s.cells.push_back(r.cells);
        s.ticks.push_back(r.ticked);
    }
    return s;
}

}  // namespace win
