#pragma once
// System-wide hotkeys that call a routine on the window thread (the Up and Down keys change the
// preview volume), and the lookup of the program's own top-level window.
#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/message_boxes.h"

namespace app {

struct TopWindow {
    HWND window = nullptr;
    DWORD processId = 0;
    DWORD threadId = 0;
    std::wstring title;      // at most 255 characters
    std::wstring className;  // at most 49 characters
};

// Fills `windows` with one entry per top-level window of the desktop, in the system's window order;
// returns how many.
int ListTopWindows(std::vector<TopWindow>& windows);

// The first visible top-level window of the process, or null.
HWND FindOwnWindow(DWORD processId);

// A message box that returns the button chosen minus 1. Defaults: information icon with OK, caption
// "友情提醒", owned by the program's own window.
int ReminderBox(MessageBoxes& boxes, const std::wstring& text, std::optional<UINT> style = std::nullopt,
                std::optional<std::wstring> caption = std::nullopt, std::optional<HWND> owner = std::nullopt);

inline constexpr wchar_t kReminderCaption[] = L"友情提醒";
inline constexpr wchar_t kEmptyIdentifierText[] = L"【窗口_热键注册】命令第5个参数【标识文本】不能为空文本";

// The registrations, keyed by identifier texts ("001", "002"). The first successful registration
// replaces its window's procedure with HotkeyWindowProc, which runs the registered routine for each
// hotkey message and hands every other message to the procedure it replaced. Window thread only.
class HotkeyRegistry {
public:
    using Routine = std::function<void()>;
    struct Entry {
        HWND window;
        std::wstring identifier;
        Routine routine;
    };

    explicit HotkeyRegistry(MessageBoxes& boxes = SystemMessageBoxes());
    // Unregisters the hotkeys and gives the window its procedure back, when the window still exists.
    ~HotkeyRegistry();
    HotkeyRegistry(const HotkeyRegistry&) = delete;
    HotkeyRegistry& operator=(const HotkeyRegistry&) = delete;

    // 窗口_热键注册: registers `keyCode` with `modifiers` on `window` (null: the program's own window)
    // under the identifier text; the hotkey then calls `routine`. Returns 1, or 0 when the identifier
    // is blank (after a reminder box), no window was found or the system refused the key.
    int RegisterWindowHotkey(HWND window, UINT modifiers, UINT keyCode, Routine routine,
                             const std::wstring& identifier);

    static LRESULT CALLBACK HotkeyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    const std::vector<Entry>& Entries() const { return table_; }
    WNDPROC PreviousWindowProc() const { return previousWindowProc_; }
    // The system hotkey id standing for an identifier text, given out on first use (1 to 0xBFFF);
    // -1 when every id is taken.
    int HotkeyIdOf(const std::wstring& identifier);
    // The identifier text an id stands for.
    std::optional<std::wstring> IdentifierOf(int id) const;

private:
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    MessageBoxes& boxes_;
    std::vector<Entry> table_;  // in the order made
    std::map<std::wstring, int> ids_;
    std::vector<std::wstring> identifiers_;  // identifiers_[id - 1]
    HWND procWindow_ = nullptr;              // the window whose procedure was replaced
    WNDPROC previousWindowProc_ = nullptr;
};

}  // namespace app
