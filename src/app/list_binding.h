#pragma once
// Keeps a list view showing its model. Any thread may change the model; the change posts one message
// to the window (a flood of changes still posts just one until the window has handled it), and the
// window thread then brings the view up to date. The user's tick clicks go the other way, into the
// model, without echoing back.
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "win/list_view.h"
#include "win/table_model.h"

namespace app {

class ListBinding {
public:
    // `message` is posted to `window` with wParam = `id` when the model changes.
    ListBinding(win::ListView view, win::TableModel& model, HWND window, UINT message, WPARAM id);
    ~ListBinding();
    ListBinding(const ListBinding&) = delete;
    ListBinding& operator=(const ListBinding&) = delete;

    win::ListView View() const { return view_; }
    win::TableModel& Model() const { return model_; }

    // Window thread: brings the view up to date with the model.
    void Sync();
    // Window thread: a LVN_ITEMCHANGED of this view; a tick the user changed goes into the model.
    void OnItemChanged(const NMLISTVIEW& change);

private:
    struct Signal {
        std::atomic<bool> pending{false};  // set by any changing thread, cleared by the window thread
        std::atomic<HWND> window{nullptr};  // cleared by the window thread when the binding goes away
        UINT message = 0;
        WPARAM id = 0;
    };

    win::ListView view_;
    win::TableModel& model_;
    std::shared_ptr<Signal> signal_;
    // What the view shows, as of the last Sync. Window thread only.
    std::vector<std::vector<std::wstring>> shown_;
    bool syncing_ = false;  // window thread only
};

}  // namespace app
