#include "app/list_binding.h"

namespace app {

ListBinding::ListBinding(win::ListView view, win::TableModel& model, HWND window, UINT message, WPARAM id)
    : view_(view), model_(model), signal_(std::make_shared<Signal>()) {
    signal_->window = window;
    signal_->message = message;
    signal_->id = id;
    // The model may outlive this binding: the callback holds the signal, never the binding itself.
    model_.SetOnChange([signal = signal_] {
        if (signal->pending.exchange(true)) return;
        HWND target = signal->window.load();
        if (!target || !PostMessageW(target, signal->message, signal->id, 0)) signal->pending = false;
    });
    Sync();
}

ListBinding::~ListBinding() { signal_->window = nullptr; }

void ListBinding::Sync() {
    // Clear first: a change made while we copy posts a fresh message and is not lost.
    signal_->pending = false;
    win::TableModel::Snapshot snapshot = model_.Take();
    const int rows = static_cast<int>(snapshot.cells.size());

    syncing_ = true;
    SendMessageW(view_.hwnd(), WM_SETREDRAW, FALSE, 0);
    while (static_cast<int>(shown_.size()) > rows) {
        view_.DeleteRow(static_cast<int>(shown_.size()) - 1);
        shown_.pop_back();
    }
    while (static_cast<int>(shown_.size()) < rows) {
        view_.InsertRow(static_cast<int>(shown_.size()));
        shown_.emplace_back(model_.ColumnCount());
    }
    for (int row = 0; row < rows; ++row) {
        auto& cells = snapshot.cells[row];
        for (int column = 0; column < static_cast<int>(cells.size()); ++column) {
            if (shown_[row][column] == cells[column]) continue;
            view_.SetText(row, column, cells[column]);
            shown_[row][column] = std::move(cells[column]);
        }
        if (model_.HasTicks() && view_.Ticked(row) != snapshot.ticks[row]) view_.SetTicked(row, snapshot.ticks[row]);
    }
    SendMessageW(view_.hwnd(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(view_.hwnd(), nullptr, FALSE);
    syncing_ = false;
}

void ListBinding::OnItemChanged(const NMLISTVIEW& change) {
    if (syncing_ || !model_.HasTicks() || change.iItem < 0 || !(change.uChanged & LVIF_STATE)) return;
    UINT oldImage = (change.uOldState & LVIS_STATEIMAGEMASK) >> 12;
    UINT newImage = (change.uNewState & LVIS_STATEIMAGEMASK) >> 12;
    // Image 0 is a row that has no tick box yet; 1 is unticked, 2 ticked.
    if (oldImage == 0 || newImage == 0 || oldImage == newImage) return;
    model_.SetTicked(change.iItem, newImage == 2);
}

}  // namespace app
