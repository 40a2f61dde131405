#pragma once
// The download's progress on the program's taskbar button: the running task's share while it downloads,
// paused while the queue is paused, an error after a failure until the next task starts, nothing when
// idle. Window thread only; where the system has no taskbar list (some compatibility layers), nothing
// shows and nothing fails.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct ITaskbarList3;

namespace app {

enum class TaskbarMode { None, Normal, Paused, Error };

struct TaskbarView {
    TaskbarMode mode = TaskbarMode::None;
    std::uint64_t done = 0;   // in hundredths of a megabyte, as the row shows the sizes
    std::uint64_t total = 0;  // 0 while the size is unknown
    bool operator==(const TaskbarView&) const = default;
};

// What the button shows for the queue's flags and the cells of its current row (empty when that row is gone).
TaskbarView TaskbarViewOf(bool downloading, bool paused, const std::vector<std::wstring>& currentRow);

class TaskbarProgress {
public:
    explicit TaskbarProgress(HWND window);
    ~TaskbarProgress();
    TaskbarProgress(const TaskbarProgress&) = delete;
    TaskbarProgress& operator=(const TaskbarProgress&) = delete;

    // Shows `view`; the button is only touched when the view changes.
    void Show(const TaskbarView& view);
    // The system sends this message when the button (re)appears, for instance after the shell restarts;
    // what was shown before is lost then and has to be shown again.
    static UINT ButtonCreatedMessage();
    void ShowAgain();
    bool Available() const { return list_ != nullptr; }
    const TaskbarView& Shown() const { return shown_; }

private:
    void Apply();

    HWND window_;
    ITaskbarList3* list_ = nullptr;
    bool comStarted_ = false;
    TaskbarView shown_;
};

}  // namespace app
